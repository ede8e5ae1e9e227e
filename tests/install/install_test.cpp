// cmake --install into a temporary prefix: the files it lays out, and the
// installed program started from a folder without images, in an Xvfb X
// server, finding its data beside its executable.
#include "platform/input.h"
#include "tests/bmp_reference.h"
#include "tests/install/test_files.h"

#include <gtest/gtest.h>

#include <set>

namespace {
namespace fs = std::filesystem;

const fs::path buildFolder = fs::path(UNDERCROFT_RUN_DIR).parent_path();
const fs::path testFolder = fs::path(__FILE__).parent_path();
const char* const dataFolders[] = {"bmp_cross", "bmp_unit", "bmp_land", "bmp_dungeon",
                                   "bmp_structure", "bmp_item", "bmp_scr", "bmp_cube", "map"};

// The map view blits the marker with its lower-left corner here.
constexpr int markerX = 240, markerY = 240;

// Where run_installed.sh puts the cursor for the screenshot, on the map
// view's window (640 x 480 at scale 2, top-left corner at the desktop's).
constexpr int cursorX = 400, cursorY = 300;
constexpr int mapWidth = 640, mapHeight = 480, mapScale = 2;

std::string quoted(const fs::path& path)
{
    std::string text = "'";
    text += path.string();
    return text + "'";
}

bool commandExists(const char* name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Every regular file under `root`, relative to it.
std::set<fs::path> filesUnder(const fs::path& root)
{
    std::set<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files.insert(entry.path().lexically_relative(root));
    return files;
}

std::set<fs::path> expectedFiles()
{
    std::set<fs::path> files = {"bin/undercroft", "bin/undercroft-tool",
                                "share/applications/undercroft.desktop",
                                "share/icons/hicolor/64x64/apps/undercroft.png",
                                "share/metainfo/org.undercroft.Undercroft.metainfo.xml",
                                "share/man/man6/undercroft.6.gz",
                                "share/man/man6/undercroft-tool.6.gz",
                                "share/doc/undercroft/copyright",
                                "share/doc/undercroft/changelog.gz"};
    for (const char* folder : dataFolders)
        for (const fs::path& file : filesUnder(UNDERCROFT_RUN_DIR / fs::path(folder)))
            files.insert("share/undercroft" / fs::path(folder) / file);
    return files;
}

class InstalledProgram : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prefix = new TempFolder;
        const std::string command = "cmake --install " + quoted(buildFolder) + " --prefix " +
                                    quoted(prefix->path) + " 2>&1";
        std::FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        while (pipe && std::fgets(buffer, sizeof buffer, pipe))
            installLog += buffer;
        installStatus = pipe ? pclose(pipe) : -1;
    }
    static void TearDownTestSuite() { delete prefix; }
    void SetUp() override { ASSERT_EQ(installStatus, 0) << installLog; }

    static inline TempFolder* prefix = nullptr;
    static inline int installStatus = -1;
    static inline std::string installLog;
};

// How many of the marker's drawn pixels the screenshot shows exactly as the
// installed marker image holds them (its keyed colours are not drawn).
int markerPixelsShown(const Picture& shot, const fs::path& markerFile, int& drawn)
{
    const ReferenceBmp marker = referenceDecodeFile(markerFile);
    if (marker.outcome != BmpOutcome::loaded)
        return 0;
    int shown = 0;
    drawn = 0;
    for (int i = 0; i < marker.height; ++i)
        for (int j = 0; j < marker.width; ++j) {
            const std::uint8_t* pixel = marker.rgb.data() + (i * marker.width + j) * 3;
            const bool magenta = pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 246;
            if (magenta || (pixel[0] | pixel[1] | pixel[2]) == 0)
                continue;
            ++drawn;
            const int row = shot.height - 1 - (markerY + i);
            const std::size_t at = (std::size_t(row) * shot.width + markerX + j) * 3;
            const std::uint8_t* saved = shot.rgb.data() + at;
            shown += std::equal(pixel, pixel + 3, saved);
        }
    return shown;
}
}

TEST_F(InstalledProgram, LaysOutTheProgramsTheirDataADesktopEntryAndAnIcon)
{
    EXPECT_EQ(filesUnder(prefix->path), expectedFiles());
    for (const char* program : {"bin/undercroft", "bin/undercroft-tool"})
        EXPECT_NE(fs::status(prefix->path / program).permissions() & fs::perms::owner_exec,
                  fs::perms::none);

    const std::string entry = readText(prefix->path / "share/applications/undercroft.desktop");
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
    for (const char* line : {"\nName=undercroft\n", "\nExec=undercroft\n", "\nIcon=undercroft\n",
                             "\nCategories=Game;\n", "\nType=Application\n"})
        EXPECT_NE(entry.find(line), std::string::npos) << line;

    const Picture icon = readPng(prefix->path / "share/icons/hicolor/64x64/apps/undercroft.png");
    ASSERT_EQ(icon.width, 64);
    ASSERT_EQ(icon.height, 64);
    std::set<std::uint32_t> colours;
    for (std::size_t i = 0; i < icon.rgb.size(); i += 3)
        colours.insert(icon.rgb[i] << 16 | icon.rgb[i + 1] << 8 | icon.rgb[i + 2]);
    EXPECT_GT(colours.size(), 8u); // a picture, not a blank square
    EXPECT_FALSE(colours.count(0xff00f6)) << "the marker's key colour shows";
}

TEST_F(InstalledProgram, StartedElsewhereItFindsItsDataAndSavesAScreenshotThere)
{
    if (!commandExists("Xvfb") || !commandExists("xdotool"))
        GTEST_SKIP() << "Xvfb or xdotool missing";
    TempFolder work, logs;
    const std::string command = "bash " + quoted(testFolder / "run_installed.sh") + " " +
                                quoted(prefix->path / "bin/undercroft") + " " +
                                quoted(work.path) + " " + quoted(logs.path);
    const int driven = std::system(command.c_str());
    const std::string out = readText(logs.path / "stdout");
    ASSERT_EQ(driven, 0) << "stdout:\n" << out << "stderr:\n" << readText(logs.path / "stderr");

    EXPECT_EQ(readText(logs.path / "status"), "0\n");
    EXPECT_EQ(readText(logs.path / "stderr"), "");
    const fs::path data = prefix->path / "share/undercroft";
    EXPECT_EQ(out.rfind("data from " + data.string() + "\nworld seed ", 0), 0u) << out;
    const std::vector<fs::path> shots = filesIn(work.path / "screenshots");
    ASSERT_EQ(shots.size(), 1u) << out;
    const std::string shotPath = shots[0].string();
    EXPECT_NE(out.find("\n" + shotPath + "\n"), std::string::npos) << out;

    // Layer 12, the start, has no map tiles; the marker on the view cell is
    // the map's one picture there, and it can only come from the data.
    const Picture shot = readPng(shots[0]);
    ASSERT_EQ(shot.width, 640);
    ASSERT_EQ(shot.height, 480);
    int drawn = 0;
    const int shown = markerPixelsShown(shot, data / "bmp_unit/unit_mage.bmp", drawn);
    EXPECT_GT(drawn, 50);
    EXPECT_EQ(shown, drawn);

    // The crosshair follows the real cursor of the X server.
    const int mx = mapCursorAxis(cursorX, mapWidth * mapScale, mapWidth);
    const int my = mapCursorAxis(mapHeight * mapScale - cursorY, mapHeight * mapScale, mapHeight);
    EXPECT_EQ(crosshairPixelsShown(shot, mx, my), 4 * crosshairArm + 1) << mx << "," << my;
}
