// The tool's subcommands. Each adds its part to the tool's command line and
// returns it with what runs the command once the line has been read; the run
// returns the process exit status (2 for a usage error).
#pragma once

#include "tools/commands/options.h"

// Start-up and the frame loop driven by a key script; the last frame as a PNG.
ToolCommand addSnapshotCommand(CLI::App& tool);

// The whole grid for a seed, written to a file.
ToolCommand addWorldCommand(CLI::App& tool);

// The dungeon plan for a seed, printed as text.
ToolCommand addPlanCommand(CLI::App& tool);

// Start-up and many frames of a seeded random script, sampling resident
// memory; exit status 1 when it grew after the warm-up.
ToolCommand addSoakCommand(CLI::App& tool);

// A box of the world as a MagicaVoxel .vox model.
ToolCommand addVoxCommand(CLI::App& tool);

// A set of snapshots that show the world from chosen views.
ToolCommand addTourCommand(CLI::App& tool);

// The program's images (bmp_* folders) and map/1.overworld into --out.
ToolCommand addAssetsCommand(CLI::App& tool);
