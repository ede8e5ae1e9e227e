// The overworld map file: one byte per cell of layer 0, row 0 first.
#pragma once

#include <string>

// "map/<mapNumber>.overworld": the map file's path, relative to the working
// directory.
std::string overworldMapPath(int mapNumber);

// Reads "map/<mapNumber>.overworld" (relative to the working directory) into
// layer 0: up to one layer of bytes, a short file filling what it has. Then
// pauses 1000 ms. A file that is missing or unreadable (a directory, say)
// leaves layer 0 alone and costs no pause; nothing is ever created.
void readOverworldMap(int mapNumber);
