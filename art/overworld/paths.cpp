// Dijkstra's search over the 256 x 256 cells.
#include "art/overworld/paths.h"

#include "art/overworld/terrain.h"

#include <algorithm>
#include <limits>
#include <queue>

namespace {
constexpr double diagonalFactor = 1.4;

// The path back from `goal`, with a corner cell inserted at every diagonal.
std::vector<int> tracePath(const std::vector<int>& previous, int goal,
                           const std::function<double(int, int)>& stepCost)
{
    std::vector<int> path{goal};
    for (int cell = goal; previous[cell] != -1; cell = previous[cell]) {
        const int before = previous[cell];
        const int dx = cell % overworldSide - before % overworldSide;
        const int dy = cell / overworldSide - before / overworldSide;
        if (dx != 0 && dy != 0) {
            const int across = before + dx, along = before + dy * overworldSide;
            path.push_back(stepCost(before, across) <= stepCost(before, along) ? across : along);
        }
        path.push_back(before);
    }
    std::reverse(path.begin(), path.end());
    return path;
}
}

std::vector<int> cheapestPath(int start, const std::function<bool(int)>& isGoal,
                              const std::function<double(int, int)>& stepCost)
{
    std::vector<double> cost(overworldCells, std::numeric_limits<double>::max());
    std::vector<int> previous(overworldCells, -1);
    using Entry = std::pair<double, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    cost[start] = 0;
    open.push({0, start});
    while (!open.empty()) {
        const auto [spent, cell] = open.top();
        open.pop();
        if (spent > cost[cell])
            continue;
        if (cell != start && isGoal(cell))
            return tracePath(previous, cell, stepCost);
        const int x = cell % overworldSide, y = cell / overworldSide;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                if ((dx == 0 && dy == 0) || !onMap(x + dx, y + dy))
                    continue;
                const int next = cellOf(x + dx, y + dy);
                const double step = stepCost(cell, next) * (dx != 0 && dy != 0 ? diagonalFactor : 1.0);
                if (spent + step < cost[next]) {
                    cost[next] = spent + step;
                    previous[next] = cell;
                    open.push({cost[next], next});
                }
            }
    }
    return {};
}
