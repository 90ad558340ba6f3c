// Nine-patch drawing of image drawables: a source rectangle split by insets into corners that keep
// their size, edges stretched along one axis and a centre stretched both ways; in the extended form
// the middle of each axis also holds a fixed part (a decoration that keeps its size while the face
// grows), which makes a 5 x 5 grid of pieces.
#pragma once
#include <windows.h>

class CKCanvas;
class CKImage;

// The six values of a nine-patch, in pixels: insets, then the fixed middle part.
constexpr int KPATCH_LEFT = 0;
constexpr int KPATCH_TOP = 1;
constexpr int KPATCH_RIGHT = 2;
constexpr int KPATCH_BOTTOM = 3;
constexpr int KPATCH_FIXED_WIDTH = 4;    // 0 or less: the whole middle column stretches
constexpr int KPATCH_FIXED_HEIGHT = 5;   // 0 or less: the whole middle row stretches
constexpr int KPATCH_VALUES = 6;

// Anchor of DrawNinePatch: the fixed part is centred in the destination's middle.
constexpr int KPATCH_CENTRED = -1;

// Draws `source` of `image` into `dest` by the six values (a negative inset counts as 0). Per axis,
// with a fixed part f of a middle m (source) and M (destination): the source splits into
// (m - f) / 2 stretchable, f fixed, the rest stretchable; the destination into (M - f) / 2, f, the
// rest, or, with an anchor of 0 or more, so that the fixed part starts `anchor` pixels from the
// destination's edge. Corners and fixed parts are copied 1:1, the others stretched; a piece is
// drawn only when its source and destination are at least 1 x 1, and, without `hasCenter`, only
// when it lies on the outer ring (the middle pieces are the centre). Every piece is drawn with
// CKCanvas::StretchImage.
void DrawNinePatch(CKCanvas* canvas, const RECT& dest, const CKImage* image, const RECT& source,
                   const int values[KPATCH_VALUES], int hasCenter, int anchorX, int anchorY);
