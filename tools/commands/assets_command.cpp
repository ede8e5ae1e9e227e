// undercroft-tool assets: writes the program's images and overworld map into
// a runtime folder, and optionally preview pictures of them.
#include "art/library.h"
#include "art/overworld/overworld.h"
#include "art/preview.h"
#include "art/run_folder.h"
#include "art/sheet.h"
#include "draw2d/map_view.h"
#include "platform/png_writer.h"
#include "tools/commands/commands.h"
#include "tools/commands/options.h"

#include <filesystem>
#include <system_error>

namespace {
constexpr int previewScale = 3;
constexpr int overviewCellPixels = 4;
constexpr MapArea detailArea{4, 30, 40, 30}; // one map view's worth of cells

// The desktop icon: the map's mage marker standing on a plain tile, each
// pixel enlarged to iconScale x iconScale (16 pixels to 64).
constexpr CatalogueLoad iconGround{10, "bmp_land", "plain"};
constexpr CatalogueLoad iconFigure{849, "bmp_unit", "unit_mage"};
constexpr int iconScale = 4;

struct AssetsOptions {
    std::string out;
    std::string previews;
    std::string sheet;
    std::string icon;
};

int parseOptions(const std::vector<std::string>& args, AssetsOptions& options)
{
    ArgReader reader{args};
    while (!reader.done()) {
        const std::string option = reader.take();
        std::string value;
        if (!reader.value(option, value))
            return usageExitStatus;
        if (option == "--out")
            options.out = value;
        else if (option == "--previews")
            options.previews = value;
        else if (option == "--sheet")
            options.sheet = value;
        else if (option == "--icon")
            options.icon = value;
        else
            return usageError("assets: unknown option '" + option + "'");
    }
    if (options.out.empty())
        return usageError("assets needs --out DIR");
    return 0;
}

// Reports a failure of the step that makes `what`; false, so a step can
// return it.
bool fail(const std::string& what, const std::string& reason)
{
    usageError(what + ": " + reason);
    return false;
}

bool failToWrite(const std::string& path, const std::string& reason)
{
    writeFailure(path, reason);
    return false;
}

bool makeFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return !error || fail(folder.string(), error.message());
}

bool writePreviews(const std::filesystem::path& folder, const std::vector<std::uint8_t>& map)
{
    const MapArea whole{0, 0, overworldSide, overworldSide};
    if (!makeFolder(folder))
        return false;
    const std::string tiles = (folder / "art_tiles.png").string();
    const std::string overview = (folder / "overworld.png").string();
    const std::string detail = (folder / "overworld_detail.png").string();
    std::string error;
    if (!writeTilePreview(tiles, previewScale, error))
        return failToWrite(tiles, error);
    if (!writeMapPreview(overview, map, whole, overviewCellPixels, error))
        return failToWrite(overview, error);
    if (!writeMapPreview(detail, map, detailArea, mapTileSize, error))
        return failToWrite(detail, error);
    return true;
}

bool writeIcon(const std::string& path)
{
    Canvas plain, figure;
    if (!paintCatalogueImage(iconGround, plain) || !paintCatalogueImage(iconFigure, figure))
        return fail(path, "no recipe paints the icon's pictures");
    const int side = figure.width * iconScale;
    Canvas icon = makeCanvas(side, side, 'n');
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const Rgb pixel = pixelAt(figure, x / iconScale, y / iconScale);
            const bool ground = pixel == keyMagenta;
            pixelAt(icon, x, y) = ground ? pixelAt(plain, x / iconScale, y / iconScale) : pixel;
        }
    std::string error;
    return writePngRgb(path, side, side, canvasRgb(icon), error) || failToWrite(path, error);
}
}

int runAssetsCommand(const std::vector<std::string>& args)
{
    AssetsOptions options;
    if (const int status = parseOptions(args, options))
        return status;
    const std::vector<std::uint8_t> map = generateOverworld();
    ArtFailure failure;
    if (!writeRunFolder(options.out, map, failure))
        return usageError(failure.message);
    if (!options.previews.empty() && !writePreviews(options.previews, map))
        return usageExitStatus;
    if (!options.icon.empty() && !writeIcon(options.icon))
        return usageExitStatus;
    std::string error;
    if (!options.sheet.empty() && !writeContactSheet(options.sheet, error))
        return writeFailure(options.sheet, error);
    return 0;
}
