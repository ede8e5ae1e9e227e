// The two bitmap fonts, as tables of '0'/'1' glyph strings.
#pragma once

// Small proportional font, indexed by character code 0..127. A glyph is 11
// rows of 8 characters (the space: 10 rows); row 0 is a header whose first
// character is the advance width '1'..'7', rows 1..9 the picture. Entries
// without a glyph hold short placeholder strings that are not glyphs.
extern const char* const smallFont[128];

// Large fixed-advance font, indexed by character code 0..255. A glyph is 13
// rows of 10 characters; rows 1..12, columns 0..7 are drawn; the advance is
// 8. Entries without a glyph are placeholders, a small-layout string (142) or
// null.
extern const char* const largeFont[256];
