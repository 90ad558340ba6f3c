// CKBrush: a GDI brush with its style and colour, and the process-wide default brush that every
// canvas selects (its colour is also the fill of CKCanvas::FillRect and FillRoundRect).
#pragma once
#include <windows.h>

#include "foundation/CKObject.h"
#include "graphics/KColor.h"

// Brush styles.
constexpr int KBRUSH_NONE = 0;    // hollow (BS_NULL)
constexpr int KBRUSH_SOLID = 1;   // BS_SOLID (also every other style)

class CKBrush : public CKObject
{
    K_DECLARE_DYNCREATE(CKBrush)
public:
    CKBrush() = default;
    ~CKBrush() override;

    // (Re-)creates the brush; the GDI colour is color & KCOLOR_RGB. Returns 1.
    int Create(int style, KColor color);
    // Deletes the handle and clears the fields.
    void Destroy();

    HBRUSH GetHandle() const { return hbrush; }
    int GetStyle() const { return style; }
    KColor GetColor() const { return color; }

private:
    HBRUSH hbrush = nullptr;   // owned
    int style = 0;
    KColor color = 0;
};

// Solid opaque black; created on first use and kept until ReleaseDefaultBrush.
CKBrush* GetDefaultBrush();
// Drawing module shut-down: drops the default brush.
void ReleaseDefaultBrush();
