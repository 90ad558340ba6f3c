// Text fields: the platform "EDIT" window inside the window tree, its styles, the case rules of
// SetText, text typed as WM_CHAR (Chinese included) read back with GetText, and the parent's
// 1025 for every change.
#include <gtest/gtest.h>

#include <string>

#include "ControlsTestSupport.h"
#include "controls/CKEdit.h"
#include "foundation/KDevMetrics.h"
#include "graphics/CKFont.h"

namespace {

constexpr int EDIT_ID = 650;
const RECT EDIT_RECT = {10, 10, 250, 50};

std::wstring WindowText(CKWindow* window)
{
    wchar_t buffer[256] = L"";
    GetWindowTextW(window->GetHwnd(), buffer, 256);
    return buffer;
}

std::wstring Text(CKEdit* edit)
{
    KStringW text;
    edit->GetText(text);
    return std::wstring(text, text.GetLength());
}

void Type(CKWindow* window, const std::wstring& text)
{
    for (wchar_t unit : text)
        PostKey(window, WM_CHAR, unit);
    DeliverPosted();
}

} // namespace

TEST(CKEdit, TypedChineseTextIsReadBackAndEveryChangeIsToldToTheParent)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKEdit* edit = scope.Add(new CKEdit(), host, 0, KWF_TABSTOP, EDIT_RECT, EDIT_ID);
    ASSERT_TRUE(edit);
    wchar_t className[16] = L"";
    GetClassNameW(edit->GetHwnd(), className, 16);
    EXPECT_EQ(std::wstring(className), L"Edit") << "the platform's own edit window";
    EXPECT_EQ(edit->GetParent(), static_cast<CKWindow*>(host));
    EXPECT_EQ(host->GetFirstChild(), static_cast<CKWindow*>(edit));
    EXPECT_EQ(GetParent(edit->GetHwnd()), host->GetHwnd());
    EXPECT_TRUE(host->notices.empty()) << "an empty edit reports no change at creation";

    const std::wstring typed = L"我的歌单 2";
    Type(edit, typed);
    EXPECT_EQ(Text(edit), typed);
    EXPECT_EQ(host->WithCode(KNOTIFY_TEXT_CHANGED).size(), typed.size());
    for (const KNotice& notice : host->WithCode(KNOTIFY_TEXT_CHANGED))
        EXPECT_EQ(notice, (KNotice{EDIT_ID, KNOTIFY_TEXT_CHANGED, 0}));

    // Backspace removes the last character: one more change.
    Type(edit, L"\b");
    EXPECT_EQ(Text(edit), L"我的歌单 ");
    EXPECT_EQ(host->WithCode(KNOTIFY_TEXT_CHANGED).size(), typed.size() + 1);

    edit->SetText(L"流行音乐");
    EXPECT_EQ(WindowText(edit), L"流行音乐");
    EXPECT_EQ(host->WithCode(KNOTIFY_TEXT_CHANGED).size(), typed.size() + 2);
    edit->SetText(L"abcdef", 3);
    EXPECT_EQ(Text(edit), L"abc");
}

TEST(CKEdit, AnUpperCaseEditShowsTextGivenInLowerCaseInUpperCase)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKEdit* upper = scope.Add(new CKEdit(), host, KES_UPPERCASE, 0, EDIT_RECT, EDIT_ID);
    CKEdit* lower = scope.Add(new CKEdit(), host, KES_LOWERCASE, 0, RECT{10, 60, 250, 100}, 651);
    ASSERT_TRUE(upper && lower);

    upper->SetText(L"hello Lumo ü");
    EXPECT_EQ(WindowText(upper), L"HELLO LUMO Ü");
    EXPECT_EQ(Text(upper), L"HELLO LUMO Ü");
    SendMessageW(upper->GetHwnd(), EM_SETSEL, 12, 12);   // the caret to the end
    Type(upper, L"x");
    EXPECT_EQ(Text(upper), L"HELLO LUMO ÜX") << "typing follows the style too";

    lower->SetText(L"Hello LUMO");
    EXPECT_EQ(WindowText(lower), L"hello lumo");
}

TEST(CKEdit, StylesBecomeThePlatformStylesAndTextSetBeforeCreationAppears)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKEdit* early = new CKEdit();
    early->SetText(L"before");
    ASSERT_TRUE(scope.Add(early, host, KES_PASSWORD | KES_FRAMED, KWF_TABSTOP, EDIT_RECT, 1));
    EXPECT_EQ(WindowText(early), L"before");
    const LONG_PTR earlyStyle = GetWindowLongPtrW(early->GetHwnd(), GWL_STYLE);
    EXPECT_TRUE(earlyStyle & ES_PASSWORD);
    EXPECT_TRUE(earlyStyle & WS_TABSTOP);
    EXPECT_TRUE(earlyStyle & ES_AUTOHSCROLL);
    EXPECT_TRUE(earlyStyle & ES_AUTOVSCROLL);
    EXPECT_TRUE(early->GetFlags() & KWF_FRAMED);
    EXPECT_EQ((HFONT)SendMessageW(early->GetHwnd(), WM_GETFONT, 0, 0),
              GetDefaultFont()->GetHandle());

    CKEdit* numbers = scope.Add(new CKEdit(), host, KES_NUMBER | KES_MULTILINE,
                                KWF_CONTROLPARENT, RECT{10, 60, 250, 200}, 2);
    ASSERT_TRUE(numbers);
    const LONG_PTR numberStyle = GetWindowLongPtrW(numbers->GetHwnd(), GWL_STYLE);
    EXPECT_TRUE(numberStyle & ES_NUMBER);
    EXPECT_TRUE(numberStyle & ES_MULTILINE);
    EXPECT_TRUE(numberStyle & ES_WANTRETURN);
    EXPECT_FALSE(numberStyle & WS_TABSTOP);
    EXPECT_TRUE(GetWindowLongPtrW(numbers->GetHwnd(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_FALSE(numbers->GetFlags() & KWF_FRAMED);
    EXPECT_EQ(numbers->Create(0, 3, host, 0), 0) << "created once";

    SIZE size = {240, 0};
    numbers->CalcSize(size);
    EXPECT_EQ(size.cx, 240);
    EXPECT_EQ(size.cy, GetDefaultFont()->GetPixelHeight() + UnitToPixels(8, 1));

    // Destroying the window takes it out of the tree; the stored text stays readable.
    numbers->SetText(L"42");
    numbers->Destroy();
    EXPECT_EQ(numbers->GetItem(), nullptr);
    EXPECT_EQ(host->GetFirstChild(), static_cast<CKWindow*>(early));
}
