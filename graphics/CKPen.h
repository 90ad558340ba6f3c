// CKPen: a GDI pen with its style, width and colour, and the process-wide default pen that every
// canvas selects (its colour and width are also the border of CKCanvas::FillFace).
#pragma once
#include <windows.h>

#include "foundation/CKObject.h"
#include "graphics/KColor.h"

// Pen styles.
constexpr int KPEN_NONE = 0;    // PS_NULL
constexpr int KPEN_SOLID = 1;   // PS_SOLID (also every unknown style)
constexpr int KPEN_DASH = 2;    // PS_DASH

class CKPen : public CKObject
{
    K_DECLARE_DYNCREATE(CKPen)
public:
    CKPen() = default;
    ~CKPen() override;

    // (Re-)creates the pen; the GDI colour is color & KCOLOR_RGB. Returns 1.
    int Create(int style, int width, KColor color);
    // Deletes the handle and clears the fields.
    void Destroy();

    HPEN GetHandle() const { return hpen; }
    int GetStyle() const { return style; }
    int GetWidth() const { return width; }
    KColor GetColor() const { return color; }

private:
    HPEN hpen = nullptr;   // owned
    int style = 0;
    int width = 0;         // pixels
    KColor color = 0;
};

// Solid, width 1, opaque black; created on first use and kept until ReleaseDefaultPen.
CKPen* GetDefaultPen();
// Drawing module shut-down: drops the default pen.
void ReleaseDefaultPen();
