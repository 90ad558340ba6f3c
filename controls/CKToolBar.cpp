// CKToolBar: the window side of a button group: default looks, one-line layout, input, painting
// and the radio rule.
#include "controls/CKToolBar.h"

#include "controls/CKButton.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableSlot.h"

K_IMPLEMENT_CLASS(CKToolBar, CKWindow)

namespace {

// The library's tool bar look; the button look fills what it leaves empty.
constexpr char TOOLBAR_FILE[] = "res/DrawableTB.xml";

// The tool bar's alignment bits are handed to the layout as they are.
static_assert(KTBS_LEFT == KLAYOUT_LEFT && KTBS_RIGHT == KLAYOUT_RIGHT && KTBS_TOP == KLAYOUT_TOP
                  && KTBS_BOTTOM == KLAYOUT_BOTTOM,
              "tool bar alignment bits are layout alignment bits");

} // namespace

void CKToolBar::AddRef()
{
    CKWindow::AddRef();
}

void CKToolBar::Release()
{
    CKWindow::Release();
}

int CKToolBar::NotifyParent(int code, INT_PTR param, int notifyId)
{
    const KButtonItem* chosen = GetItem((int)param);
    if (code == KNOTIFY_RADIO && (style & KTBS_RADIO) && chosen
        && (chosen->flags & KSTATE_CHECKED)) {
        const int count = GetCount();
        for (int i = 0; i < count; i++)
            if (i != (int)param)
                GetItem(i)->flags &= ~KSTATE_CHECKED;
        Invalidate();
    }
    return CKWindow::NotifyParent(code, param, notifyId);
}

void CKToolBar::Initialize(unsigned int newStyle)
{
    CKWindow::Initialize(newStyle);
    const KRuntimeClass* faceKind = K_RUNTIME_CLASS(CKFaceDrawable);
    const KRuntimeClass* textKind = K_RUNTIME_CLASS(CKTextDrawable);
    const KRuntimeClass* iconKind = K_RUNTIME_CLASS(CKIconDrawable);
    KLoadDrawable(bkgnd, TOOLBAR_FILE, "DefToolBarBkgnd", faceKind);
    KLoadDrawable(face, TOOLBAR_FILE, "DefToolBarFace", faceKind);
    KLoadDrawable(faceCheck, TOOLBAR_FILE, "DefToolBarFaceCheck", faceKind);
    KLoadDrawable(text, TOOLBAR_FILE, "DefToolBarText", textKind);
    KLoadDrawable(textCheck, TOOLBAR_FILE, "DefToolBarTextCheck", textKind);
    KLoadDrawable(icon, TOOLBAR_FILE, "DefToolBarIcon", iconKind);
    KLoadDrawable(face, KDRAWABLE_FILE_BUTTON, "DefButtonFace", faceKind);
    KLoadDrawable(faceCheck, KDRAWABLE_FILE_BUTTON, "DefButtonFaceCheck", faceKind);
    KLoadDrawable(text, KDRAWABLE_FILE_BUTTON, "DefButtonText", textKind);
    KLoadDrawable(textCheck, KDRAWABLE_FILE_BUTTON, "DefButtonTextCheck", textKind);
    KLoadDrawable(icon, KDRAWABLE_FILE_BUTTON, "DefButtonIcon", iconKind);
}

int CKToolBar::OnCreate()
{
    const int created = CKWindow::OnCreate();
    SetOwner(this);
    return created;
}

int CKToolBar::CalcSize(SIZE& size)
{
    const int result = CKButtonGroup::CalcSize(size);
    const RECT insets = GetInsets();
    if (style & KTBS_VERTICAL)
        size.cx += insets.left + insets.right;
    else
        size.cy += insets.top + insets.bottom;
    return result;
}

void CKToolBar::OnSize()
{
    RECT client;
    if (!GetClientRect(&client))
        return;
    const unsigned int direction = (style & KTBS_VERTICAL) ? KLAYOUT_VERT : KLAYOUT_HORZ;
    const SIZE size = {client.right - client.left, client.bottom - client.top};
    Layout(size, KLAYOUT_LINE | direction | (style & KTBS_ALIGN_MASK));
    Invalidate();
}

int CKToolBar::OnMouse(int code, int x, int y, int extra)
{
    CKWindow::OnMouse(code, x, y, extra);
    if (!IsEnabled() || extra)
        return 0;
    RECT client;
    if (!GetClientRect(&client))
        return 0;
    if (!CKButtonGroup::OnMouse(code, x - client.left, y - client.top))
        return 0;
    Invalidate();
    return 1;
}

void CKToolBar::OnPaint(CKCanvas* canvas)
{
    RECT client;
    if (GetClientRect(&client))
        CKButtonGroup::Paint(canvas, client, nullptr);
}
