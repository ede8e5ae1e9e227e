// The key table of window systems that report keys as events (SDL, the
// browser): each backend feeds it its key and button events and answers the
// key questions of backend.h from it.
#pragma once

// A key or button of virtual-key code vk went down (held) or up. The
// keyboard's auto-repeat sends more downs while a key is held; those
// (repeated) are no presses. Codes outside 1..255 are ignored.
void noteKeyEvent(int vk, bool held, bool repeated = false);

// Whether the events left the key or button held.
bool keyEventHeld(int vk);

// How many times the key or button went down since the previous call for it.
int takeKeyEventPresses(int vk);

// Forgets every key and button the events hold down.
void releaseKeyEvents();
