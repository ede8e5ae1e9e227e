// The key table of window systems that report keys as events (SDL, the
// browser): each backend feeds it its key and button events, and it answers
// backend.h's key questions from them.
#pragma once

// A key or button of virtual-key code vk went down (held) or up. The
// keyboard's auto-repeat sends more downs while a key is held; those
// (repeated) are no presses. Codes outside 1..255 are ignored.
void noteKeyEvent(int vk, bool held, bool repeated = false);
