// The value syntax of the drawable files (graphics/CKDrawableXml.h): lengths in every unit, lists
// of lengths and of integers, colours and colour lists, booleans and the keyword tables. Every
// function reads narrow attribute text and accepts none for a missing attribute.
#pragma once
#include "graphics/KColor.h"

// Lengths read from a file are saturated to +-this many pixels (far beyond any screen), so that
// sums of margins, paddings and coordinates stay defined whatever a loose file says.
constexpr int KDRAWABLE_MAX_LENGTH = 0x1000000;
// Largest font size taken from a file, in base units: the font key keeps size x 100 in 16 bits.
constexpr float KDRAWABLE_MAX_FONT_SIZE = 655.0f;

// A length in whole pixels, read by ParseLength of foundation/KDevMetrics.h (a number, then "px",
// "in", "mm", "pt", "LD", "HD" or nothing for base units; any other suffix reads as pixels),
// truncated toward zero and saturated. Reads up to the first ','. None reads as 0.
int ParseLengthValue(const char* text);
// A comma-separated list of lengths into values[0..capacity-1]; returns how many were read. Items
// beyond `capacity` are ignored; the slots of items not present are left as they were.
int ParseLengthList(const char* text, int* values, int capacity);
// The same for integers: optional blanks, an optional sign, decimal digits up to the first other
// character (no digits: 0).
int ParseIntList(const char* text, int* values, int capacity);

// One colour in braces: "{r, g, b}" or "{r, g, b, a}" (decimal, each clamped to 0..255, alpha 255
// when omitted; a missing component is 0), "{#RRGGBB}" (opaque) or "{#AARRGGBB}"; hexadecimal of
// any other length gives opaque black. `text` may start with blanks. Returns 1 and stores the
// colour and the position after the closing brace (or after the text, when the brace is missing);
// 0 when the text does not start with '{'.
int ParseColor(const char* text, KColor* color, const char** end);
// A list "c0, c1, c2, c3": c0 fills all four slots, each further colour replaces the next slot;
// colours after the fourth are read over and ignored. Returns how many colours were read (0 leaves
// `colors` as it was). Reading stops at the first item that is not a colour.
int ParseColorList(const char* text, KColor colors[4]);

// "true" (any case) or "1" -> 1; any other text -> 0; none -> `missing`.
int ParseBool(const char* text, int missing);

// Single keywords (case-sensitive; unknown or none -> 0):
// "state": "normal" 0, "selected" and "focused" KSTATE_SELECTED, "pressed", "disabled".
unsigned int ParseStateKeyword(const char* text);
// "mode": "none", "solid", "g1c2", "g2c3", "g2c4", "g3c4", "l2c2" -> the fill mode in bits 24-27.
unsigned int ParseModeKeyword(const char* text);
// "gradient": "vert" -> KFACE_VERTICAL (top to bottom).
unsigned int ParseGradientKeyword(const char* text);
// "auto" of images: "auto", "xhd", "xxhd", "hd", "md", "ld" -> the KIMG_* density flag.
unsigned int ParseDensityKeyword(const char* text);

// Keyword lists (items end at ',' or the end, blanks around an item are ignored, whole items only;
// the values are ORed and reading stops at the first unknown item):
// "redge": "auto" KSTYLE_AUTO_CORNERS, "rect" all corners, "left", "right", "top", "bottom" two
// corners each, "topleft", "topright", "bottomleft", "bottomright" one each.
unsigned int ParseCornerList(const char* text);
// "edge": "auto" KSTYLE_AUTO_EDGES, "rect" all sides, "left", "right", "top", "bottom".
unsigned int ParseEdgeList(const char* text);
