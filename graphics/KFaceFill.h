// The software fill engine behind CKCanvas::FillFace, FillFaceNoBorder, FillRect and
// FillRoundRect: a face is painted into one reused 32-bit scratch image (border bands, fill by
// mode, anti-aliased rounded corners), which the canvas then puts on its DC in one go with
// per-pixel alpha (KFaceRender tells it where blending is needed at all).
#pragma once
#include "graphics/KFace.h"

class CKImage;

// What KRenderFace painted, for the one blit that follows.
struct KFaceRender
{
    CKImage* image;         // borrowed: the scratch image, its top-left w x h painted
    bool transparent;       // every pixel is transparent: there is nothing to blit
    bool opaque;            // every pixel outside the rounded corner boxes is opaque
    unsigned int corners;   // the KCORNER_* corners that are rounded
    int cornerW, cornerH;   // the size of each rounded corner's box
};

// Paints a face into the top-left w x h pixels of the scratch image; 0 (nothing painted) for an
// empty size or when the scratch image cannot grow. Pixels are premultiplied.
// - `flags`: the fill mode and direction, the corner bits and the border-side bits.
// - `borderWidth` > 0 (FillFace): when the face is rounded (roundW > 0) each rounded corner adds
//   its two sides; then, unless the width exceeds w or h, bands of that width in `borderColor` are
//   drawn in the order top, bottom, left, right, each shrinking the rectangle left to fill, and
//   the corner curves get the border colour. 0: no border (coverage only scales the fill).
// - Fill of the inner rectangle: see KFace.h for the modes. Gradients interpolate the four bytes
//   of the premultiplied pixels in 16.16 fixed point from the segment's first colour at its
//   first pixel toward its second colour, which the pixel after the segment would reach, so that
//   halves and thirds join without repeating a colour. Stripe thicknesses of 0 (or below) take
//   UnitToPixels(5, 1) and UnitToPixels(2, 1).
// - Rounded corners (rx = roundW / 2, ry = roundH / 2, at most w and h): for each corner bit the
//   mask (graphics/KCornerMask.h) is applied, mirrored for right and bottom corners: outside the
//   curve the pixel is cleared, on the border band it becomes the border colour by coverage, and
//   inside it keeps its fill scaled by coverage.
int KRenderFace(int w, int h, const KFace& face, unsigned int flags, int borderWidth,
                KColor borderColor, KFaceRender* result);

// Drawing module shut-down: deletes the scratch image and frees the corner mask.
void KReleaseFillBuffers();
