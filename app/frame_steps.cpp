// The map mode's framing of the view cell, the player unit's copy of the view
// cell after a 3D frame, and the status lines of every frame.
#include "app/frame_steps.h"

#include "assets/units.h"
#include "draw2d/blit.h"
#include "draw2d/map_view.h"
#include "draw2d/text.h"
#include "platform/input.h"
#include "platform/video.h"
#include "world/view_cell.h"

#include <climits>
#include <cstdio>

namespace {
constexpr int markerImage = 849;    // the mage unit image
constexpr int markerX = mapOriginOffset * mapTileSize; // the view cell's tile
constexpr int markerY = mapOriginOffset * mapTileSize;

constexpr int textLeft = 12;
constexpr int statusR = 255, statusG = 255, statusB = 0;

const char* const bannerText = "OSTREVANER001";
const char* const creditText = "Undercroft - F6 3D view, F7 map, F1-F5 scale, Esc quits";

// The origin saturates at INT_MIN rather than overflowing; a view cell that
// far out shows no map either way. The view cell itself is put back as it was.
int mapOrigin(int viewCell)
{
    return viewCell < INT_MIN + mapOriginOffset ? INT_MIN : viewCell - mapOriginOffset;
}
}

void drawMapAroundViewCell()
{
    const int viewX = SX;
    const int viewY = SY;
    SX = mapOrigin(viewX);
    SY = mapOrigin(viewY);
    drawMapView();
    blitImageKeyed(markerX, markerY, markerImage);
    SX = viewX;
    SY = viewY;
}

void copyViewCellToPlayer()
{
    UnitRecord& player = playerUnit();
    player.cellX = std::uint16_t(SX);
    player.cellY = std::uint16_t(SY);
    player.cellZ = std::uint16_t(SZ);
}

void drawStatusLines()
{
    std::snprintf(textLine, sizeof textLine, "%s", bannerText);
    drawTextLarge(textLeft, screenHeight - 14, statusR, statusG, statusB);

    std::snprintf(textLine, sizeof textLine, "%s", creditText);
    drawTextSmall(textLeft, 14, statusR, statusG, statusB);

    // The map mode shows the map origin, not the view cell; formed in 64 bits
    // so that no view cell can overflow it.
    const long long shown = screenWidth == mapViewMode.width ? mapOriginOffset : 0;
    const int mx = mouseX();
    const int my = mouseY();
    std::snprintf(textLine, sizeof textLine, "SX=%lld,SY=%lld,SZ=%d mx=%d my=%d", SX - shown,
                  SY - shown, SZ, mx, my);
    drawTextLarge(textLeft, 31, statusR, statusG, statusB);
}
