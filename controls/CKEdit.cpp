// CKEdit: creating the native edit window inside the window tree, its font, and the text with the
// case rules of its style.
#include "controls/CKEdit.h"

#include "foundation/KDevMetrics.h"
#include "graphics/CKFont.h"
#include "ui/CKApplication.h"

K_IMPLEMENT_DYNCREATE(CKEdit, CKWindow)

namespace {

// Room above and below the text, in base units.
constexpr int TEXT_MARGIN_UNITS = 8;
// The character Ctrl+A types (^A); it would otherwise reach the platform's edit.
constexpr int CTRL_A_CHARACTER = 0x01;

// The platform styles of the edit style bits.
struct KEditStyle
{
    unsigned int bit;
    DWORD windowStyle;
};

const KEditStyle EDIT_STYLES[] = {
    {KES_NUMBER, ES_NUMBER},
    {KES_UPPERCASE, ES_UPPERCASE},
    {KES_LOWERCASE, ES_LOWERCASE},
    {KES_PASSWORD, ES_PASSWORD},
    {KES_MULTILINE, ES_MULTILINE | ES_WANTRETURN},
};

} // namespace

CKEdit::~CKEdit()
{
    if (font)
        font->Release();
}

int CKEdit::Create(unsigned int newStyle, int newId, CKWindow* parent, unsigned int newFlags)
{
    if (item || !AllocItem(parent))
        return 0;
    flags |= newFlags | KWF_SHOWN;
    style |= newStyle;
    id = newId;
    if (style & KES_FRAMED)
        flags |= KWF_FRAMED;
    DWORD windowStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (flags & KWF_TABSTOP)
        windowStyle |= WS_TABSTOP;
    for (const KEditStyle& entry : EDIT_STYLES)
        if (style & entry.bit)
            windowStyle |= entry.windowStyle;
    const DWORD exStyle = (flags & KWF_CONTROLPARENT) ? WS_EX_CONTROLPARENT : 0;
    HWND parentHwnd = parent ? parent->GetHwnd() : GetFrameWindow();
    HWND hwnd = CreateWindowExW(exStyle, L"EDIT", L"", windowStyle, 0, 0, 0, 0, parentHwnd,
                                (HMENU)(INT_PTR)id, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) {
        FreeItem();
        return 0;
    }
    SubclassNative(hwnd);
    return CKWindow::Create(newStyle, newId, parent, newFlags);
}

CKFont* CKEdit::GetEditFont() const
{
    return font ? font : GetDefaultFont();
}

int CKEdit::OnCreate()
{
    if (!CKWindow::OnCreate())
        return 0;
    if (!font) {
        font = GetDefaultFont();
        if (font)
            font->AddRef();
    }
    if (font)
        SendMessageW(item->hwnd, WM_SETFONT, (WPARAM)font->GetHandle(), FALSE);
    if (limit)
        SendMessageW(item->hwnd, EM_SETLIMITTEXT, (WPARAM)limit, 0);
    // A new edit window is empty: only a stored text needs setting (and reports a change).
    if (text.GetLength())
        SetWindowTextW(item->hwnd, text);
    return 1;
}

int CKEdit::OnKey(int code, int key, int repeatFlags)
{
    CKWindow::OnKey(code, key, repeatFlags);
    if (code == KKEY_CHAR)
        return key == CTRL_A_CHARACTER;
    if (code != KKEY_DOWN || key != 'A' || GetKeyState(VK_CONTROL) >= 0)
        return 0;
    SelectAll();
    return 1;
}

int CKEdit::CalcSize(SIZE& size)
{
    const CKFont* editFont = GetEditFont();
    size.cy = (editFont ? editFont->GetPixelHeight() : 0) + UnitToPixels(TEXT_MARGIN_UNITS, 1);
    return 1;
}

void CKEdit::SetText(const wchar_t* newText, int length)
{
    text.Assign(newText, length);
    if (text.GetLength()) {
        if (style & KES_UPPERCASE)
            CharUpperBuffW(text.GetBuffer(), (DWORD)text.GetLength());
        else if (style & KES_LOWERCASE)
            CharLowerBuffW(text.GetBuffer(), (DWORD)text.GetLength());
    }
    if (item)
        SetWindowTextW(item->hwnd, text);
}

void CKEdit::SelectAll()
{
    if (item)
        SendMessageW(item->hwnd, EM_SETSEL, 0, -1);
}

void CKEdit::SetLimit(int characters)
{
    limit = characters > 0 ? characters : 0;
    if (item)
        SendMessageW(item->hwnd, EM_SETLIMITTEXT, (WPARAM)limit, 0);
}

int CKEdit::GetText(KStringW& out)
{
    if (item) {
        const int length = GetWindowTextLengthW(item->hwnd);
        if (text.Reserve(length)) {
            GetWindowTextW(item->hwnd, text.GetBuffer(), length + 1);
            text.SetLength(-1);
        }
    }
    out.Assign(text, text.GetLength());
    return out.GetLength();
}
