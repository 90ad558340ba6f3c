// The content of push buttons and button-group items (an owned text and an icon cut from an image
// list), and the icon-and-text rule that measures a text and an icon and places them as one block,
// which labels share.
//
// The text and icon drawables a control uses are shared by every control of the same look, so a
// content block points them at its text and image list only while it measures or draws, and lets
// go of both when it ends: a shared drawable never keeps a pointer into a control that may be gone.
#pragma once
#include <windows.h>

#include "graphics/CKDrawable.h"

class CKCanvas;
class CKFaceDrawable;
class CKIconDrawable;
class CKImgList;
class CKTextDrawable;

// Alignment of the content block in its rectangle (the KDT_* alignment bits of text and icon
// drawables); neither of a pair centres it.
constexpr unsigned int KCONTENT_LEFT = 0x1;
constexpr unsigned int KCONTENT_RIGHT = 0x2;
constexpr unsigned int KCONTENT_TOP = 0x4;
constexpr unsigned int KCONTENT_BOTTOM = 0x8;
constexpr unsigned int KCONTENT_ALIGN_MASK = 0xF;
// Arrangement of icon and text inside the block (two bits).
constexpr unsigned int KARRANGE_MASK = 0x30;
constexpr unsigned int KARRANGE_ICON_LEFT = 0x00;     // icon left of the text
constexpr unsigned int KARRANGE_ICON_RIGHT = 0x10;    // icon right of the text
constexpr unsigned int KARRANGE_ICON_TOP = 0x20;      // icon above the text
constexpr unsigned int KARRANGE_ICON_BOTTOM = 0x30;   // icon below the text
constexpr unsigned int KARRANGE_STACKED = 0x20;       // set in both stacked arrangements
// Alignment and arrangement together: the presentation bits of buttons, items and labels.
constexpr unsigned int KCONTENT_BITS = KCONTENT_ALIGN_MASK | KARRANGE_MASK;

// Content of a button or group item. Zero-filled it is empty (no text, no icon).
struct KButtonContent
{
    wchar_t* text;            // owned (KAlloc): NUL-terminated copy, or none
    int textLength;           // units of `text`, without the NUL
    CKImgList* iconList;      // borrowed: the caller keeps it alive while the content uses it
    int cells[KSLOT_COUNT];   // icon cell of each state slot: normal, focused, pressed, disabled
};

// Replaces the text with a copy of `length` units (negative: up to the NUL); a null text leaves
// none. 1, or 0 when memory ran out (the content then has no text).
int KSetContentText(KButtonContent& content, const wchar_t* text, int length);
// Frees the text; the content has none afterwards.
void KFreeContentText(KButtonContent& content);
// Stores the list and the cells of the four state slots.
void KSetContentIcon(KButtonContent& content, CKImgList* list, int normal, int focused, int pressed,
                     int disabled);

// One measure or draw of a text and an icon. The drawables take part only when they exist and
// have something to show (a text; an image list with a cell); those that do are pointed at the
// content and given `state` until the block ends.
class KContentBlock
{
public:
    KContentBlock(const wchar_t* text, int textLength, CKImgList* iconList,
                  const int cells[KSLOT_COUNT], unsigned int state, CKTextDrawable* textDrawable,
                  CKIconDrawable* iconDrawable);
    KContentBlock(const KButtonContent& content, unsigned int state, CKTextDrawable* textDrawable,
                  CKIconDrawable* iconDrawable);
    // Takes text and image list back from the drawables.
    ~KContentBlock();

    bool HasText() const { return text != nullptr; }
    bool HasIcon() const { return icon != nullptr; }

    // In: the room available (a multi-line text wraps at its width). Out: the block's size: the
    // icon and the text side by side (widths added, the larger height) or, for the stacked
    // arrangements, one above the other (the larger width, heights added); 0 x 0 when neither
    // takes part.
    void CalcSize(SIZE& size, unsigned int arrangement) const;
    // With both parts: the block aligned in `rect` by the alignment bits of `bits` (integer
    // halving when centred), the icon and the text at the ends given by the arrangement, each
    // spanning the block across. With one part: that part alone draws into `rect`.
    void Draw(CKCanvas* canvas, const RECT& rect, unsigned int bits) const;

    KContentBlock(const KContentBlock&) = delete;
    KContentBlock& operator=(const KContentBlock&) = delete;

private:
    void Prepare(const wchar_t* textSource, int textLength, CKImgList* iconList,
                 const int cells[KSLOT_COUNT], unsigned int state, CKTextDrawable* textDrawable,
                 CKIconDrawable* iconDrawable);

    CKTextDrawable* text = nullptr;   // borrowed: the text drawable taking part, or none
    CKIconDrawable* icon = nullptr;   // borrowed: the icon drawable taking part, or none
};

// The preferred size of a button or item: its content by the arrangement in `state` (with the
// room given in `size`), grown by the face's margins and paddings when there is a face.
void KCalcButtonSize(const KButtonContent& content, unsigned int state, CKFaceDrawable* face,
                     CKTextDrawable* textDrawable, CKIconDrawable* iconDrawable, SIZE& size);
// Draws the content of a button or item with `state` (state bits | presentation bits): the text
// with `textCheck` when checked and that exists, else with `textDrawable`.
void KDrawButtonContent(CKCanvas* canvas, const RECT& rect, const KButtonContent& content,
                        unsigned int state, CKTextDrawable* textDrawable, CKTextDrawable* textCheck,
                        CKIconDrawable* iconDrawable);
