// Choosing the data folder at start-up, over temporary folders: the current
// folder when it holds the images, else the installed one, else neither.
#include "assets/data_folder.h"
#include "tests/install/test_files.h"

#include <gtest/gtest.h>

namespace {
const char* const imageFolders[] = {"bmp_cross", "bmp_unit", "bmp_land", "bmp_dungeon",
                                    "bmp_structure", "bmp_item", "bmp_scr", "bmp_cube"};

void makeImageFolders(const std::filesystem::path& folder)
{
    for (const char* name : imageFolders)
        std::filesystem::create_directories(folder / name);
}

class DataFolder : public testing::Test {
protected:
    void SetUp() override
    {
        started = std::filesystem::current_path();
        std::filesystem::create_directories(current);
        std::filesystem::create_directories(installed);
        std::filesystem::current_path(current);
    }
    void TearDown() override { std::filesystem::current_path(started); }

    // Runs useDataFolder and returns what it printed on stdout and stderr.
    std::pair<std::string, std::string> use()
    {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        useDataFolder({installed, built});
        std::string err = testing::internal::GetCapturedStderr();
        return {testing::internal::GetCapturedStdout(), err};
    }

    TempFolder temp;
    std::filesystem::path started;
    std::filesystem::path current = temp.path / "home";
    std::filesystem::path installed = temp.path / "share" / "undercroft";
    std::filesystem::path built = temp.path / "build" / "run";
};
}

TEST_F(DataFolder, TheCurrentFolderWinsWhenItHoldsEveryImageFolder)
{
    makeImageFolders(current);
    makeImageFolders(installed);
    EXPECT_EQ(pickDataFolder(current, {installed, built}), current);
    const auto [out, err] = use();
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "");
    EXPECT_EQ(std::filesystem::current_path(), current);
}

TEST_F(DataFolder, TheInstalledFolderIsEnteredWhenTheCurrentOneLacksAnImageFolder)
{
    makeImageFolders(current);
    std::filesystem::remove(current / "bmp_cube");
    writeText(current / "bmp_cube", "a file is no folder");
    makeImageFolders(installed);
    EXPECT_EQ(pickDataFolder(current, {installed, built}), installed);
    const auto [out, err] = use();
    EXPECT_EQ(out, "data from " + installed.string() + "\n");
    EXPECT_EQ(err, "");
    EXPECT_EQ(std::filesystem::current_path(), installed);
}

TEST_F(DataFolder, WithNeitherTheProgramStaysAndSaysSoInOneLine)
{
    makeImageFolders(installed);
    std::filesystem::remove(installed / "bmp_unit");
    EXPECT_EQ(pickDataFolder(current, {installed, built}), std::nullopt);
    EXPECT_EQ(pickDataFolder(current, {}), std::nullopt); // the executable's path was unknown
    const auto [out, err] = use();
    EXPECT_EQ(out, "");
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    // The installed folder holds all but one: it is named for what it lacks.
    EXPECT_EQ(err, "undercroft: no image folders in " + current.string() + " or " +
                       built.string() + ", and no bmp_unit in " + installed.string() +
                       "; going on without images\n");
    EXPECT_EQ(std::filesystem::current_path(), current);
}

TEST_F(DataFolder, EachPlaceIsNamedOnceWhenTheInstalledFolderIsTheCurrentOne)
{
    // On Windows the installed folder is the executable's, often the current
    // one; a second spelling of it (a trailing separator) is the same place.
    EXPECT_EQ(missingImagesText(current, {current, current / "", built}),
              "no image folders in " + current.string() + " or " + built.string());
    makeImageFolders(current);
    std::filesystem::remove(current / "bmp_scr");
    EXPECT_EQ(missingImagesText(current, {current}), "no bmp_scr in " + current.string());
}

TEST_F(DataFolder, AProgramStartedFromItsBuildFolderFindsTheBuildsRuntimeFolder)
{
    makeImageFolders(built);
    EXPECT_EQ(pickDataFolder(current, {installed, built}), built);
    const auto [out, err] = use();
    EXPECT_EQ(out, "data from " + built.string() + "\n");
    EXPECT_EQ(std::filesystem::current_path(), built);
}

TEST_F(DataFolder, WithSomeImageFoldersHereTheLineNamesTheMissingOnes)
{
    makeImageFolders(current);
    std::filesystem::remove(current / "bmp_cube");
    std::filesystem::remove(current / "bmp_scr");
    EXPECT_EQ(missingImageFolders(current), (std::vector<std::string>{"bmp_scr", "bmp_cube"}));
    const auto [out, err] = use();
    EXPECT_EQ(out, "");
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("no bmp_scr, bmp_cube in " + current.string()), std::string::npos) << err;
    EXPECT_NE(err.find(installed.string()), std::string::npos) << err;
    EXPECT_NE(err.find(built.string() + "); going on without their images"), std::string::npos)
        << err;
    EXPECT_EQ(std::filesystem::current_path(), current);
}
