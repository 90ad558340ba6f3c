// CKEdit: a text entry field that is the platform's own "EDIT" window placed in the window tree.
// The library's native-control procedure sits in front of the edit's own and gives OnKey the
// keys first (Ctrl+A selects the whole text); each change of the text reaches the parent as
// OnNotify(edit id, KNOTIFY_TEXT_CHANGED, 0) (the parent's WM_COMMAND handling).
#pragma once
#include "foundation/KString.h"
#include "ui/CKWindow.h"

class CKFont;

// Edit style bits (given to Create).
constexpr unsigned int KES_NUMBER = 0x01;      // digits only (ES_NUMBER)
constexpr unsigned int KES_UPPERCASE = 0x02;   // upper case (ES_UPPERCASE); SetText converts too
constexpr unsigned int KES_LOWERCASE = 0x04;   // lower case (ES_LOWERCASE); SetText converts too
constexpr unsigned int KES_PASSWORD = 0x08;    // hidden characters (ES_PASSWORD)
constexpr unsigned int KES_MULTILINE = 0x10;   // lines; Enter breaks (ES_MULTILINE, ES_WANTRETURN)
constexpr unsigned int KES_FRAMED = 0x20;      // the library's drawn frame (window flag KWF_FRAMED)

class CKEdit : public CKWindow
{
    K_DECLARE_DYNCREATE(CKEdit)
public:
    CKEdit() = default;
    // Releases the font.
    ~CKEdit() override;

    // Creates the edit window (visible child, automatic scrolling both ways, a tab stop with
    // KWF_TABSTOP, WS_EX_CONTROLPARENT with KWF_CONTROLPARENT) under `parent` (none: the frame
    // window), puts it in the window tree and runs OnCreate. 0 when the window exists already or
    // cannot be made.
    int Create(unsigned int style, int id, CKWindow* parent, unsigned int flags) override;
    // After the base: the library's default font and the stored text go into the window.
    int OnCreate() override;
    // Height = the font's pixel height + 8 base units; the width stays. Returns 1.
    int CalcSize(SIZE& size) override;
    // Ctrl+A selects the whole text (its character, ^A, is swallowed); other keys go on to the
    // platform's edit.
    int OnKey(int code, int key, int repeatFlags) override;

    // Stores `length` units (negative: up to the NUL; none empties), in upper or lower case by
    // the style, and puts them into the window when it exists.
    void SetText(const wchar_t* text, int length = -1);
    // Reads the window's text into the stored text (when the window exists) and copies it to
    // `out`; returns its length.
    int GetText(KStringW& out);
    // The whole text selected, the caret at its end.
    void SelectAll();
    // At most `characters` can be typed or pasted (0: the platform's own limit); kept for a
    // window created later. A text set by SetText is not cut.
    void SetLimit(int characters);
    int GetLimit() const { return limit; }

private:
    // The font measuring and the window use.
    CKFont* GetEditFont() const;

    KStringW text;
    int limit = 0;            // characters the user may enter; 0: the platform's limit
    CKFont* font = nullptr;   // counted: the library's default font, once the window exists
};
