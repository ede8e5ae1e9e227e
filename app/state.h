// The program-wide state the frame loop owns: the quit request, the view cell
// both views centre on, and the one text buffer every drawn line goes through.
#pragma once

#include <csignal>

// 0 while running; 1 once Escape, the window's close request, Ctrl+C or
// SIGTERM asked the loop to end. Written from signal handlers, hence the type.
extern volatile std::sig_atomic_t quitFlag;

// The view cell: column, row and layer of the world cell both views centre on.
extern int SX;
extern int SY;
extern int SZ;

// Every drawn line is formatted into textLine first (bounded by its size),
// then a text routine draws its current content.
constexpr int textLineSize = 256;
extern char textLine[textLineSize];
