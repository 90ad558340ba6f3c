// Keys on a shown page, run through the application loop's rules (the page's dialog navigation):
// Enter acts on the focused button, box, list row and tree row, the arrows and Home and End move
// the focused slider, Escape stays the page's back action and Tab moves the focus.
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "KViewTestSupport.h"
#include "controls/CKButton.h"
#include "controls/CKCheckBox.h"
#include "controls/CKListBox.h"
#include "controls/CKRadioBox.h"
#include "controls/CKSlider.h"
#include "controls/CKTreeCtrl.h"
#include "ui/CKApplication.h"

namespace {

// Focus follows presses and the dialog navigation: every control is a tab stop.
constexpr unsigned int CONTROL_FLAGS = KWF_TABSTOP | KWF_REPAINT_ON_CHANGE;
constexpr unsigned int HOST_FLAGS = KWF_OPAQUE | KWF_CONTROLPARENT;

class DialogKeysTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetPageLookup(TestPageLookup);
        page = AddTestPage(3000, 0, nullptr);
        page->content.handlesBack = true;   // the back action keeps the page
        ASSERT_EQ(ShowView(page), 1);
        host = scope.Add(new CNoticeHost(), &page->content, 0, HOST_FLAGS, RECT{0, 0, 320, 400},
                         9000);
        ASSERT_TRUE(host);
    }

    void TearDown() override { DestroyPages(); }

    // Focuses `control`, presses `key` through the loop and returns what its host heard.
    std::vector<KNotice> Press(CKWindow* control, UINT key)
    {
        control->SetFocus();
        host->notices.clear();
        PressKey(key);
        std::vector<KNotice> heard;
        for (const KNotice& notice : host->notices)
            if (notice.code != KNOTIFY_FOCUSED && notice.code != KNOTIFY_UNFOCUSED)
                heard.push_back(notice);
        return heard;
    }

    KControlScope scope;
    CTestPage* page = nullptr;   // borrowed: the page registry holds it
    CNoticeHost* host = nullptr;
};

} // namespace

TEST_F(DialogKeysTest, EnterActsOnTheFocusedControlAndEscapeStaysTheBackAction)
{
    CKButton* button = scope.Add(new CKButton(), host, 0, CONTROL_FLAGS, RECT{0, 0, 80, 30}, 1);
    CKCheckBox* check = scope.Add(new CKCheckBox(), host, 0, CONTROL_FLAGS, RECT{0, 40, 80, 70}, 2);
    CKRadioBox* radio = scope.Add(new CKRadioBox(), host, 0, CONTROL_FLAGS, RECT{0, 80, 80, 110}, 3);
    CKListBox* list = scope.Add(new CKListBox(), host, 0, CONTROL_FLAGS, RECT{0, 120, 200, 240}, 4);
    CKTreeCtrl* tree = scope.Add(new CKTreeCtrl(), host, 0, CONTROL_FLAGS, RECT{0, 250, 200, 390},
                                 5);
    ASSERT_TRUE(button && check && radio && list && tree);
    for (int i = 0; i < 3; i++)
        list->AddItem(0);
    list->SelectItem(1, 0);
    KTreeItem* first = tree->InsertItem(nullptr, 0);
    KTreeItem* second = tree->InsertItem(nullptr, 0);
    ASSERT_TRUE(first && second);
    tree->Select(second);

    const struct
    {
        CKWindow* control;
        KNotice enter;   // what Enter makes the control say
    } cases[] = {
        {button, {1, KNOTIFY_CLICK, 0}},
        {check, {2, KNOTIFY_CHECK_TOGGLED, 0}},
        {radio, {3, KNOTIFY_RADIO_ON, 0}},
        {list, {4, KNOTIFY_LB_TAP, 1}},
        {tree, {5, KNOTIFY_TREE_TAPPED, (long long)(INT_PTR)second}},
    };
    for (const auto& c : cases) {
        const char* name = c.control->GetRuntimeClass()->name;
        EXPECT_EQ(Press(c.control, VK_RETURN), std::vector<KNotice>{c.enter}) << name;
        EXPECT_EQ(GetFocus(), c.control->GetHwnd()) << name;
        page->content.events.clear();
        EXPECT_TRUE(Press(c.control, VK_ESCAPE).empty()) << name;
        EXPECT_EQ(page->content.events, std::vector<std::string>{"back"}) << name;
    }
    EXPECT_TRUE(check->IsChecked());
    EXPECT_TRUE(radio->IsChecked());

    // The arrows stay with the list, Tab moves on to the next control.
    Press(list, VK_DOWN);
    EXPECT_EQ(list->GetSelectedIndex(), 2);
    Press(list, VK_TAB);
    EXPECT_EQ(GetFocus(), tree->GetHwnd());
}

TEST_F(DialogKeysTest, TheArrowsHomeAndEndMoveTheFocusedSlider)
{
    CKSlider* slider = scope.Add(new CKSlider(), host, 0, CONTROL_FLAGS, RECT{0, 0, 200, 30}, 6);
    ASSERT_TRUE(slider);
    slider->SetPosition(50);
    const struct
    {
        UINT key;
        int position;
    } steps[] = {{VK_RIGHT, 51}, {VK_LEFT, 50}, {VK_END, 100}, {VK_HOME, 0}};
    for (const auto& step : steps) {
        Press(slider, step.key);
        EXPECT_EQ(slider->GetPosition(), step.position) << "key " << step.key;
        EXPECT_EQ(GetFocus(), slider->GetHwnd()) << "key " << step.key;
    }
}
