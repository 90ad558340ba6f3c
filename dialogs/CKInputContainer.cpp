// CKInputContainer: measuring and placing an input box's prompt and field.
#include "dialogs/CKInputContainer.h"

#include "foundation/KDevMetrics.h"
#include "graphics/KDrawableRegistry.h"

K_IMPLEMENT_CLASS(CKInputContainer, CKDlgContainer)

namespace {

// The margin around and between prompt and field, in base units.
constexpr int INPUT_MARGIN_UNITS = 6;
// The prompt: one line from the left; the field: framed by the library.
constexpr unsigned int PROMPT_STYLE = KCONTENT_LEFT;
constexpr unsigned int PROMPT_FLAGS = KWF_REPAINT_ON_CHANGE;
constexpr unsigned int EDIT_STYLE = KES_FRAMED;
constexpr unsigned int EDIT_FLAGS = KWF_REPAINT_ON_CHANGE | KWF_TABSTOP;

} // namespace

int CKInputContainer::OnCreate()
{
    if (!CKDlgContainer::OnCreate())
        return 0;
    if (!prompt.GetHwnd()) {
        if (!prompt.GetTextDrawable())
            prompt.SetTextDrawable(GetDrawable("res/DrawableDlg.xml", "DefDlgAlertText"));
        prompt.Create(PROMPT_STYLE, KDLG_MESSAGE_ID, this, PROMPT_FLAGS);
    }
    if (!edit.GetHwnd())
        edit.Create(EDIT_STYLE, KDLG_EDIT_ID, this, EDIT_FLAGS);
    return 1;
}

int CKInputContainer::CalcSize(SIZE& size)
{
    CKDlgContainer::CalcSize(size);
    const int margin = UnitToPixels(INPUT_MARGIN_UNITS, 0);
    const int width = LimitMessageWidth(size.cx);
    size.cx = width;
    size.cy = MeasureHeight(&prompt, width - 2 * margin) + MeasureHeight(&edit, width - 2 * margin)
              + 3 * margin;
    return 1;
}

void CKInputContainer::OnSize()
{
    CKDlgContainer::OnSize();
    const int margin = UnitToPixels(INPUT_MARGIN_UNITS, 0);
    const RECT inner = GetInsetRect(margin);
    RECT field = inner;
    field.top = inner.bottom - MeasureHeight(&edit, inner.right - inner.left);
    if (field.top < inner.top)
        field.top = inner.top;
    RECT text = inner;
    text.bottom = field.top - margin;
    if (text.bottom < text.top)
        text.bottom = text.top;
    edit.Move(field);
    prompt.Move(text);
}
