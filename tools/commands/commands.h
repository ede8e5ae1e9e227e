// The tool's subcommands; each takes the words after its name and returns the
// process exit status (2 for a usage error).
#pragma once

#include <string>
#include <vector>

int runSnapshotCommand(const std::vector<std::string>& args);
int runWorldCommand(const std::vector<std::string>& args);
int runPlanCommand(const std::vector<std::string>& args);

// Runs start-up and many frames of a seeded random script, sampling resident
// memory; exit status 1 when it grew after the warm-up.
int runSoakCommand(const std::vector<std::string>& args);

// Writes a box of the world as a MagicaVoxel .vox model.
int runVoxCommand(const std::vector<std::string>& args);

// Writes a set of snapshots that show the world from chosen views.
int runTourCommand(const std::vector<std::string>& args);

// Writes the program's images (bmp_* folders) and map/1.overworld into --out.
int runAssetsCommand(const std::vector<std::string>& args);
