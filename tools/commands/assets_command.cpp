// undercroft-tool assets: writes the program's images and overworld map into
// a runtime folder, and optionally preview pictures of them.
#include "art/library.h"
#include "art/overworld/overworld.h"
#include "art/preview.h"
#include "art/run_folder.h"
#include "art/sheet.h"
#include "assets/catalogue.h"
#include "draw2d/map_view.h"
#include "platform/file_input.h"
#include "platform/path_text.h"
#include "platform/png_writer.h"
#include "tools/commands/commands.h"
#include "tools/commands/options.h"

#include <filesystem>
#include <map>
#include <system_error>
#include <utility>
#include <vector>

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

// The subcommand's part of the command line, read into `options`.
CLI::App* describeLine(CLI::App& tool, AssetsOptions& options)
{
    CLI::App* command = tool.add_subcommand(
        "assets", "Writes the program's art (the 198 distinct BMP files of its image catalogue in "
                  "the eight bmp_* folders) and map/1.overworld into DIR, the same bytes every "
                  "run.");
    addOutputOption(
        *command, "DIR", false, [&options](const std::string& folder) { options.out = folder; },
        "the runtime folder to write (required)");
    command->add_option("--previews", options.previews, "adds PNG previews of the tiles and the map")
        ->type_name("DIR");
    command->add_option("--sheet", options.sheet, "draws a labelled contact sheet of every image")
        ->type_name("FILE.png");
    command->add_option("--icon", options.icon, "draws the 64 x 64 desktop icon")
        ->type_name("FILE.png");
    return command;
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
    return !error || fail(textOfPath(folder), error.message());
}

const char* const tilePreviewName = "art_tiles.png";
const char* const mapPreviewName = "overworld.png";
const char* const detailPreviewName = "overworld_detail.png";

bool writePreviews(const std::filesystem::path& folder, const std::vector<std::uint8_t>& map)
{
    const MapArea whole{0, 0, overworldSide, overworldSide};
    if (!makeFolder(folder))
        return false;
    const std::string tiles = textOfPath(folder / tilePreviewName);
    const std::string overview = textOfPath(folder / mapPreviewName);
    const std::string detail = textOfPath(folder / detailPreviewName);
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

namespace {
// Every file the command is asked to write, by the option that asks for it.
std::vector<std::pair<std::string, std::filesystem::path>> plannedOutputs(
    const AssetsOptions& options)
{
    std::vector<std::pair<std::string, std::filesystem::path>> outputs;
    const std::filesystem::path out = pathFromText(options.out);
    outputs.push_back({"--out", out / "map" / "1.overworld"});
    for (const CatalogueLoad& load : imageCatalogue)
        outputs.push_back({"--out", out / cataloguePath(load)});
    if (!options.previews.empty())
        for (const char* name : {tilePreviewName, mapPreviewName, detailPreviewName})
            outputs.push_back({"--previews", pathFromText(options.previews) / name});
    if (!options.sheet.empty())
        outputs.push_back({"--sheet", pathFromText(options.sheet)});
    if (!options.icon.empty())
        outputs.push_back({"--icon", pathFromText(options.icon)});
    return outputs;
}

// No output may be written over another one (--icon inside --out's image
// folders, --sheet and --icon the same file): the later would replace the
// earlier, leaving a broken runtime folder. Names are compared once resolved,
// and files that exist already by what the system says they are (another
// letter case on Windows). Says which two on stderr.
bool outputsDistinct(const AssetsOptions& options)
{
    std::map<std::filesystem::path, std::string> claimedNames;
    std::map<FileIdentity, std::string> claimedFiles;
    for (const auto& [option, path] : plannedOutputs(options)) {
        std::error_code error;
        std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
        if (error)
            resolved = std::filesystem::absolute(path).lexically_normal();
        const std::optional<FileIdentity> file = fileIdentity(textOfPath(path));
        // The option that claimed the file first (the catalogue names some
        // files twice, all of them --out's).
        const std::string& first = file ? claimedFiles.emplace(*file, option).first->second
                                        : claimedNames.emplace(resolved, option).first->second;
        if (first != option) {
            usageError(option + " " + textOfPath(path) + " is a file " + first + " writes too");
            return false;
        }
    }
    return true;
}

int runAssets(const AssetsOptions& options)
{
    if (options.out.empty())
        return usageError("assets needs --out DIR");
    if (!outputsDistinct(options))
        return usageExitStatus;
    const std::vector<std::uint8_t> map = generateOverworld();
    ArtFailure failure;
    if (!writeRunFolder(pathFromText(options.out), map, failure))
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
} // namespace

ToolCommand addAssetsCommand(CLI::App& tool)
{
    auto options = std::make_shared<AssetsOptions>();
    return {describeLine(tool, *options), [options] { return runAssets(*options); }};
}
