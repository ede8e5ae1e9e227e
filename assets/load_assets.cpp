// The start-up loading driver.
#include "assets/load_assets.h"

#include "assets/bmp.h"
#include "assets/catalogue.h"
#include "assets/image_table.h"
#include "assets/units.h"
#include "platform/video.h"
#include "world/generator.h"
#include "world/grid.h"

namespace {

// The player unit starts in the middle of its cell on every axis.
constexpr float cellMiddle = 0.5f;

} // namespace

int loadAssets()
{
    setVideoMode(screenWidth, screenHeight);
    allocateWorldGrid();
    allocateImageTable();
    allocateUnitRecords();
    for (const CatalogueLoad& load : imageCatalogue)
        loadBmp(cataloguePath(load), load.id); // a missing picture is simply not drawn
    allocateGeneratorStorage();
    UnitRecord& player = playerUnit();
    player.subX = cellMiddle;
    player.subY = cellMiddle;
    player.subZ = cellMiddle;
    return 1;
}
