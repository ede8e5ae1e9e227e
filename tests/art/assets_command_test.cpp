// What `undercroft-tool assets` writes, painted in this process: the files,
// their format and shapes, the transparent key colours and repeatability;
// and the command's own line, run as a user runs it.
#include "art_run.h"

#include "art/overworld/overworld.h"
#include "art/run_folder.h"
#include "assets/bmp.h"
#include "assets/catalogue.h"
#include "assets/image_table.h"
#include "tests/bmp_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {
std::uint32_t little(const std::vector<std::uint8_t>& bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[at + i];
    return value;
}

// Decodes a file the tool wrote, adding a failure for every header field
// that is not as the program expects: 24 bits, uncompressed, bottom-up, the
// 54-byte header and nothing after the rows. Row 0 is the bottom row.
ReferenceBmp parseBmp(const std::vector<std::uint8_t>& bytes, const std::string& name)
{
    if (bytes.size() < 54) {
        ADD_FAILURE() << name << ": shorter than a header";
        return {};
    }
    EXPECT_EQ(bytes[0], 'B') << name;
    EXPECT_EQ(bytes[1], 'M') << name;
    EXPECT_EQ(little(bytes, 2, 4), bytes.size()) << name << ": file size field";
    EXPECT_EQ(little(bytes, 10, 4), 54u) << name << ": pixel offset";
    EXPECT_EQ(little(bytes, 14, 4), 40u) << name << ": info header size";
    EXPECT_EQ(little(bytes, 26, 2), 1u) << name << ": planes";
    EXPECT_EQ(little(bytes, 28, 2), 24u) << name << ": bits per pixel";
    EXPECT_EQ(little(bytes, 30, 4), 0u) << name << ": compression";
    const int width = int(little(bytes, 18, 4));
    const int height = int(little(bytes, 22, 4));
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
        ADD_FAILURE() << name << ": size " << width << " x " << height;
        return {};
    }
    const std::size_t rowBytes = (std::size_t(width) * 3 + 3) / 4 * 4;
    if (bytes.size() != 54 + rowBytes * height) {
        ADD_FAILURE() << name << ": " << bytes.size() << " bytes for " << width << " x " << height;
        return {};
    }
    ReferenceBmp image = referenceDecode(bytes, imageTableBudgetBytes, bmpMaxSide);
    if (image.outcome != BmpOutcome::loaded) {
        ADD_FAILURE() << name << ": the reference decoder turns it away";
        return {};
    }
    return image;
}

bool isKeyColour(const std::uint8_t* pixel)
{
    const bool black = pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0;
    const bool magenta = pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 246;
    return black || magenta;
}

int keyPixels(const ReferenceBmp& image)
{
    int count = 0;
    for (std::size_t i = 0; i < image.rgb.size(); i += 3)
        count += isKeyColour(&image.rgb[i]);
    return count;
}

double meanLuminance(const ReferenceBmp& image)
{
    double sum = 0;
    for (std::size_t i = 0; i < image.rgb.size(); i += 3)
        sum += 0.3 * image.rgb[i] + 0.59 * image.rgb[i + 1] + 0.11 * image.rgb[i + 2];
    return sum / (image.rgb.size() / 3);
}

bool isPowerOfTwo(int value)
{
    return value > 0 && (value & (value - 1)) == 0;
}

// Writes the runtime folder as `assets --out` does, in this process.
int paintRunFolder(const std::filesystem::path& folder)
{
    ArtFailure failure;
    if (writeRunFolder(folder, generateOverworld(), failure))
        return 0;
    ADD_FAILURE() << failure.message;
    return 1;
}

// The art is painted once for the whole suite; every test reads the files.
class AssetsCommand : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        out = new std::filesystem::path(freshFolder("out"));
        status = paintRunFolder(*out);
    }
    static void TearDownTestSuite()
    {
        std::filesystem::remove_all(*out);
        delete out;
    }
    static ReferenceBmp image(const CatalogueLoad& load)
    {
        return parseBmp(readBytes(*out / cataloguePath(load)), cataloguePath(load));
    }
    static std::set<std::string> writtenFiles(const std::filesystem::path& folder)
    {
        std::set<std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
            if (!entry.is_directory())
                files.insert(std::filesystem::relative(entry.path(), folder).string());
        return files;
    }
    static inline std::filesystem::path* out = nullptr;
    static inline int status = -1;
};

TEST_F(AssetsCommand, WritesEveryCatalogueFileOnceAndTheMapAndNothingElse)
{
    ASSERT_EQ(status, 0);
    std::set<std::string> expected{"map/1.overworld"};
    for (const CatalogueLoad& load : imageCatalogue)
        expected.insert(cataloguePath(load));
    EXPECT_EQ(expected.size(), 198u + 1u);
    EXPECT_EQ(writtenFiles(*out), expected);
    EXPECT_EQ(std::filesystem::file_size(*out / "map/1.overworld"), 65536u);
}

TEST_F(AssetsCommand, TheProgramsReaderLoadsEveryImageAsWritten)
{
    ASSERT_EQ(status, 0);
    allocateImageTable();
    for (const CatalogueLoad& load : imageCatalogue) {
        const std::string path = (*out / cataloguePath(load)).string();
        ASSERT_TRUE(loadBmp(path, load.id)) << path;
        const ImageRecord& entry = imageTable[load.id];
        const ReferenceBmp written = image(load);
        ASSERT_EQ(entry.width, written.width) << path;
        ASSERT_EQ(entry.height, written.height) << path;
        ASSERT_NE(entry.pixels, nullptr) << path;
        // The table keeps the file's bottom-up row order, as the decoder does.
        const std::size_t row = std::size_t(entry.width) * 3;
        for (int y = 0; y < entry.height; ++y)
            ASSERT_TRUE(std::equal(entry.pixels.get() + y * row, entry.pixels.get() + (y + 1) * row,
                                   written.rgb.begin() + y * row))
                << path << " row " << y;
    }
    releaseImageTable();
}

TEST_F(AssetsCommand, EveryImageIsA24BitBmpOfTheShapeItsViewExpects)
{
    ASSERT_EQ(status, 0);
    for (const CatalogueLoad& load : imageCatalogue) {
        const ReferenceBmp picture = image(load);
        const std::string folder = load.folder;
        SCOPED_TRACE(cataloguePath(load));
        EXPECT_EQ(picture.width, picture.height) << "every blitted image is square";
        if (folder == "bmp_land" || folder == "bmp_dungeon" || load.id == 849) {
            EXPECT_EQ(picture.width, 16);
        }
        if (folder == "bmp_cube") {
            EXPECT_TRUE(isPowerOfTwo(picture.width) && isPowerOfTwo(picture.height));
        }
    }
}

TEST_F(AssetsCommand, OnlyTheMarkerUsesTheTransparentKeyColours)
{
    ASSERT_EQ(status, 0);
    for (const CatalogueLoad& load : imageCatalogue) {
        const ReferenceBmp picture = image(load);
        const int keyed = keyPixels(picture);
        if (std::string(load.name) == "unit_mage") {
            EXPECT_GT(keyed, 0) << "the marker needs a transparent surround";
            EXPECT_GT(int(picture.rgb.size() / 3) - keyed, 40) << "and a figure to show";
        } else {
            EXPECT_EQ(keyed, 0) << cataloguePath(load);
        }
    }
}

TEST_F(AssetsCommand, EveryFileHoldsAPictureOfItsOwn)
{
    ASSERT_EQ(status, 0);
    std::map<std::uint64_t, std::string> seen; // pictures by a hash of their pixels
    for (const CatalogueLoad& load : imageCatalogue) {
        std::uint64_t hash = 14695981039346656037ull;
        for (std::uint8_t byte : image(load).rgb)
            hash = (hash ^ byte) * 1099511628211ull;
        const auto [at, added] = seen.emplace(hash, cataloguePath(load));
        EXPECT_TRUE(added || at->second == cataloguePath(load))
            << cataloguePath(load) << " repeats " << at->second;
    }
}

TEST_F(AssetsCommand, AllImagesShareOnePalette)
{
    ASSERT_EQ(status, 0);
    std::set<std::uint32_t> colours;
    for (const CatalogueLoad& load : imageCatalogue) {
        const ReferenceBmp picture = image(load);
        for (std::size_t i = 0; i < picture.rgb.size(); i += 3)
            if (!isKeyColour(&picture.rgb[i]))
                colours.insert(picture.rgb[i] << 16 | picture.rgb[i + 1] << 8 | picture.rgb[i + 2]);
    }
    EXPECT_LE(colours.size(), 48u);
}

TEST_F(AssetsCommand, DungeonWallIsClearlyDarkerThanTheFloors)
{
    ASSERT_EQ(status, 0);
    std::map<std::string, double> luminance;
    for (const CatalogueLoad& load : imageCatalogue)
        if (std::string(load.folder) == "bmp_dungeon")
            luminance[load.name] = meanLuminance(image(load));
    EXPECT_GT(luminance["floor"], luminance["wall"] + 30);
    EXPECT_GT(luminance["floor_marble"], luminance["wall"] + 30);
}

TEST_F(AssetsCommand, WritesTheSameBytesOnEveryRun)
{
    ASSERT_EQ(status, 0);
    const std::filesystem::path again = freshFolder("again");
    ASSERT_EQ(paintRunFolder(again), 0);
    const std::set<std::string> files = writtenFiles(*out);
    ASSERT_EQ(writtenFiles(again), files);
    for (const std::string& file : files)
        EXPECT_EQ(readBytes(*out / file), readBytes(again / file)) << file;
    std::filesystem::remove_all(again);
}

TEST(AssetsCommandLine, RejectsMissingOrUnknownOptionsAndReportsAnUnwritableFolder)
{
    EXPECT_EQ(runTool("assets"), 2);
    EXPECT_EQ(runTool("assets --out"), 2);
    EXPECT_EQ(runTool("assets --colour red --out /tmp"), 2);
    const std::filesystem::path folder = freshFolder("blocked");
    const std::filesystem::path blocker = folder / "file";
    std::fclose(std::fopen(blocker.c_str(), "wb"));
    EXPECT_EQ(runTool("assets --out " + blocker.string()), 2) << "a file stands where the folder should be";
    std::filesystem::remove_all(folder);
}

TEST(AssetsCommandLine, WritesPreviewPicturesAndTheContactSheetOnRequest)
{
    const std::filesystem::path folder = freshFolder("previews");
    ASSERT_EQ(runTool("assets --out " + (folder / "run").string() + " --previews " + (folder / "look").string() +
                      " --sheet " + (folder / "look" / "sheet.png").string()),
              0);
    for (const char* name : {"art_tiles.png", "overworld.png", "overworld_detail.png", "sheet.png"}) {
        const std::vector<std::uint8_t> bytes = readBytes(folder / "look" / name);
        ASSERT_GT(bytes.size(), 8u) << name;
        EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG") << name;
    }
    std::filesystem::remove_all(folder);
}
}
