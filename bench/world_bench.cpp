// World build timings for one fixed seed: the whole generator with the passes
// and shafts, and each phase on its own.
#include "world/generator.h"
#include "world/grid.h"
#include "world/random.h"
#include "world/world_passes.h"

#include <benchmark/benchmark.h>

namespace {
constexpr std::uint32_t benchSeed = 20240601;

// A zeroed grid and fresh generator storage, as start-up has them.
void freshWorld()
{
    allocateWorldGrid();
    allocateGeneratorStorage();
}

// The generator claims only empty squares, so each run starts from empty plans.
void clearPlanLayers()
{
    fillLayers(firstPlanLayer, firstPlanLayer + dungeonLevelCount - 1, 0);
}

void runGenerator()
{
    seedRandom(benchSeed);
    generateDungeon(128, 128, firstPlanLayer, dungeonLevelCount, 32, 400);
}

void buildWorldFromScratch()
{
    clearPlanLayers();
    runGenerator();
    fillWorldLayers();
    raiseOverworld();
    carveDungeonLevels();
    openShafts();
}

void WholeWorld(benchmark::State& state)
{
    freshWorld();
    for (auto _ : state)
        buildWorldFromScratch();
}
BENCHMARK(WholeWorld)->Unit(benchmark::kMillisecond);

void GenerateDungeon(benchmark::State& state)
{
    freshWorld();
    for (auto _ : state) {
        state.PauseTiming();
        clearPlanLayers();
        state.ResumeTiming();
        runGenerator();
    }
}
BENCHMARK(GenerateDungeon)->Unit(benchmark::kMillisecond);

// One pass over a world whose dungeon has been generated.
template <void (*pass)()>
void WorldPass(benchmark::State& state)
{
    freshWorld();
    runGenerator();
    fillWorldLayers();
    for (auto _ : state)
        pass();
}
BENCHMARK(WorldPass<fillWorldLayers>)->Name("FillWorldLayers")->Unit(benchmark::kMillisecond);
BENCHMARK(WorldPass<raiseOverworld>)->Name("RaiseOverworld")->Unit(benchmark::kMillisecond);
BENCHMARK(WorldPass<carveDungeonLevels>)->Name("CarveDungeonLevels")->Unit(benchmark::kMillisecond);
BENCHMARK(WorldPass<openShafts>)->Name("OpenShafts")->Unit(benchmark::kMillisecond);
}
