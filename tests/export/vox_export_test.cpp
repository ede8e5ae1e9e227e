// `undercroft-tool vox`, read back: the voxels are the grid's cells of the
// box (position and code), the chunks are consistent and the palette holds
// the art's mean colours, falling back as documented when images are missing.
#include "vox_reader.h"
#include "tests/bmp_reference.h"

#include "app/world_build.h"
#include "assets/bmp.h"
#include "assets/image_table.h"
#include "assets/units.h"
#include "platform/pause.h"
#include "world/block_codes.h"
#include "world/generator.h"
#include "world/grid.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <tuple>

namespace fs = std::filesystem;

namespace {
constexpr std::uint32_t seed = 7;

fs::path toolPath()
{
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "undercroft-tool";
}

fs::path scratchFolder()
{
    return fs::temp_directory_path() / ("undercroft_vox_" + std::to_string(::getpid()));
}

std::vector<std::uint8_t> readFile(const fs::path& path)
{
    std::vector<std::uint8_t> bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::uint8_t buffer[65536];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.insert(bytes.end(), buffer, buffer + got);
        std::fclose(file);
    }
    return bytes;
}

// Runs `vox --seed 7` with the data folder and the extra words; the file read
// back, or an empty reading when the tool failed.
ReadVox exportBox(const fs::path& data, const std::string& extra)
{
    const fs::path out = scratchFolder() / "box.vox";
    fs::remove(out);
    const std::string command = toolPath().string() + " vox --seed " + std::to_string(seed) +
                                " --data " + data.string() + " " + extra + " --out " +
                                out.string();
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    return readVox(readFile(out));
}

// The grid for the seed, built in this process as the tool builds it.
class VoxExport : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        fs::create_directories(scratchFolder());
        const fs::path start = fs::current_path();
        fs::current_path(UNDERCROFT_RUN_DIR);
        allocateWorldGrid();
        allocateUnitRecords();
        useVirtualClock(true);
        buildWorld(seed);
        fs::current_path(start);
    }
    static void TearDownTestSuite()
    {
        releaseGeneratorStorage();
        releaseUnitRecords();
        releaseWorldGrid();
        releaseImageTable();
        fs::remove_all(scratchFolder());
    }
};

// Every voxel is the cell (x0 + x, y0 + y, z1 - z) with its code, and every
// non-empty cell of the box has exactly one voxel.
void expectBoxCells(const ReadVox& vox, int x0, int y0, int z0, int x1, int y1, int z1)
{
    EXPECT_EQ(vox.sizeX, x1 - x0 + 1);
    EXPECT_EQ(vox.sizeY, y1 - y0 + 1);
    EXPECT_EQ(vox.sizeZ, z1 - z0 + 1);
    std::set<std::tuple<int, int, int>> seen;
    int wrong = 0;
    for (const ReadVoxel& v : vox.voxels) {
        seen.insert({v.x, v.y, v.z});
        wrong += v.x >= vox.sizeX || v.y >= vox.sizeY || v.z >= vox.sizeZ ||
                 gridCell(x0 + v.x, y0 + v.y, z1 - v.z) != v.colour;
    }
    EXPECT_EQ(wrong, 0) << "voxels off their cell or code";
    EXPECT_EQ(seen.size(), vox.voxels.size()) << "a cell written twice";
    std::size_t filled = 0;
    for (int z = z0; z <= z1; ++z)
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                filled += gridCell(x, y, z) != Air;
    EXPECT_EQ(vox.voxels.size(), filled);
}

// The rounded mean of an image file as the program reads it; -1s when the
// file does not load.
std::array<int, 4> meanOfFile(const fs::path& path)
{
    const ReferenceBmp image = referenceDecodeFile(path);
    if (image.outcome != BmpOutcome::loaded)
        return {-1, -1, -1, -1};
    const std::int64_t count = std::int64_t(image.width) * image.height;
    std::int64_t sum[3] = {0, 0, 0};
    for (std::int64_t i = 0; i < count * 3; ++i)
        sum[i % 3] += image.rgb[std::size_t(i)];
    return {int((sum[0] + count / 2) / count), int((sum[1] + count / 2) / count),
            int((sum[2] + count / 2) / count), 255};
}

std::array<int, 4> colourOf(const ReadVox& vox, int code)
{
    return vox.palette[code - 1];
}

const std::array<int, 4> white{255, 255, 255, 255};
}

TEST_F(VoxExport, TheDefaultBoxIsTheDungeonBlockCellForCell)
{
    const ReadVox vox = exportBox(UNDERCROFT_RUN_DIR, "");
    EXPECT_EQ(vox.chunks, (std::vector<std::string>{"SIZE", "XYZI", "RGBA"}));
    expectBoxCells(vox, 0, 0, 1, 73, 73, 32);
}

// An off-centre box from the overworld layer down through the dungeon plan:
// overworld and plan codes take their map tiles' colours, the cube codes
// their cube images', everything else white.
TEST_F(VoxExport, AnyBoxKeepsPositionsAndTakesTheArtsColours)
{
    const ReadVox vox = exportBox(UNDERCROFT_RUN_DIR, "--region 100,110,0,150,150,148");
    expectBoxCells(vox, 100, 110, 0, 150, 150, 148);
    const fs::path run = UNDERCROFT_RUN_DIR;
    const std::map<int, fs::path> expected = {
        {Brick, "bmp_cube/brickold2.bmp"}, {Grass, "bmp_cube/grass3.bmp"},
        {Dirt, "bmp_cube/dirt1.bmp"},      {4, "bmp_cube/brickold3.bmp"},
        {6, "bmp_cube/DSC3.bmp"},          {Plain, "bmp_land/plain.bmp"},
        {Castle, "bmp_land/castle_a.bmp"}, {Wall, "bmp_dungeon/wall.bmp"},
        {Door, "bmp_dungeon/door.bmp"},    {Source2, "bmp_dungeon/source.bmp"},
    };
    for (const auto& [code, file] : expected)
        EXPECT_EQ(colourOf(vox, code), meanOfFile(run / file)) << "code " << code;
    for (int code : {7, 31, int(RoomMark), 200, 255})
        EXPECT_EQ(colourOf(vox, code), white) << "code " << code;
    EXPECT_NE(colourOf(vox, Brick), colourOf(vox, Grass));
}

TEST_F(VoxExport, MissingImagesLeaveTheirCodesWhite)
{
    const fs::path data = scratchFolder() / "data";
    fs::create_directories(data / "bmp_cube");
    fs::copy(fs::path(UNDERCROFT_RUN_DIR) / "map", data / "map");
    fs::copy(fs::path(UNDERCROFT_RUN_DIR) / "bmp_land", data / "bmp_land");
    fs::copy_file(fs::path(UNDERCROFT_RUN_DIR) / "bmp_cube/grass3.bmp", data / "bmp_cube/grass3.bmp");

    const ReadVox vox = exportBox(data, "--region 0,0,0,9,9,4");
    expectBoxCells(vox, 0, 0, 0, 9, 9, 4);
    EXPECT_EQ(colourOf(vox, Grass), meanOfFile(data / "bmp_cube/grass3.bmp"));
    EXPECT_EQ(colourOf(vox, Plain), meanOfFile(data / "bmp_land/plain.bmp"));
    EXPECT_EQ(colourOf(vox, Brick), white);
    EXPECT_EQ(colourOf(vox, Wall), white);
    EXPECT_FALSE(fs::exists(data / "bmp_cube/brickold2.bmp")) << "a missing image was created";
}
