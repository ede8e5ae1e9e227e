// The start-up loading driver.
#include "assets/load_assets.h"

#include "assets/bmp.h"
#include "assets/catalogue.h"
#include "assets/image_table.h"
#include "assets/units.h"
#include "platform/report.h"
#include "platform/video.h"
#include "world/generator.h"
#include "world/grid.h"

#include <set>
#include <string>

namespace {

// The player unit starts in the middle of its cell on every axis.
constexpr float cellMiddle = 0.5f;

// A missing picture is simply not drawn; one that is there but cannot be
// read, or is refused, is named on stderr once, however many entries load it.
void loadCataloguePictures()
{
    std::set<std::string> reported;
    for (const CatalogueLoad& load : imageCatalogue) {
        const std::string path = cataloguePath(load);
        std::string why;
        if (!loadBmp(path, load.id, why) && !why.empty() && reported.insert(path).second)
            reportProblem("cannot use " + path + ": " + why);
    }
}

} // namespace

int loadAssets()
{
    setVideoMode(screenWidth, screenHeight);
    allocateWorldGrid();
    allocateImageTable();
    allocateUnitRecords();
    loadCataloguePictures();
    allocateGeneratorStorage();
    UnitRecord& player = playerUnit();
    player.subX = cellMiddle;
    player.subY = cellMiddle;
    player.subZ = cellMiddle;
    return 1;
}
