// F12: the frame as shown, saved as a PNG file named by date and time.
#pragma once

#include <ctime>
#include <filesystem>
#include <string>

// Where screenshots go; a relative folder counts from the current directory
// at the moment of the shot. "screenshots" until pinScreenshotFolder.
extern std::filesystem::path screenshotFolder;

// Shots that could not be saved since the program started, each reported on
// stderr: the tool's key scripts fail when one did.
extern int screenshotFailures;

// Makes screenshotFolder absolute against the current directory, so that a
// later change into the data folder does not move it. When the current
// directory cannot be read (deleted while the program was started in it),
// every shot is refused instead, saying so: counted from the data folder it
// would land there.
void pinScreenshotFolder();

// "undercroft-YYYYMMDD-HHMMSS.png" for the first shot of that second, with
// "-2", "-3" ... before ".png" for the second, third ...
std::string screenshotName(const std::tm& time, int sequence);

// Writes the framebuffer (RGB, top row first) to a new file in
// screenshotFolder named for `time`, creating the folder, never replacing a
// file. Returns the path written; on failure returns an empty path, prints
// one line on stderr and leaves no partial file behind.
std::filesystem::path saveScreenshot(const std::tm& time);

// The frame step after presentFrame: saves the framebuffer once for every
// press of F12 since the previous frame (not again while it stays held),
// printing each path on stdout.
void takeScreenshotOnF12();
