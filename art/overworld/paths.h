// Cheapest paths across the overworld, for rivers and roads.
#pragma once

#include <functional>
#include <vector>

// The cheapest path from cell `start` to the first cell for which `isGoal`
// holds, moving to any of the 8 neighbours; `stepCost` (from, to) prices a
// straight step, a diagonal one costs 1.4 times as much. The cells returned
// run from start to goal and are 4-connected: a diagonal step also takes the
// cheaper of its two corner cells, so a river or road drawn on them never
// touches only at a corner. Empty when no goal is reachable.
std::vector<int> cheapestPath(int start, const std::function<bool(int)>& isGoal,
                              const std::function<double(int, int)>& stepCost);
