// CKBrush and the process-wide default brush.
#include "graphics/CKBrush.h"

K_IMPLEMENT_DYNCREATE(CKBrush, CKObject)

namespace {

CKBrush* g_defaultBrush;   // counted: one reference, dropped at shut-down

} // namespace

CKBrush::~CKBrush()
{
    Destroy();
}

int CKBrush::Create(int newStyle, KColor newColor)
{
    Destroy();
    style = newStyle;
    color = newColor;
    LOGBRUSH brush = {};
    brush.lbStyle = newStyle == KBRUSH_NONE ? BS_NULL : BS_SOLID;
    brush.lbColor = newColor & KCOLOR_RGB;
    hbrush = CreateBrushIndirect(&brush);
    return 1;
}

void CKBrush::Destroy()
{
    if (hbrush)
        DeleteObject(hbrush);
    hbrush = nullptr;
    style = 0;
    color = 0;
}

CKBrush* GetDefaultBrush()
{
    if (!g_defaultBrush) {
        g_defaultBrush = new CKBrush();
        if (g_defaultBrush) {
            g_defaultBrush->Create(KBRUSH_SOLID, KCOLOR_BLACK);
            g_defaultBrush->EnableRefCount();
            g_defaultBrush->AddRef();
        }
    }
    return g_defaultBrush;
}

void ReleaseDefaultBrush()
{
    if (g_defaultBrush)
        g_defaultBrush->Release();
    g_defaultBrush = nullptr;
}
