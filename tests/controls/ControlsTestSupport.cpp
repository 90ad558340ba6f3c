// The notice host, the window scope, input, pixels and test drawables of the control tests.
#include "ControlsTestSupport.h"

#include "KTestSupport.h"
#include "graphics/CKColorDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/KGraphics.h"
#include "ui/KTimer.h"

int CNoticeHost::OnNotify(int notifyId, int code, INT_PTR param)
{
    notices.push_back(KNotice{notifyId, code, (long long)param});
    return 0;
}

std::vector<KNotice> CNoticeHost::WithCode(int code) const
{
    std::vector<KNotice> matching;
    for (const KNotice& notice : notices)
        if (notice.code == code)
            matching.push_back(notice);
    return matching;
}

KControlScope::KControlScope()
{
    EnsureTestFrame();
}

KControlScope::~KControlScope()
{
    for (CKWindow* window : windows)
        if (window->GetItem())
            window->Destroy();
    for (CKWindow* window : windows)
        window->Release();
}

bool KControlScope::Hold(CKWindow* window, CKWindow* parent, unsigned int style,
                         unsigned int flags, const RECT& rect, int id)
{
    window->EnableRefCount();
    window->AddRef();
    windows.push_back(window);
    if (!window->Create(style, id, parent, flags))
        return false;
    window->Move(rect);
    return true;
}

CNoticeHost* KControlScope::AddHost()
{
    return Add(new CNoticeHost(), nullptr, 0, KWF_OPAQUE, RECT{0, 0, 320, 480}, 9000);
}

void PostMouse(CKWindow* window, UINT message, int x, int y)
{
    const WPARAM buttons = (message == WM_LBUTTONUP) ? 0 : MK_LBUTTON;
    PostMessageW(window->GetHwnd(), message, buttons, MAKELPARAM((WORD)(short)x, (WORD)(short)y));
}

// Key data of one key stroke: a repeat count of 1; a key up also has the previous-state and
// transition bits (30 and 31).
constexpr LPARAM KEY_DOWN_DATA = 1;
constexpr LPARAM KEY_UP_DATA = KEY_DOWN_DATA | (LPARAM)1 << 30 | (LPARAM)1 << 31;

void PostKey(CKWindow* window, UINT message, WPARAM key)
{
    const LPARAM data = message == WM_KEYUP ? KEY_UP_DATA : KEY_DOWN_DATA;
    PostMessageW(window->GetHwnd(), message, key, data);
}

void Tap(CKWindow* window, int x, int y)
{
    PostMouse(window, WM_LBUTTONDOWN, x, y);
    PostMouse(window, WM_LBUTTONUP, x, y);
    DeliverPosted();
}

void DeliverPosted()
{
    bool delivered = false;
    PostCall((INT_PTR)&delivered, 0, 0, [](INT_PTR flag, INT_PTR, INT_PTR) { *(bool*)flag = true; },
             0);
    PumpUntil([&] { return delivered; }, 5000);
}

void RepaintNow(CKWindow* window)
{
    InvalidateRect(window->GetHwnd(), nullptr, FALSE);
    UpdateWindow(window->GetHwnd());
}

unsigned int BackBufferPixel(int x, int y)
{
    const COLORREF color = GetPixel(GetBackBufferDC(), x, y);
    return (unsigned int)GetRValue(color) << 16 | (unsigned int)GetGValue(color) << 8
           | GetBValue(color);
}

RECT Insets(const CKDrawable* drawable)
{
    RECT insets = {0, 0, 0, 0};
    if (drawable) {
        const RECT& margin = drawable->GetMargin();
        const RECT& padding = drawable->GetPadding();
        insets = {margin.left + padding.left, margin.top + padding.top,
                  margin.right + padding.right, margin.bottom + padding.bottom};
    }
    return insets;
}

CKColorDrawable* MakeFace(const KColor* color, int padding)
{
    CKColorDrawable* face = new CKColorDrawable();
    face->EnableRefCount();
    face->AddRef();
    if (color)
        face->SetFace(0, KFace{(unsigned int)KFILL_SOLID << KFACE_MODE_SHIFT, 0, 0,
                               {*color, 0, 0, 0}});
    face->SetPadding(RECT{padding, padding, padding, padding});
    return face;
}

CKImgList* MakeImgList(int cell, const std::vector<unsigned int>& colors)
{
    CKImgList* list = new CKImgList();
    list->EnableRefCount();
    list->AddRef();
    const int count = (int)colors.size();
    list->Create(cell * count, cell, 32);
    for (int y = 0; y < cell; y++) {
        unsigned char* row = list->GetRow(y);
        for (int x = 0; x < cell * count; x++) {
            const unsigned int rgb = colors[x / cell];
            row[x * 4 + 0] = (unsigned char)(rgb & 0xFF);
            row[x * 4 + 1] = (unsigned char)((rgb >> 8) & 0xFF);
            row[x * 4 + 2] = (unsigned char)((rgb >> 16) & 0xFF);
            row[x * 4 + 3] = 0xFF;
        }
    }
    list->SetCellsBySize(cell, cell, 0);
    return list;
}
