// CKRichLabel: the runs and their adders, loading a mark-up file, painting the fragments, and the
// notify runs' press and release. Layout lives in CKRichLabelLayout.cpp.
#include "controls/CKRichLabel.h"

#include "controls/CKRichTextDelegator.h"
#include "foundation/CKFile.h"
#include "foundation/CKXmlParserW.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KMemory.h"
#include "foundation/KText.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKFont.h"
#include "graphics/CKImgList.h"

K_IMPLEMENT_DYNCREATE(CKRichLabel, CKWindow)

namespace {

// Runs and fragments are carved this many at a time.
constexpr int NODES_PER_BLOCK = 32;
// Margin around the content and gap between lines, base units.
constexpr int MARGIN_UNITS = 4;
constexpr int LINE_GAP_UNITS = 2;
// Tab runs move at most this many tab stops, so that x stays far from overflowing.
constexpr int MAX_TAB_COUNT = 256;

} // namespace

// ---- Runs ---------------------------------------------------------------------------------------

CKRichLabel::CKRichLabel()
    : runs(NODES_PER_BLOCK),
      fragments(NODES_PER_BLOCK),
      margin(UnitToPixels(MARGIN_UNITS, 0)),
      lineGap(UnitToPixels(LINE_GAP_UNITS, 0))
{
}

CKRichLabel::~CKRichLabel()
{
    fragments.RemoveAll(nullptr, nullptr);
    runs.RemoveAll(FreeRun, nullptr);
}

void CKRichLabel::FreeRun(KRichItem* run, void*)
{
    switch (run->flags & KRI_KIND_MASK) {
    case KRI_TEXT:
        if (!(run->flags & KRI_BORROWED))
            KFree(run->text.text);
        KFree(run->text.advances);
        if (run->text.font)
            run->text.font->Release();
        break;
    case KRI_IMAGE:
        if (run->image.image)
            run->image.image->Release();
        break;
    default:
        break;
    }
}

void CKRichLabel::Clear()
{
    pressed = nullptr;
    fragments.RemoveAll(nullptr, nullptr);
    runs.RemoveAll(FreeRun, nullptr);
    contentHeight = 0;
    SetScrollExtent(-1, -1);
    Invalidate();
}

KRichItem* CKRichLabel::AddRun(unsigned int runFlags, unsigned int kind)
{
    KRichItem* run = runs.AddTail();
    if (run)
        run->flags = (runFlags & ~KRI_KIND_MASK) | kind;
    return run;
}

KRichItem* CKRichLabel::AddText(unsigned int runFlags, const wchar_t* text, int length,
                                 CKFont* font, KColor color, int notifyId)
{
    if (!text || !font)
        return nullptr;
    if (length < 0)
        length = KStrLenW(text);
    if (length == 0)
        return nullptr;
    wchar_t* copy = nullptr;
    if (!(runFlags & KRI_BORROWED)) {
        copy = KStrNDupW(text, length);
        if (!copy)
            return nullptr;
        length = KStrLenW(copy);   // a NUL inside the text ends the copy
    }
    KRichItem* run = AddRun(runFlags, KRI_TEXT);
    if (!run) {
        KFree(copy);
        return nullptr;
    }
    run->notifyId = notifyId;
    run->text.text = copy ? copy : const_cast<wchar_t*>(text);
    run->text.length = length;
    run->text.font = font;
    run->text.color = color;
    font->AddRef();
    return run;
}

KRichItem* CKRichLabel::AddImage(unsigned int runFlags, CKImage* image, int index)
{
    if (!image)
        return nullptr;
    int width = image->GetWidth();
    int height = image->GetHeight();
    RECT cell;
    if (index >= 0 && image->IsKindOf(K_RUNTIME_CLASS(CKImgList))
        && static_cast<CKImgList*>(image)->GetCellRect(index, &cell)) {
        width = cell.right - cell.left;
        height = cell.bottom - cell.top;
    } else {
        index = -1;
    }
    KRichItem* run = AddRun(runFlags, KRI_IMAGE);
    if (!run)
        return nullptr;
    run->image.image = image;
    run->image.index = index;
    run->image.width = width;
    run->image.height = height;
    image->AddRef();
    return run;
}

KRichItem* CKRichLabel::AddRule(unsigned int runFlags, float thickness, KColor color)
{
    KRichItem* run = AddRun(runFlags, KRI_RULE);
    if (run) {
        run->rule.thickness = thickness;
        run->rule.color = color;
    }
    return run;
}

KRichItem* CKRichLabel::AddTab(unsigned int runFlags, int count)
{
    KRichItem* run = AddRun(runFlags, KRI_TAB);
    if (run)
        run->tab.count = count < 1 ? 1 : count > MAX_TAB_COUNT ? MAX_TAB_COUNT : count;
    return run;
}

// ---- Loading and the layout switch --------------------------------------------------------------

int CKRichLabel::LoadText(const wchar_t* path)
{
    void* data = nullptr;
    int size = 0;
    if (!CKFile::ReadAll(path, &data, &size))
        return 0;
    SetLayout(false);
    Clear();
    {
        CKRichTextDelegator delegator(this);
        CKXmlParserW parser(&delegator);
        // Malformed mark-up ends the reading where the reader stops; what was read stays.
        parser.Parse(static_cast<wchar_t*>(data), size / (int)sizeof(wchar_t));
    }
    KFree(data);
    SetLayout(true);
    return 1;
}

void CKRichLabel::SetLayout(bool on)
{
    if (!on) {
        flags &= ~KRLF_LAYOUT;
        return;
    }
    if (flags & KRLF_LAYOUT)
        return;
    flags |= KRLF_LAYOUT;
    Layout();
    Invalidate();
}

void CKRichLabel::OnSize()
{
    CKWindow::OnSize();
    if (flags & KRLF_LAYOUT) {
        Layout();
        Invalidate();
    }
}

// ---- Painting -----------------------------------------------------------------------------------

void CKRichLabel::OnPaint(CKCanvas* canvas)
{
    RECT clip;
    if (!canvas || !canvas->GetClipBox(&clip))
        return;
    int yPos = 0;
    GetScrollPos(nullptr, &yPos);
    // The window paints the background outside the content; the content's share comes first here.
    RECT band = {clip.left, -yPos, clip.right, contentHeight - yPos};
    if (IntersectRect(&band, &band, &clip))
        DrawBackground(canvas, &band, 0);
    for (const KRichFragment* fragment = fragments.GetHead(); fragment;
         fragment = fragments.GetNext(fragment)) {
        const int top = fragment->y - yPos;
        if (top < clip.bottom && top + fragment->height > clip.top)
            DrawFragment(canvas, fragment, yPos);
    }
}

void CKRichLabel::DrawFragment(CKCanvas* canvas, const KRichFragment* fragment, int yPos)
{
    const KRichItem* run = fragment->run;
    const RECT rect = {fragment->x, fragment->y - yPos, fragment->x + fragment->width,
                       fragment->y - yPos + fragment->height};
    switch (run->flags & KRI_KIND_MASK) {
    case KRI_TEXT: {
        KColor color = run->text.color;
        if (run->flags & KRI_PRESSED) {
            // Pressed: the run's colour behind, the text in the inverted colour.
            canvas->SetBrushColor(color);
            canvas->FillRect(rect);
            color ^= KCOLOR_RGB;
        }
        canvas->SelectFont(run->text.font);
        canvas->SetTextColor(color);
        canvas->TextOut(rect.left, rect.top, run->text.text + fragment->first, fragment->count);
        break;
    }
    case KRI_IMAGE:
        if (run->image.index >= 0)
            canvas->DrawImageCell(rect.left, rect.top,
                                  static_cast<const CKImgList*>(run->image.image),
                                  run->image.index);
        else
            canvas->DrawImage(rect.left, rect.top, fragment->width, fragment->height,
                              run->image.image, 0, 0);
        break;
    case KRI_RULE:
        canvas->SetBrushColor(run->rule.color);
        canvas->FillRect(rect);
        break;
    default:
        break;
    }
}

// ---- Input --------------------------------------------------------------------------------------

KRichItem* CKRichLabel::HitTest(int x, int y) const
{
    int yPos = 0;
    GetScrollPos(nullptr, &yPos);
    const int contentY = y + yPos;
    for (const KRichFragment* fragment = fragments.GetHead(); fragment;
         fragment = fragments.GetNext(fragment)) {
        KRichItem* run = fragment->run;
        if ((run->flags & KRI_KIND_MASK) == KRI_TEXT && (run->flags & KRI_NOTIFY)
            && x >= fragment->x && x < fragment->x + fragment->width && contentY >= fragment->y
            && contentY < fragment->y + fragment->height)
            return run;
    }
    return nullptr;
}

void CKRichLabel::SetPressed(KRichItem* run)
{
    if (run == pressed)
        return;
    if (pressed)
        pressed->flags &= ~KRI_PRESSED;
    pressed = run;
    if (run)
        run->flags |= KRI_PRESSED;
    Invalidate();
}

int CKRichLabel::OnMouse(int code, int x, int y, int extra)
{
    CKWindow::OnMouse(code, x, y, extra);
    if (extra || !IsEnabled())
        return 0;
    switch (code) {
    case KMOUSE_PRESS: {
        KRichItem* run = HitTest(x, y);
        SetPressed(run);
        return run ? 1 : 0;
    }
    case KMOUSE_RELEASE: {
        KRichItem* run = pressed;
        if (!run)
            return 0;
        SetPressed(nullptr);
        if (HitTest(x, y) == run)
            NotifyParent(KNOTIFY_RICH_LINK, (INT_PTR)run, 0);
        return 1;
    }
    case KMOUSE_CANCEL:
        SetPressed(nullptr);
        return 0;
    default:
        return 0;
    }
}
