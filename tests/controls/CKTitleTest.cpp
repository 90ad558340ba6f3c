// Title bars through their real HWNDs: the text area kept centred between the buttons, the small
// ellipsised text when the title does not fit, buttons by text or icon, and button clicks reaching
// the parent view as commands.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ControlsTestSupport.h"
#include "controls/CKButton.h"
#include "controls/CKTitle.h"
#include "foundation/KDevMetrics.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKColorDrawable.h"
#include "graphics/CKFont.h"
#include "graphics/CKImgList.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KGraphics.h"
#include "ui/CKView.h"

namespace {

const RECT TITLE_RECT = {0, 0, 320, 48};
// The title's window flags as views create it.
constexpr unsigned int TITLE_FLAGS = 0x70000000;

void ExpectRect(const RECT& rect, int left, int top, int right, int bottom)
{
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

// The leftmost and one past the rightmost column of `area` holding a pixel other than the
// title's face colour; (right, left) when there is none.
POINT InkColumns(const RECT& area)
{
    POINT columns = {area.right, area.left};
    for (int y = area.top; y < area.bottom; y++)
        for (int x = area.left; x < area.right; x++)
            if (BackBufferPixel(x, y) != TITLE_FACE) {
                columns.x = x < columns.x ? x : columns.x;
                columns.y = x + 1 > columns.y ? x + 1 : columns.y;
            }
    return columns;
}

// The title's client rect less its face's margins and paddings.
RECT ContentOf(const CKTitle* title)
{
    const RECT insets = Insets(title->GetFace());
    return RECT{TITLE_RECT.left + insets.left, TITLE_RECT.top + insets.top,
                TITLE_RECT.right - insets.right, TITLE_RECT.bottom - insets.bottom};
}

} // namespace

TEST(CKTitle, OnlyALeftButtonOfWidth40InsetsTheTextArea40OnBothSidesAndTheTextStaysCentred)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKTitle* title = scope.Add(new CKTitle(), host, 0, TITLE_FLAGS, TITLE_RECT, KVIEW_TITLE_ID);
    ASSERT_TRUE(title);
    const RECT content = ContentOf(title);
    EXPECT_GT(content.left, 0) << "\"DefTitleFace\" has a padding";
    title->SetText(L"Lumo");
    title->SetLeftButton(3100, KTITLE_BTN_LEFT, nullptr);
    CKButton* left = title->GetLeftButton();
    ASSERT_TRUE(left && left->GetHwnd());
    EXPECT_EQ(left->GetId(), 3100) << "the button's id is its command";
    EXPECT_STREQ(left->GetFaceDrawable()->GetName(), "DefTitleBtnLeft");
    EXPECT_STREQ(left->GetTextDrawable()->GetName(), "DefTitleBtnText");

    // A face that measures 40 x 10 and paints nothing: the button is exactly 40 wide.
    CKColorDrawable* face = MakeFace(nullptr, 0);
    face->SetPadding(RECT{20, 5, 20, 5});
    left->SetFaceDrawable(face);
    title->SetLeftButton(3100, KTITLE_BTN_LEFT, nullptr);   // lays out again

    ExpectRect(title->GetTextRect(), content.left + 40, content.top, content.right - 40,
               content.bottom);
    RECT button;
    ASSERT_TRUE(left->GetRectInParent(&button));
    ExpectRect(button, content.left, (content.top + content.bottom - 10) / 2, content.left + 40,
               (content.top + content.bottom + 10) / 2);

    RepaintNow(title);
    const POINT ink = InkColumns(title->GetTextRect());
    ASSERT_LT(ink.x, ink.y) << "the text was drawn";
    EXPECT_LE(std::abs(ink.x + ink.y - 320), 4) << "centred on the bar, not on the text area";
    face->Release();

    // Removing the button gives the whole content to the text.
    title->SetLeftButton(0, 0, nullptr);
    EXPECT_EQ(title->GetLeftButton(), nullptr);
    ExpectRect(title->GetTextRect(), content.left, content.top, content.right, content.bottom);
}

TEST(CKTitle, ATextTooWideIsDrawnWithTheSmallDrawableEndingInAnEllipsis)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKTitle* title = scope.Add(new CKTitle(), host, 0, TITLE_FLAGS, TITLE_RECT, KVIEW_TITLE_ID);
    ASSERT_TRUE(title);
    CKTextDrawable* small = title->GetSmallTextDrawable();
    ASSERT_TRUE(small && title->GetTextDrawable() && title->GetFace());
    EXPECT_STREQ(small->GetName(), "DefTitleSmallText");
    const std::wstring wide(60, L'W');
    title->SetText(wide.c_str());
    RepaintNow(title);

    // What the title should show: as many W as fit beside "..." in the text area less the small
    // drawable's insets, drawn centred with the small drawable as one plain text.
    const RECT area = title->GetTextRect();
    const RECT insets = Insets(small);
    CKFont* font = small->GetFont() ? small->GetFont() : GetDefaultFont();
    SIZE letter;
    SIZE dots;
    ASSERT_TRUE(CKCanvas::MeasureText(font, L"W", 1, &letter));
    ASSERT_TRUE(CKCanvas::MeasureText(font, L"...", 3, &dots));
    const int room = area.right - area.left - insets.left - insets.right;
    const int kept = (room - dots.cx) / letter.cx;
    ASSERT_GT(kept, 0);
    ASSERT_LT(kept, 60);
    const std::wstring expected = std::wstring(kept, L'W') + L"...";

    // The reference goes into a free band of the back buffer, 300 pixels lower.
    constexpr int SHIFT = 300;
    HDC dc = GetBackBufferDC();
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SelectClipRgn(dc, nullptr);
    {
        CKCanvas canvas;
        ASSERT_TRUE(canvas.Bind(dc));
        title->GetFace()->SetState(0);
        title->GetFace()->Draw(&canvas, RECT{0, SHIFT, 320, SHIFT + 48}, nullptr);
        small->SetText(expected.c_str(), -1);
        small->SetState(0);
        const RECT shifted = {area.left, area.top + SHIFT, area.right, area.bottom + SHIFT};
        small->Draw(&canvas, shifted, nullptr);
        small->SetText(nullptr, 0);
    }
    int inked = 0;
    int different = 0;
    for (int y = area.top; y < area.bottom; y++)
        for (int x = area.left; x < area.right; x++) {
            const unsigned int shown = BackBufferPixel(x, y);
            inked += shown != TITLE_FACE;
            different += shown != BackBufferPixel(x, y + SHIFT);
        }
    EXPECT_GT(inked, 50);
    EXPECT_EQ(different, 0);

    // A text that fits takes the normal drawable: it differs from the small one's picture.
    title->SetText(L"WWW");
    RepaintNow(title);
    const POINT normal = InkColumns(area);
    SIZE smallWidth;
    CKCanvas::MeasureText(font, L"WWW", 3, &smallWidth);
    EXPECT_GT(normal.y - normal.x, smallWidth.cx) << "drawn larger than the small style";
}

TEST(CKTitle, TheRightButtonsClickReachesTheParentAsItsCommand)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKTitle* title = scope.Add(new CKTitle(), host, 0, TITLE_FLAGS, TITLE_RECT, KVIEW_TITLE_ID);
    ASSERT_TRUE(title);
    const RECT content = ContentOf(title);
    title->SetRightButton(3004, KTITLE_BTN_RIGHT, L"Done");
    CKButton* right = title->GetRightButton();
    ASSERT_TRUE(right && right->GetHwnd());
    EXPECT_STREQ(right->GetText(), L"Done");
    EXPECT_STREQ(right->GetFaceDrawable()->GetName(), "DefTitleBtnRight");

    RECT rect;
    ASSERT_TRUE(right->GetRectInParent(&rect));
    EXPECT_EQ(rect.right, content.right);
    const int width = rect.right - rect.left;
    EXPECT_EQ(title->GetTextRect().left, content.left + width);
    EXPECT_EQ(title->GetTextRect().right, content.right - width);

    Tap(right, width / 2, (rect.bottom - rect.top) / 2);
    EXPECT_EQ(host->notices, (std::vector<KNotice>{{KVIEW_TITLE_ID, KNOTIFY_CLICK, 3004}}));

    // Other codes from the button, and clicks from unknown ids, stay in the title.
    title->OnNotify(3004, KNOTIFY_PRESS, 0);
    title->OnNotify(3999, KNOTIFY_CLICK, 0);
    EXPECT_EQ(host->notices.size(), 1u);
}

TEST(CKTitle, ButtonsMadeBeforeTheWindowAppearWithItAndIconsReplaceTheText)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    CKTitle* title = new CKTitle();
    title->SetLeftButton(3001, KTITLE_BTN_PLAIN, L"Menu");
    title->SetRightButton(-1, KTITLE_BTN_PLAIN, L"Never");
    ASSERT_TRUE(title->GetLeftButton());
    EXPECT_EQ(title->GetLeftButton()->GetHwnd(), nullptr);
    ASSERT_TRUE(scope.Add(title, host, 0, TITLE_FLAGS, TITLE_RECT, KVIEW_TITLE_ID));
    CKButton* left = title->GetLeftButton();
    ASSERT_TRUE(left->GetHwnd());
    EXPECT_STREQ(left->GetFaceDrawable()->GetName(), "DefTitleBtnFace");
    ASSERT_TRUE(title->GetRightButton());
    EXPECT_EQ(title->GetRightButton()->GetHwnd(), nullptr) << "no window without a command";

    // Without an image list the button keeps its text; with one the icon replaces it.
    title->SetLeftButton(3001, KTITLE_BTN_PLAIN, nullptr);
    title->SetLeftButtonIcon(3001, KTITLE_BTN_PLAIN, nullptr, 1);
    EXPECT_STREQ(left->GetText(), L"Menu");
    CKImgList* list = MakeImgList(24, {0x000000, 0xFFFFFF});
    title->SetLeftButtonIcon(3001, KTITLE_BTN_PLAIN, list, 1);
    EXPECT_EQ(title->GetLeftButton(), left);
    EXPECT_EQ(left->GetText(), nullptr);
    EXPECT_EQ(left->GetIconList(), list);
    EXPECT_EQ(left->GetIconCell(KSLOT_PRESSED), 1);
    RECT rect;
    ASSERT_TRUE(left->GetRectInParent(&rect));
    SIZE size = {320, 48};
    left->CalcSize(size);
    EXPECT_EQ(rect.right - rect.left, size.cx);

    // A new style gives the existing button its face; a new command makes a new button.
    title->SetLeftButtonIcon(3001, KTITLE_BTN_LEFT, list, 1);
    EXPECT_STREQ(left->GetFaceDrawable()->GetName(), "DefTitleBtnLeft");
    title->SetLeftButton(3002, KTITLE_BTN_LEFT, L"Back");
    ASSERT_TRUE(title->GetLeftButton());
    EXPECT_EQ(title->GetLeftButton()->GetId(), 3002);
    EXPECT_EQ(title->GetLeftCmd(), 3002);
    title->SetLeftButton(0, 0, nullptr);
    list->Release();
}

TEST(CKTitle, CalcSizeGivesTheTitleBarHeightAndKeepsTheWidth)
{
    CKTitle title;
    SIZE size = {123, 7};
    EXPECT_EQ(title.CalcSize(size), 1);
    EXPECT_EQ(size.cx, 123);
    EXPECT_EQ(size.cy, GetDevMetric(TitleBarHeight));
}
