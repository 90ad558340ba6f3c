// Input boxes: the field takes the focus and the typed text, buttons send it to the owner, the back
// key sends nothing; the field opens selected, Ctrl+A selects it, Enter presses the default
// button, a limit cuts what is typed; the box sits a third down the page; texts from the string
// table.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "DialogTestSupport.h"
#include "controls/CKButton.h"
#include "controls/CKEdit.h"
#include "controls/CKLabel.h"
#include "dialogs/CKInputDialog.h"
#include "foundation/KDevMetrics.h"

namespace {

CKInputDialog* CurrentInput()
{
    CKView* view = GetCurrentView();
    return view && view->IsKindOf(K_RUNTIME_CLASS(CKInputDialog)) ? (CKInputDialog*)view : nullptr;
}

// The field's selection as {start, end}.
std::pair<DWORD, DWORD> Selection(CKEdit* edit)
{
    DWORD start = 0, end = 0;
    SendMessageW(edit->GetHwnd(), EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    return {start, end};
}

std::wstring FieldText(CKEdit* edit)
{
    KStringW text;
    edit->GetText(text);
    return (const wchar_t*)text;
}

// Ctrl held (or not) for the keys that follow, as the thread's key state says.
void HoldControl(bool held)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = held ? 0x80 : 0;
    SetKeyboardState(keys);
}

} // namespace

TEST_F(DialogTest, InputButtonSendsTheEnteredTextAndBackSendsNone)
{
    owner.textOutcomes = true;
    ASSERT_EQ(ShowInput(L"Name", L"New list", L"OK", L"Cancel", L"Old", 21, &owner), 1);
    CKInputDialog* input = CurrentInput();
    ASSERT_TRUE(input);
    EXPECT_TRUE(input->GetViewFlags() & KVF_TEXT_INPUT);
    CKEdit* edit = input->GetInputContainer()->GetEdit();
    EXPECT_EQ(edit->GetId(), KDLG_EDIT_ID);
    EXPECT_EQ(GetFocus(), edit->GetHwnd()) << "the field has the focus";
    KStringW shown;
    edit->GetText(shown);
    EXPECT_STREQ(shown, L"Old");
    EXPECT_STREQ(input->GetInputContainer()->GetPrompt()->GetText(), L"Name");

    SendMessageW(edit->GetHwnd(), EM_SETSEL, 0, -1);
    TypeText(L"My list 列表");
    input->OnButton(1);
    ASSERT_TRUE(WaitFor(KDLG_BUTTON1));
    EXPECT_EQ(owner.Find(KDLG_BUTTON1)->id, 21);
    EXPECT_EQ(owner.Find(KDLG_BUTTON1)->text, L"My list 列表");

    // The back key: 2560 without text.
    ASSERT_EQ(ShowInput(L"Name", nullptr, L"OK", L"Cancel", nullptr, 22, &owner), 1);
    input = CurrentInput();
    ASSERT_TRUE(input);
    TypeText(L"typed");
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor(KDLG_CANCEL));
    EXPECT_EQ(owner.Find(KDLG_CANCEL)->id, 22);
    EXPECT_EQ(owner.Find(KDLG_CANCEL)->param, 0);

    // An empty field gives an empty text; the second button its own code.
    ASSERT_EQ(ShowInput(L"Name", nullptr, L"OK", L"Cancel", nullptr, 23, &owner), 1);
    input = CurrentInput();
    ASSERT_TRUE(input);
    CKButton* cancel = input->GetButton(2);
    ASSERT_TRUE(cancel);
    RECT rect = RectIn(cancel, input);
    KViewPointer pointer(input);
    pointer.Tap((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ASSERT_TRUE(WaitFor(KDLG_BUTTON2));
    EXPECT_NE(owner.Find(KDLG_BUTTON2)->param, 0);
    EXPECT_EQ(owner.Find(KDLG_BUTTON2)->text, L"");
}

TEST_F(DialogTest, TheFieldOpensSelectedCtrlASelectsAllAndEnterPressesTheDefaultButton)
{
    owner.textOutcomes = true;
    ASSERT_EQ(ShowInput(L"Name", nullptr, L"OK", L"Cancel", L"Old", 31, &owner), 1);
    CKInputDialog* input = CurrentInput();
    ASSERT_TRUE(input);
    CKEdit* edit = input->GetInputContainer()->GetEdit();
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD(0), DWORD(3))) << "all of it, caret at the end";
    TypeText(L"abc");
    EXPECT_EQ(FieldText(edit), L"abc") << "typing replaces the old text";

    HoldControl(true);
    PressKey('A');
    HoldControl(false);
    EXPECT_EQ(Selection(edit), std::make_pair(DWORD(0), DWORD(3)));
    EXPECT_EQ(FieldText(edit), L"abc") << "Ctrl+A types nothing";
    TypeText(L"Jazz");
    EXPECT_EQ(input->GetDefaultButton(), 1);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor(KDLG_BUTTON1));
    EXPECT_EQ(owner.Find(KDLG_BUTTON1)->text, L"Jazz");

    // Another default button, and a field that takes only so much.
    ASSERT_EQ(ShowInput(L"Name", nullptr, L"Cancel", L"OK", nullptr, 32, &owner), 1);
    input = CurrentInput();
    ASSERT_TRUE(input);
    input->SetDefaultButton(2);
    edit = input->GetInputContainer()->GetEdit();
    edit->SetLimit(5);
    TypeText(L"abcdefgh");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor(KDLG_BUTTON2));
    EXPECT_EQ(owner.Find(KDLG_BUTTON2)->text, L"abcde");
}

TEST_F(DialogTest, InputBoxSitsAThirdDownAndByIdWithoutTitleHasNoTitleBand)
{
    ASSERT_EQ(ShowInputById(3019, 0, 3013, 3018, L"x", 31, &owner), 1);
    CKInputDialog* input = CurrentInput();
    ASSERT_TRUE(input);
    EXPECT_EQ(input->GetTitleLabel(), nullptr);
    EXPECT_STREQ(input->GetInputContainer()->GetPrompt()->GetText(), L"播放列表");
    EXPECT_STREQ(input->GetButton(1)->GetText(), L"确定");
    EXPECT_STREQ(input->GetButton(2)->GetText(), L"取消");
    const KDlgFrame* frame = input->GetFrame();
    const int boxHeight = frame->rect.bottom - frame->rect.top;
    EXPECT_EQ(frame->rect.top, (456 - boxHeight) / 3);
    EXPECT_EQ(frame->rect.left, (320 - (frame->rect.right - frame->rect.left)) / 2);
    EXPECT_EQ(frame->titleRect.bottom - frame->titleRect.top, frame->titleHeight);
    EXPECT_LT(frame->titleHeight, 20) << "only the top band's padding";

    // Measures: margins of 6 base units around and between prompt and field.
    const int margin = UnitToPixels(6, 0);
    CKEdit* edit = input->GetInputContainer()->GetEdit();
    CKLabel* prompt = input->GetInputContainer()->GetPrompt();
    const RECT field = RectIn(edit, input);
    const RECT text = RectIn(prompt, input);
    const RECT content = RectIn(input->GetContainer(), input);
    EXPECT_EQ(content.right - content.left, 256);
    EXPECT_EQ(field.top - text.bottom, margin);
    EXPECT_EQ(content.bottom - field.bottom, margin) << "the field at the bottom";
    EXPECT_EQ(text.top - content.top, margin);
    EXPECT_EQ(field.left - content.left, margin);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor(KDLG_CANCEL));
}
