// The keys the frame loop reads after presenting a frame.
#pragma once

// F1 to F5: the pixel scale, each held key reopening the window.
void handleWindowKeys();

// Escape asks to quit; F6 and F7 switch the video mode. Each is tested on its
// own, so a quit request does not cancel a switch in the same frame.
void handleQuitAndModeKeys();
