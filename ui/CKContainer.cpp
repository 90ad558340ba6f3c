// CKContainer: creation under its view, the orientation's background and the back action's
// default.
#include "ui/CKContainer.h"

#include "foundation/KDevMetrics.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/KDrawableSlot.h"
#include "ui/CKView.h"

K_IMPLEMENT_CLASS(CKContainer, CKWindow)

namespace {

constexpr char VIEW_DRAWABLES[] = "res/DrawableView.xml";
// Window flags every container gets: a control parent and a tab stop.
constexpr unsigned int CONTAINER_FLAGS = KWF_CONTROLPARENT | KWF_TABSTOP;

// The face for one orientation: the shared "DefContainerBkgnd", else the orientation's own.
void LoadBackground(CKFaceDrawable*& slot, const char* orientationName)
{
    KLoadDrawable(slot, VIEW_DRAWABLES, "DefContainerBkgnd", K_RUNTIME_CLASS(CKFaceDrawable));
    KLoadDrawable(slot, VIEW_DRAWABLES, orientationName, K_RUNTIME_CLASS(CKFaceDrawable));
}

} // namespace

CKContainer::~CKContainer()
{
    KDropDrawable(bkgndVert);
    KDropDrawable(bkgndHorz);
}

void CKContainer::Initialize(unsigned int newStyle)
{
    CKWindow::Initialize(newStyle);
    LoadBackground(bkgndVert, "DefContainerBkgndVert");
    LoadBackground(bkgndHorz, "DefContainerBkgndHorz");
}

void CKContainer::OnDestroy()
{
    view = nullptr;
    CKWindow::OnDestroy();
}

void CKContainer::OnPaint(CKCanvas* canvas)
{
    RECT client;
    if (!GetClientRect(&client))
        return;
    CKFaceDrawable* face = nullptr;
    switch (GetDevMetric(ScreenOrientation)) {
    case 0:
    case 1:
        face = bkgndVert;
        break;
    case 2:
    case 3:
        face = bkgndHorz;
        break;
    default:
        break;
    }
    if (!face)
        return;
    face->SetState(0);
    face->Draw(canvas, client, nullptr);
}

int CKContainer::CreateContainer(CKView* owner, unsigned int newFlags)
{
    view = owner;
    return Create(0, owner ? owner->GetViewId() : 0, owner, newFlags | CONTAINER_FLAGS);
}

int CKContainer::OnBack()
{
    return 0;
}

void CKContainer::SetBkgndVert(CKDrawable* drawable)
{
    KHoldDrawable(bkgndVert, drawable, K_RUNTIME_CLASS(CKFaceDrawable));
}

void CKContainer::SetBkgndHorz(CKDrawable* drawable)
{
    KHoldDrawable(bkgndHorz, drawable, K_RUNTIME_CLASS(CKFaceDrawable));
}
