// CKStartupView: the start-up picture page and the deferred switch to the application's pages.
#include "ui/CKStartupView.h"

#include "foundation/KDevMetrics.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKImage.h"
#include "graphics/KImageCache.h"
#include "ui/CKApplication.h"
#include "ui/KTimer.h"
#include "ui/KViewStack.h"

K_IMPLEMENT_CLASS(CKStartupView, CKView)

namespace {

// ScreenOrientation bit of the landscape orientations.
constexpr int ORIENTATION_LANDSCAPE = 0x2;

} // namespace

CKStartupView::CKStartupView(CKImage* image) : image(image) {}

CKStartupView::~CKStartupView()
{
    delete image;
}

int CKStartupView::InitView(unsigned int newFlags, int newId)
{
    const int result = CKView::InitView(newFlags, newId);
    KPageEntry entry;
    if (LookupPage(newId, &entry) && (entry.flags & KVF_FULLSCREEN))
        viewFlags |= KVF_FULLSCREEN;
    return result;
}

void CKStartupView::OnPaint(CKCanvas* canvas)
{
    RECT client;
    if (!GetClientRect(&client))
        return;
    if (image)
        canvas->StretchImage(client.left, client.top, client.right - client.left,
                             client.bottom - client.top, image, 0, 0, image->GetWidth(),
                             image->GetHeight());
    if (painted)
        return;
    painted = true;
    AddRef();
    if (!PostCall((INT_PTR)this, 0, 0, Finish, KSTARTUP_DELAY_MS))
        Release();
}

void CKStartupView::Finish(INT_PTR param, INT_PTR, INT_PTR)
{
    CKStartupView* view = (CKStartupView*)param;
    // Pages destroyed meanwhile (the program is ending) took the picture's window with them.
    if (view->GetHwnd()) {
        if (GetApp())
            GetApp()->CreatePages();
        ReplaceStartupView();
    }
    view->Release();
}

CKStartupView* CreateStartupView(int viewId)
{
    const wchar_t* name =
        (GetDevMetric(ScreenOrientation) & ORIENTATION_LANDSCAPE) ? L"StartupL.png" : L"Startup.png";
    CKImage* image = CreateImage(name, KIMG_TYPE_PNG, KIMG_AUTO);
    if (!image)
        return nullptr;
    CKStartupView* view = new CKStartupView(image);
    if (!view) {
        delete image;
        return nullptr;
    }
    view->EnableRefCount();
    view->Initialize(KVF_NOTITLE);
    view->InitView(KVF_NOTITLE, viewId);
    AddPage(view);
    return view;
}
