// The tree tests' host, recording tree, item building and back-buffer reading.
#include "TreeTestSupport.h"

#include "KTestSupport.h"
#include "graphics/CKCanvas.h"
#include "graphics/KGraphics.h"
#include "ui/CKAnimate.h"

int CTreeHost::OnNotify(int notifyId, int code, INT_PTR param)
{
    if (code >= KNOTIFY_TREE_TAPPED)
        CNoticeHost::OnNotify(notifyId, code, param);
    if (code == KNOTIFY_TREE_EXPANDING && onExpanding)
        onExpanding((KTreeItem*)param);
    return 0;
}

std::vector<int> CTreeHost::Codes() const
{
    std::vector<int> codes;
    for (const KNotice& notice : notices)
        codes.push_back(notice.code);
    return codes;
}

void CTestTree::OnDeleteItem(KTreeItem* item)
{
    deleted.push_back(item);
}

void CTestTree::DrawItem(CKCanvas* canvas, KTreeItem* item, const RECT& rect)
{
    if (!flatRows) {
        CKTreeCtrl::DrawItem(canvas, item, rect);
        return;
    }
    const unsigned int rgb = (unsigned int)item->userData;
    canvas->SetBrushColor(KMakeColor(rgb >> 16, rgb >> 8, rgb, KALPHA_OPAQUE));
    canvas->FillRect(rect);
}

CTreeHost* AddTreeHost(KControlScope& scope)
{
    return scope.Add(new CTreeHost(), nullptr, 0, KWF_OPAQUE, RECT{0, 0, 320, 480}, 9000);
}

CTestTree* AddTree(KControlScope& scope, CKWindow* host, unsigned int style, const RECT& rect,
                   unsigned int flags)
{
    return scope.Add(new CTestTree(), host, style, flags, rect, TREE_ID);
}

KTreeItem* AddItem(CKTreeCtrl* tree, KTreeItem* parent, const wchar_t* text, unsigned int flags)
{
    KTreeItem* item = tree->InsertItem(parent, flags);
    if (item)
        tree->SetItemText(item, text, -1);
    return item;
}

bool WaitForAnimation(const CKTreeCtrl* tree, const KTreeItem* item)
{
    const DWORD start = GetTickCount();
    return PumpUntil(
        [&] {
            const CKAnimate* anim = tree->GetAnimation();
            return !(item->flags & KTIF_ANIMATING) && !(anim && anim->IsRunning())
                   && GetTickCount() - start >= (DWORD)KANIM_DEFAULT_DURATION;
        },
        5000);
}

std::vector<unsigned int> GrabBackBuffer(const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    std::vector<unsigned int> pixels((size_t)width * (size_t)height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    if (dib && dc && bits) {
        HGDIOBJ old = SelectObject(dc, dib);
        BitBlt(dc, 0, 0, width, height, GetBackBufferDC(), rect.left, rect.top, SRCCOPY);
        GdiFlush();
        const unsigned int* source = (const unsigned int*)bits;
        for (size_t i = 0; i < pixels.size(); i++)
            pixels[i] = source[i] & 0x00FFFFFF;
        SelectObject(dc, old);
    }
    if (dc)
        DeleteDC(dc);
    if (dib)
        DeleteObject(dib);
    return pixels;
}
