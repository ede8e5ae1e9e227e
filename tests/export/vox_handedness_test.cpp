// The vox export maps column, row, up to MagicaVoxel's x, y, z, a right-handed
// frame with z up, mirroring no axis. That keeps the model true to the
// program only while its 3D view shows column, row, up right-handed as well:
// looking along increasing columns with layer 0 overhead, increasing rows lie
// to the left and smaller layers above.
#include "../view3d/view_fixture.h"

#include "view3d/scene3d.h"

#include <algorithm>

namespace {
struct Centre {
    double x = 0, y = 0;
    int pixels = 0;
};

// The mean position of the drawn pixels of the last 3D frame (y from the
// bottom, like the framebuffer).
Centre drawnCentre()
{
    Centre centre;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            if (framebuffer[(std::size_t(y) * 320 + x) * 4 + 3] != 0) {
                centre.x += x;
                centre.y += y;
                ++centre.pixels;
            }
    if (centre.pixels > 0) {
        centre.x /= centre.pixels;
        centre.y /= centre.pixels;
    }
    return centre;
}

class ViewHandedness : public View3D {
protected:
    // A frame with only the cell 4 columns ahead of the camera cell, `side`
    // rows and `up` layers away from it.
    static Centre drawCubeAt(int side, int up)
    {
        std::fill(worldGrid.get(), worldGrid.get() + worldCellCount, Air);
        occupy(homeCell + 4, homeCell + side, homeCell - up);
        clearFrame();
        updateScene3D();
        return drawnCentre();
    }
};
}

TEST_F(ViewHandedness, TheViewShowsColumnRowUpAsARightHandedFrame)
{
    viewYaw = 90; // level, towards increasing columns
    const Centre ahead = drawCubeAt(0, 0);
    ASSERT_GT(ahead.pixels, 0) << "yaw 90 does not look along increasing columns";
    EXPECT_NEAR(ahead.x, 160, 8);
    EXPECT_NEAR(ahead.y, 120, 8);

    const Centre nextRow = drawCubeAt(2, 0);
    ASSERT_GT(nextRow.pixels, 0);
    EXPECT_LT(nextRow.x, 140) << "a larger row is not on the left";

    const Centre higher = drawCubeAt(0, 2);
    ASSERT_GT(higher.pixels, 0);
    EXPECT_GT(higher.y, 140) << "a smaller layer is not above";
}
