// The content of buttons and group items, and the icon-and-text rule that places the pair.
#include "controls/KButtonContent.h"

#include "foundation/KMemory.h"
#include "foundation/KText.h"
#include "graphics/CKFaceDrawable.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/CKTextDrawable.h"

int KSetContentText(KButtonContent& content, const wchar_t* text, int length)
{
    KFreeContentText(content);
    if (!text)
        return 1;
    const int count = length < 0 ? KStrLenW(text) : length;
    wchar_t* copy = (wchar_t*)KAlloc(sizeof(wchar_t) * ((size_t)count + 1));
    if (!copy)
        return 0;
    for (int i = 0; i < count; i++)
        copy[i] = text[i];
    copy[count] = 0;
    content.text = copy;
    content.textLength = count;
    return 1;
}

void KFreeContentText(KButtonContent& content)
{
    KFree(content.text);
    content.text = nullptr;
    content.textLength = 0;
}

void KSetContentIcon(KButtonContent& content, CKImgList* list, int normal, int focused, int pressed,
                     int disabled)
{
    content.iconList = list;
    content.cells[KSLOT_NORMAL] = normal;
    content.cells[KSLOT_SELECTED] = focused;
    content.cells[KSLOT_PRESSED] = pressed;
    content.cells[KSLOT_DISABLED] = disabled;
}

// ---- Content block ------------------------------------------------------------------------------

KContentBlock::KContentBlock(const wchar_t* textSource, int textLength, CKImgList* iconList,
                             const int cells[KSLOT_COUNT], unsigned int state,
                             CKTextDrawable* textDrawable, CKIconDrawable* iconDrawable)
{
    Prepare(textSource, textLength, iconList, cells, state, textDrawable, iconDrawable);
}

KContentBlock::KContentBlock(const KButtonContent& content, unsigned int state,
                             CKTextDrawable* textDrawable, CKIconDrawable* iconDrawable)
{
    Prepare(content.text, content.textLength, content.iconList, content.cells, state, textDrawable,
            iconDrawable);
}

void KContentBlock::Prepare(const wchar_t* textSource, int textLength, CKImgList* iconList,
                            const int cells[KSLOT_COUNT], unsigned int state,
                            CKTextDrawable* textDrawable, CKIconDrawable* iconDrawable)
{
    if (textDrawable && textSource) {
        text = textDrawable;
        text->SetText(textSource, textLength);
        text->SetState(state);
    }
    if (iconDrawable && iconList && cells && cells[KSLOT_NORMAL] >= 0) {
        icon = iconDrawable;
        icon->SetImageList(iconList, cells);
        icon->SetState(state);
    }
}

KContentBlock::~KContentBlock()
{
    if (text)
        text->SetText(nullptr, 0);
    if (icon)
        icon->SetIconList(nullptr, -1);
}

void KContentBlock::CalcSize(SIZE& size, unsigned int arrangement) const
{
    SIZE iconSize = {0, 0};
    SIZE textSize = {0, 0};
    if (icon) {
        iconSize = size;
        icon->CalcSize(iconSize);
    }
    if (text) {
        textSize = size;
        text->CalcSize(textSize);
    }
    if (arrangement & KARRANGE_STACKED) {
        size.cx = iconSize.cx > textSize.cx ? iconSize.cx : textSize.cx;
        size.cy = iconSize.cy + textSize.cy;
    } else {
        size.cx = iconSize.cx + textSize.cx;
        size.cy = iconSize.cy > textSize.cy ? iconSize.cy : textSize.cy;
    }
}

void KContentBlock::Draw(CKCanvas* canvas, const RECT& rect, unsigned int bits) const
{
    if (!icon || !text) {
        if (text)
            text->Draw(canvas, rect, nullptr);
        if (icon)
            icon->Draw(canvas, rect, nullptr);
        return;
    }
    const SIZE room = {rect.right - rect.left, rect.bottom - rect.top};
    SIZE iconSize = room;
    SIZE textSize = room;
    icon->CalcSize(iconSize);
    text->CalcSize(textSize);
    SIZE block = room;
    CalcSize(block, bits & KARRANGE_MASK);

    int x = (rect.left + rect.right - block.cx) / 2;
    if (bits & KCONTENT_LEFT)
        x = rect.left;
    else if (bits & KCONTENT_RIGHT)
        x = rect.right - block.cx;
    int y = (rect.top + rect.bottom - block.cy) / 2;
    if (bits & KCONTENT_TOP)
        y = rect.top;
    else if (bits & KCONTENT_BOTTOM)
        y = rect.bottom - block.cy;
    const RECT whole = {x, y, x + block.cx, y + block.cy};

    RECT iconRect = whole;
    RECT textRect = whole;
    switch (bits & KARRANGE_MASK) {
    case KARRANGE_ICON_LEFT:
        iconRect.right = whole.left + iconSize.cx;
        textRect.left = whole.right - textSize.cx;
        break;
    case KARRANGE_ICON_RIGHT:
        iconRect.left = whole.right - iconSize.cx;
        textRect.right = whole.left + textSize.cx;
        break;
    case KARRANGE_ICON_TOP:
        iconRect.bottom = whole.top + iconSize.cy;
        textRect.top = whole.bottom - textSize.cy;
        break;
    default:   // KARRANGE_ICON_BOTTOM
        iconRect.top = whole.bottom - iconSize.cy;
        textRect.bottom = whole.top + textSize.cy;
        break;
    }
    icon->Draw(canvas, iconRect, nullptr);
    text->Draw(canvas, textRect, nullptr);
}

// ---- Buttons and items --------------------------------------------------------------------------

void KCalcButtonSize(const KButtonContent& content, unsigned int state, CKFaceDrawable* face,
                     CKTextDrawable* textDrawable, CKIconDrawable* iconDrawable, SIZE& size)
{
    const KContentBlock block(content, state, textDrawable, iconDrawable);
    block.CalcSize(size, state & KARRANGE_MASK);
    if (face)
        face->CalcSize(size);
}

void KDrawButtonContent(CKCanvas* canvas, const RECT& rect, const KButtonContent& content,
                        unsigned int state, CKTextDrawable* textDrawable, CKTextDrawable* textCheck,
                        CKIconDrawable* iconDrawable)
{
    CKTextDrawable* look = (state & KSTATE_CHECKED) && textCheck ? textCheck : textDrawable;
    const KContentBlock block(content, state, look, iconDrawable);
    block.Draw(canvas, rect, state);
}
