// The multi-colour face record (fill mode, direction, rounding, colours) that colour drawables keep
// per state and the fill engine paints, with the corner and border-side bits that go with it.
#pragma once
#include "graphics/KColor.h"

// Fill mode field of KFace::flags (bits 24-27) and its values.
constexpr unsigned int KFACE_MODE_MASK = 0x0F000000;
constexpr int KFACE_MODE_SHIFT = 24;
constexpr int KFILL_NONE = 0;   // "none": transparent
constexpr int KFILL_SOLID = 1;  // "solid": c0
constexpr int KFILL_G1C2 = 2;   // "g1c2": one gradient c0 -> c1 across the whole extent
constexpr int KFILL_G2C3 = 3;   // "g2c3": halves c0 -> c1, c1 -> c2
constexpr int KFILL_G2C4 = 4;   // "g2c4": halves c0 -> c1, c2 -> c3
constexpr int KFILL_G3C4 = 5;   // "g3c4": thirds c0 -> c1, c1 -> c2, c2 -> c3
constexpr int KFILL_L2C2 = 6;   // "l2c2": stripes of c0 and c1, thicknesses in color[2], color[3]

// Direction bit: gradients run top to bottom (else left to right); stripes advance left to right
// (vertical stripes; else top to bottom).
constexpr unsigned int KFACE_VERTICAL = 0x100000;

// Corner bits: which corners of a face are rounded.
constexpr unsigned int KCORNER_TOPLEFT = 0x1000;
constexpr unsigned int KCORNER_TOPRIGHT = 0x2000;
constexpr unsigned int KCORNER_BOTTOMLEFT = 0x4000;
constexpr unsigned int KCORNER_BOTTOMRIGHT = 0x8000;
constexpr unsigned int KCORNER_ALL = 0xF000;

// Border-side bits: which sides of a face get a border band.
constexpr unsigned int KEDGE_LEFT = 0x10000;
constexpr unsigned int KEDGE_RIGHT = 0x20000;
constexpr unsigned int KEDGE_TOP = 0x40000;
constexpr unsigned int KEDGE_BOTTOM = 0x80000;
constexpr unsigned int KEDGE_ALL = 0xF0000;

// One face: seven 32-bit words.
struct KFace
{
    unsigned int flags;   // fill mode (KFACE_MODE_MASK) and KFACE_VERTICAL
    int roundW;           // corner ellipse width in pixels; 0 = square corners
    int roundH;           // corner ellipse height in pixels
    KColor color[4];      // c0..c3; with KFILL_L2C2, color[2] and color[3] are stripe thicknesses
};

// The fill mode of a flags word.
inline int KFaceMode(unsigned int flags)
{
    return (int)((flags & KFACE_MODE_MASK) >> KFACE_MODE_SHIFT);
}
