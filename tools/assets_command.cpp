// undercroft-tool assets: writes the program's images and overworld map into
// a runtime folder, and optionally preview pictures of them.
#include "assets/png_writer.h"
#include "tools/art_library.h"
#include "tools/art_overworld.h"
#include "tools/art_preview.h"
#include "tools/art_sheet.h"
#include "tools/args.h"
#include "tools/bmp_writer.h"
#include "tools/commands.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {
constexpr const char* mapFolder = "map";
constexpr const char* mapFile = "1.overworld";
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

bool fail(const std::string& what, const std::string& reason)
{
    std::fprintf(stderr, "undercroft-tool: %s: %s\n", what.c_str(), reason.c_str());
    return false;
}

bool makeFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return !error || fail(folder.string(), error.message());
}

bool writeImages(const std::filesystem::path& out)
{
    for (const CatalogueLoad& load : distinctCatalogueFiles()) {
        Canvas picture;
        if (!paintCatalogueImage(load, picture))
            return fail(cataloguePath(load), "no recipe paints this file");
        const std::filesystem::path path = out / cataloguePath(load);
        if (!makeFolder(path.parent_path()))
            return false;
        std::string error;
        if (!writeBmp24(path.string(), picture.width, picture.height, canvasRgb(picture), error))
            return fail(path.string(), error);
    }
    return true;
}

bool writeMap(const std::filesystem::path& out, const std::vector<std::uint8_t>& map)
{
    const std::filesystem::path path = out / mapFolder / mapFile;
    if (!makeFolder(path.parent_path()))
        return false;
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(map.data()), std::streamsize(map.size()));
    file.close();
    return bool(file) || fail(path.string(), "write failed");
}

bool writePreviews(const std::filesystem::path& folder, const std::vector<std::uint8_t>& map)
{
    std::string error;
    const MapArea whole{0, 0, overworldSide, overworldSide};
    if (!makeFolder(folder))
        return false;
    if (!writeTilePreview((folder / "art_tiles.png").string(), previewScale, error) ||
        !writeMapPreview((folder / "overworld.png").string(), map, whole, overviewCellPixels, error) ||
        !writeMapPreview((folder / "overworld_detail.png").string(), map, detailArea, 16, error))
        return fail(folder.string(), error);
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
    return writePngRgb(path, side, side, canvasRgb(icon), error) || fail(path, error);
}
}

int runAssetsCommand(const std::vector<std::string>& args)
{
    AssetsOptions options;
    if (const int status = parseOptions(args, options))
        return status;
    const std::vector<std::uint8_t> map = generateOverworld();
    if (!writeImages(options.out) || !writeMap(options.out, map))
        return 1;
    if (!options.previews.empty() && !writePreviews(options.previews, map))
        return 1;
    if (!options.icon.empty() && !writeIcon(options.icon))
        return 1;
    std::string error;
    if (!options.sheet.empty() && !writeContactSheet(options.sheet, error)) {
        fail(options.sheet, error);
        return 1;
    }
    return 0;
}
