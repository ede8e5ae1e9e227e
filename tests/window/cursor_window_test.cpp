// The cursor and the window in the real program under an Xvfb X server,
// driven with xdotool: M drags the window's corner along with the cursor,
// and the mouse position the frame reads (the status line's mx and my, the
// crosshair, the mouse look) follows the X server's cursor wherever the
// window is, clamped to the nearest edge outside it.
#include "draw2d/fonts.h"
#include "platform/input.h"
#include "tests/install/test_files.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace {
namespace fs = std::filesystem;

const fs::path testFolder = fs::path(__FILE__).parent_path();

// Where the drag leaves the window, and the 3D view's framebuffer in it.
constexpr int windowLeft = 700, windowTop = 500;
constexpr int windowWidth = 640, windowHeight = 480;
constexpr int screenWidth = 320, screenHeight = 240;

struct CursorPlace {
    const char* name;
    int x, y;   // desktop position
    int mx, my; // what the frame must read there
};

// Outside the window on every side, clamped to the corner there; and inside,
// mapped to the framebuffer pixel under the cursor.
constexpr CursorPlace places[] = {
    {"left-above", 100, 100, 0, screenHeight - 1},
    {"right-below", 1800, 1300, screenWidth - 1, 0},
    {"right-above", 1800, 100, screenWidth - 1, screenHeight - 1},
    {"left-below", 100, 1300, 0, 0},
    {"inside", windowLeft + 201, windowTop + 141, 100, 169},
};

// The status line, read back from a shot glyph by glyph: the large font
// advances 8 pixels, so each cell from x = 12 holds one character, drawn in
// yellow with its rows 1 to 12 on framebuffer rows 30 down to 19.
std::string readStatusLine(const Picture& shot)
{
    constexpr int left = 12, baseline = 31, advance = 8;
    const auto cellMatches = [&](int x0, const char* glyph) {
        for (int row = 1; row <= 12; ++row)
            for (int column = 0; column < advance; ++column) {
                const bool set = glyph && glyph[row * 10 + column] != '0';
                if (set != pixelIs(shot, x0 + column, baseline - row, 255, 255, 0))
                    return false;
            }
        return true;
    };
    std::string text;
    for (int x0 = left; x0 + advance <= shot.width; x0 += advance) {
        char found = '?';
        for (const char c : std::string(" 0123456789SXYZmxy=,-")) {
            if (cellMatches(x0, c == ' ' ? nullptr : largeFont[int(c)])) {
                found = c;
                break;
            }
        }
        text += found;
    }
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

std::string quoted(const fs::path& path)
{
    std::string text = "'";
    text += path.string();
    return text + "'";
}

// "name value" lines of a log, by name.
std::map<std::string, std::string> namedLines(const fs::path& path)
{
    std::map<std::string, std::string> lines;
    std::istringstream text(readText(path));
    for (std::string line; std::getline(text, line);) {
        const std::size_t space = line.find(' ');
        lines[line.substr(0, space)] = space == std::string::npos ? "" : line.substr(space + 1);
    }
    return lines;
}

class CursorInTheRealWindow : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (std::system("command -v Xvfb >/dev/null && command -v xdotool >/dev/null") != 0)
            return;
        logs = new TempFolder;
        std::string command = "bash " + quoted(testFolder / "drive_cursor.sh") + " " +
                              quoted(UNDERCROFT_PROGRAM) + " " + quoted(UNDERCROFT_RUN_DIR) + " " +
                              quoted(logs->path);
        for (const CursorPlace& place : places) {
            for (const std::string& word :
                 {std::string(place.name), std::to_string(place.x), std::to_string(place.y)}) {
                command += ' ';
                command += word;
            }
        }
        driven = std::system((command + " >" + quoted(logs->path / "driver") + " 2>&1").c_str());
        steps = namedLines(logs->path / "steps");
        shots = namedLines(logs->path / "shots");
    }
    static void TearDownTestSuite()
    {
        for (const auto& [name, path] : shots)
            fs::remove(path);
        delete logs;
    }
    void SetUp() override
    {
        if (!logs)
            GTEST_SKIP() << "Xvfb or xdotool missing";
        ASSERT_EQ(driven, 0) << readText(logs->path / "driver") << "stderr:\n"
                             << readText(logs->path / "stderr");
    }
    static inline TempFolder* logs = nullptr;
    static inline int driven = -1;
    static inline std::map<std::string, std::string> steps, shots;
};

// One run of the program for both, the driving takes some seconds.
TEST_F(CursorInTheRealWindow, MDragsTheWindowAndTheFrameReadsTheCursorWhereverTheWindowIs)
{
    EXPECT_EQ(steps["start"], "0,0 640x480");
    EXPECT_EQ(steps["m-at-300,200"], "300,200 640x480");
    EXPECT_EQ(steps["m-at-700,500"], "700,500 640x480") << "the corner stays on the cursor";
    EXPECT_EQ(steps["released"], "700,500 640x480") << "let go, the window stays";
    EXPECT_EQ(readText(logs->path / "status"), "0\n") << "stderr:\n" << readText(logs->path / "stderr");

    // Then, wherever the cursor is, the frame reads it against the window's
    // new place.
    for (const CursorPlace& place : places) {
        SCOPED_TRACE(place.name);
        const Picture shot = readPng(shots[place.name]);
        ASSERT_EQ(shot.width, screenWidth);
        ASSERT_EQ(shot.height, screenHeight);
        const std::string line = readStatusLine(shot);
        const std::string mouse =
            " mx=" + std::to_string(place.mx) + " my=" + std::to_string(place.my);
        EXPECT_NE(line.find(mouse), std::string::npos) << "status line '" << line << "'";
        // A crosshair in a corner shows its two inward arms.
        const bool corner = place.mx % (screenWidth - 1) == 0 && place.my % (screenHeight - 1) == 0;
        EXPECT_EQ(crosshairPixelsShown(shot, place.mx, place.my),
                  corner ? 2 * crosshairArm + 1 : 4 * crosshairArm + 1);
    }
    // The same mapping as the pure function the mouse look and the crosshair
    // use, for the place inside the window.
    EXPECT_EQ(mapCursorAxis(201, windowWidth, screenWidth), 100);
    EXPECT_EQ(mapCursorAxis(windowHeight - 141, windowHeight, screenHeight), 169);
}
} // namespace
