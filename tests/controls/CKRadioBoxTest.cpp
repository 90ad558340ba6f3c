// Radio boxes through their real HWNDs: a tap turns one on and the others of its group off, with
// 769; groups start at style 0x10 and end at a sibling of another class.
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "controls/CKLabel.h"
#include "controls/CKRadioBox.h"

namespace {

// Radio boxes 40 pixels high, one under the other, ids 701 onwards.
CKRadioBox* AddRadio(KControlScope& scope, CKWindow* host, int index, unsigned int style)
{
    return scope.Add(new CKRadioBox(), host, style, 0,
                     RECT{10, 10 + 40 * index, 210, 50 + 40 * index}, 701 + index);
}

} // namespace

TEST(CKRadioBox, TappingOneOfAGroupOfThreeTurnsTheOtherTwoOff)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKRadioBox* first = AddRadio(scope, host, 0, KRBS_GROUP);
    CKRadioBox* second = AddRadio(scope, host, 1, 0);
    CKRadioBox* third = AddRadio(scope, host, 2, 0);
    CKRadioBox* nextGroup = AddRadio(scope, host, 3, KRBS_GROUP);
    ASSERT_TRUE(first && second && third && nextGroup);
    nextGroup->SetCheck(true);
    first->SetCheck(true);
    third->SetCheck(true);   // set directly: the rule turns the first off
    EXPECT_FALSE(first->IsChecked());

    first->SetCheck(true);
    Tap(second, 20, 20);
    EXPECT_FALSE(first->IsChecked());
    EXPECT_TRUE(second->IsChecked());
    EXPECT_FALSE(third->IsChecked());
    EXPECT_TRUE(nextGroup->IsChecked()) << "another group";

    Tap(third, 20, 20);
    Tap(third, 20, 20);   // on already: stays on and reports again
    EXPECT_FALSE(second->IsChecked());
    EXPECT_TRUE(third->IsChecked());
    EXPECT_TRUE(nextGroup->IsChecked());
    EXPECT_EQ(host->WithCode(KNOTIFY_RADIO_ON),
              (std::vector<KNotice>{{702, KNOTIFY_RADIO_ON, 0}, {703, KNOTIFY_RADIO_ON, 0},
                                    {703, KNOTIFY_RADIO_ON, 0}}));

    // Turning one off touches no other; the space key turns one on.
    third->SetCheck(false);
    EXPECT_FALSE(first->IsChecked() || second->IsChecked() || third->IsChecked());
    PostKey(first, WM_KEYDOWN, VK_SPACE);
    PostKey(first, WM_KEYUP, VK_SPACE);
    DeliverPosted();
    EXPECT_TRUE(first->IsChecked());
    EXPECT_TRUE(nextGroup->IsChecked());
    EXPECT_EQ(host->WithCode(KNOTIFY_RADIO_ON).size(), 4u);
}

TEST(CKRadioBox, ASiblingOfAnotherClassEndsTheGroup)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKRadioBox* first = AddRadio(scope, host, 0, KRBS_GROUP);
    CKLabel* label = scope.Add(new CKLabel(), host, 0, 0, RECT{10, 50, 210, 90}, 799);
    CKRadioBox* after = AddRadio(scope, host, 2, 0);
    CKRadioBox* last = AddRadio(scope, host, 3, 0);
    ASSERT_TRUE(first && label && after && last);
    first->SetCheck(true);
    last->SetCheck(true);
    after->SetCheck(true);
    EXPECT_TRUE(first->IsChecked()) << "the label lies between";
    EXPECT_FALSE(last->IsChecked());
}
