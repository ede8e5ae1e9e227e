// undercroft-tool vox: builds the world for a seed, as start-up does, and
// writes a box of it as a MagicaVoxel model coloured like the program's art.
#include "assets/bmp.h"
#include "assets/catalogue.h"
#include "assets/image_table.h"
#include "draw2d/map_view.h"
#include "tools/commands/commands.h"
#include "tools/commands/headless.h"
#include "tools/commands/options.h"
#include "tools/export/vox_file.h"
#include "view3d/cube_textures.h"
#include "world/grid.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace {
// Inclusive grid bounds: columns x0..x1, rows y0..y1, layers z0..z1.
struct GridBox {
    int x0, y0, z0, x1, y1, z1;
};

// The dungeon block: the carved levels (columns and rows 4..69) with a rim of
// rock, from the sky down to below the ninth level.
constexpr GridBox dungeonBlock{0, 0, 1, 73, 73, 32};

// Any box inside the grid fits the format, so only the grid is tested.
static_assert(worldSide <= voxMaxSide && layerCount <= voxMaxSide);

struct VoxOptions {
    WorldSource source;
    GridBox box = dungeonBlock;
    std::string out;
};

// Reads a box inside the grid from "X0,Y0,Z0,X1,Y1,Z1"; what is wrong with the
// text, or nothing.
std::string parseBox(const std::string& text, GridBox& box)
{
    const std::vector<std::string> parts = splitAt(text, ',');
    int values[6];
    if (parts.size() != 6)
        return "wants X0,Y0,Z0,X1,Y1,Z1";
    for (int i = 0; i < 6; ++i) {
        const auto value = parseInteger(parts[i], -1'000'000, 1'000'000);
        if (!value)
            return "wants six whole numbers X0,Y0,Z0,X1,Y1,Z1";
        values[i] = int(*value);
    }
    box = {values[0], values[1], values[2], values[3], values[4], values[5]};
    if (box.x1 < box.x0 || box.y1 < box.y0 || box.z1 < box.z0)
        return "is empty: it wants X0<=X1, Y0<=Y1 and Z0<=Z1";
    if (!cellInGrid(box.x0, box.y0, box.z0) || !cellInGrid(box.x1, box.y1, box.z1))
        return "leaves the grid (columns and rows 0..255, layers 0..179)";
    return {};
}

// The subcommand's part of the command line, read into `options`.
CLI::App* describeLine(CLI::App& tool, VoxOptions& options)
{
    CLI::App* command = tool.add_subcommand(
        "vox", "Builds the world for a seed and exports the cells inside a box as a MagicaVoxel "
               ".vox model (version 150): one voxel per non-empty cell, up is up, each code "
               "coloured by the mean colour of its cube image, else its map tile, else white.");
    addWorldSource(*command, options.source, SeedNeed::Required);
    command
        ->add_option_function<std::string>(
            "--region",
            [&options](const std::string& text) {
                const std::string error = parseBox(text, options.box);
                if (!error.empty())
                    throw CLI::ValidationError("--region", error);
            },
            "the box, bounds inclusive (default: the dungeon block 0,0,1,73,73,32)")
        ->type_name("X0,Y0,Z0,X1,Y1,Z1");
    addOutputOption(
        *command, "FILE.vox", true,
        [&options](const std::string& path) { options.out = outputPath(path); },
        "the .vox file to write (required); - writes it to standard output");
    return command;
}

// One voxel per non-empty cell, coloured by its block code. The model's z is
// up while a larger layer is deeper, so the deepest layer is z 0. With x the
// column and y the row the model is no mirror image of the program's views:
// seen from above it is the map (columns rightwards, rows upwards), and the
// 3D view shows column, row, up as a right-handed frame, as MagicaVoxel does.
std::vector<Voxel> boxVoxels(const GridBox& box)
{
    std::vector<Voxel> voxels;
    for (int layer = box.z1; layer >= box.z0; --layer)
        for (int row = box.y0; row <= box.y1; ++row)
            for (int column = box.x0; column <= box.x1; ++column)
                if (const std::uint8_t code = gridCell(column, row, layer))
                    voxels.push_back({std::uint8_t(column - box.x0), std::uint8_t(row - box.y0),
                                      std::uint8_t(box.z1 - layer), code});
    return voxels;
}
}

namespace {
constexpr VoxColour white{255, 255, 255, 255};
constexpr int noImage = noMapTile;

// The images whose colour a code takes, first choice first: its cube image,
// then its map tile.
std::array<int, 2> colourSources(int code)
{
    const int cube = code < cubeImageCount ? firstCubeImageId + code : noImage;
    return {cube, mapTileImage(std::uint8_t(code))};
}

bool paletteUsesImage(int id)
{
    for (int code = 1; code < voxPaletteSize; ++code)
        for (int source : colourSources(code))
            if (source == id)
                return true;
    return false;
}

// Reads the catalogue's files for the palette's images from the current
// folder, as start-up would; a file that fails leaves its entry empty.
void loadPaletteImages()
{
    allocateImageTable();
    for (const CatalogueLoad& load : imageCatalogue)
        if (paletteUsesImage(load.id))
            loadBmp(cataloguePath(load), load.id);
}

// The mean of an image's pixels, each channel rounded to nearest; nothing
// for an entry without pixels.
std::optional<VoxColour> meanColour(int id)
{
    const ImageRecord& image = imageTable[id];
    const std::int64_t count = std::int64_t(image.width) * image.height;
    if (!image.pixels || count <= 0)
        return std::nullopt;
    std::int64_t sum[3] = {0, 0, 0};
    for (std::int64_t pixel = 0; pixel < count; ++pixel)
        for (int channel = 0; channel < 3; ++channel)
            sum[channel] += image.pixels[pixel * 3 + channel];
    const auto mean = [&](int channel) { return std::uint8_t((sum[channel] + count / 2) / count); };
    return VoxColour{mean(0), mean(1), mean(2), 255};
}

VoxColour codeColour(int code)
{
    for (int id : colourSources(code))
        if (id != noImage)
            if (const auto colour = meanColour(id))
                return *colour;
    return white;
}

// Colour index i is block code i; codes without a loaded image are white.
std::array<VoxColour, voxPaletteSize> blockPalette()
{
    std::array<VoxColour, voxPaletteSize> palette;
    palette.fill(white);
    for (int code = 1; code < voxPaletteSize; ++code)
        palette[code - 1] = codeColour(code);
    return palette;
}

VoxModel boxModel(const GridBox& box)
{
    VoxModel model;
    model.sizeX = box.x1 - box.x0 + 1;
    model.sizeY = box.y1 - box.y0 + 1;
    model.sizeZ = box.z1 - box.z0 + 1;
    model.voxels = boxVoxels(box);
    model.palette = blockPalette();
    return model;
}

}

namespace {
int runVox(const VoxOptions& options)
{
    if (!options.source.seed)
        return usageError("vox needs --seed N");
    if (options.out.empty())
        return usageError("vox needs --out FILE.vox");
    const std::optional<std::string> data = chooseDataFolder(options.source);
    if (!data || !outputWritable(options.out) || !outputClearOfInputs(options.out, *data) ||
        !buildHeadlessWorld(*options.source.seed, *data))
        return usageExitStatus;
    loadPaletteImages();

    std::string error;
    const bool written = writeVoxFile(options.out, boxModel(options.box), error);
    releaseImageTable();
    releaseHeadlessWorld();
    return written ? 0 : writeFailure(options.out, error);
}
} // namespace

ToolCommand addVoxCommand(CLI::App& tool)
{
    auto options = std::make_shared<VoxOptions>();
    return {describeLine(tool, *options), [options] { return runVox(*options); }};
}
