// CKPen and the process-wide default pen.
#include "graphics/CKPen.h"

K_IMPLEMENT_DYNCREATE(CKPen, CKObject)

namespace {

CKPen* g_defaultPen;   // counted: one reference, dropped at shut-down

} // namespace

CKPen::~CKPen()
{
    Destroy();
}

int CKPen::Create(int newStyle, int newWidth, KColor newColor)
{
    Destroy();
    style = newStyle;
    width = newWidth;
    color = newColor;
    int gdiStyle = PS_SOLID;
    if (newStyle == KPEN_NONE)
        gdiStyle = PS_NULL;
    else if (newStyle == KPEN_DASH)
        gdiStyle = PS_DASH;
    hpen = CreatePen(gdiStyle, newWidth, newColor & KCOLOR_RGB);
    return 1;
}

void CKPen::Destroy()
{
    if (hpen)
        DeleteObject(hpen);
    hpen = nullptr;
    style = 0;
    width = 0;
    color = 0;
}

CKPen* GetDefaultPen()
{
    if (!g_defaultPen) {
        g_defaultPen = new CKPen();
        if (g_defaultPen) {
            g_defaultPen->Create(KPEN_SOLID, 1, KCOLOR_BLACK);
            g_defaultPen->EnableRefCount();
            g_defaultPen->AddRef();
        }
    }
    return g_defaultPen;
}

void ReleaseDefaultPen()
{
    if (g_defaultPen)
        g_defaultPen->Release();
    g_defaultPen = nullptr;
}
