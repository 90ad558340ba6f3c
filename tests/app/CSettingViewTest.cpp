// The settings page: its grouped list, the filter edited through the input box (stored at once,
// shown as the entry's second line), "取消" and the back key changing nothing, the entries about
// the program, the box tap the page ignores, the mail link (and the address shown when no mail
// program takes it), the help page and the way back.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "KTestSupport.h"
#include "KViewTestSupport.h"
#include "support/KFileFixtures.h"
#include "app/CSettingView.h"
#include "app/LmPageTable.h"
#include "app/LmSettings.h"
#include "controls/CKButton.h"
#include "controls/CKEdit.h"
#include "controls/CKLabel.h"
#include "controls/CKTitle.h"
#include "dialogs/CKAlertDialog.h"
#include "dialogs/CKInputDialog.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KPaths.h"
#include "graphics/CKImage.h"
#include "graphics/CKImgList.h"
#include "graphics/CKStateBoxDrawable.h"
#include "graphics/KDrawableRegistry.h"
#include "graphics/KImageCache.h"
#include "ui/CKApplication.h"

namespace {

std::vector<std::wstring> g_links;

INT_PTR RecordLink(const wchar_t* link)
{
    g_links.push_back(link);
    return 42;
}

// An opener on a system without a mail program: no program is associated with the link.
INT_PTR RefuseLink(const wchar_t* link)
{
    g_links.push_back(link);
    return SE_ERR_NOASSOC;
}

CKInputDialog* CurrentInput()
{
    CKView* view = GetCurrentView();
    return view && view->IsKindOf(K_RUNTIME_CLASS(CKInputDialog)) ? (CKInputDialog*)view : nullptr;
}

// Entry rows of the page.
enum
{
    ROW_GENERAL,
    ROW_FILTER,
    ROW_ABOUT,
    ROW_RATE,
    ROW_CONTACT,
    ROW_HELP,
    ROW_VERSION,
    ROW_END,
    ROW_COUNT
};

// A player page, the settings page over it and a help page beside them; Settings.ini starts
// missing, and links are recorded instead of opened.
class SettingViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureTestFrame();
        SetPageLookup(LookupPageEntry);
        path = std::wstring(GetModuleDir()) + LmSettings::SETTINGS_FILE_NAME;
        DeleteFileW(path.c_str());
        LmSettings::LoadSettings();
        SetOpenLinkProc(RecordLink);
        g_links.clear();
        player = AddTestPage(IDS_PAGE_PLAYER, 0, nullptr);
        settings = new CSettingView();
        settings->EnableRefCount();
        settings->Initialize(0);
        settings->InitView(0, IDS_PAGE_SETTINGS);
        AddPage(settings);
        help = AddTestPage(IDS_PAGE_HELP, 0, nullptr);
        ASSERT_EQ(ShowPage(IDS_PAGE_PLAYER), 1);
        ASSERT_EQ(ShowPage(IDS_PAGE_SETTINGS), 1);
        list = settings->GetSettingContainer()->GetList();
    }
    void TearDown() override
    {
        if (CKView* view = GetCurrentView(); view && view->IsKindOf(K_RUNTIME_CLASS(CKDialog)))
            PressKey(VK_ESCAPE);
        PumpLikeLoopUntil([] { return !CurrentInput(); }, 2000);
        RunPostedLikeLoop();
        PumpMessagesFor(30);
        DestroyPages();
        SetOpenLinkProc(nullptr);
        LmSettings::SaveAndCloseSettings();
        DeleteFileW(path.c_str());
    }

    // A point of row `index` in the settings page's client coordinates, `x` pixels from the row's
    // left edge (negative: from its right edge).
    POINT RowPoint(int index, int x)
    {
        RECT rect = {0, 0, 0, 0};
        EXPECT_TRUE(list->GetItemRect(index, &rect));
        POINT point = {x >= 0 ? rect.left + x : rect.right + x, (rect.top + rect.bottom) / 2};
        MapWindowPoints(list->GetHwnd(), settings->GetHwnd(), &point, 1);
        return point;
    }
    void TapRow(int index)
    {
        const POINT point = RowPoint(index, 20);
        KViewPointer(settings).Tap(point.x, point.y);
    }
    // The middle of the row's box, in the list's client coordinates; (-1, -1) without one.
    POINT BoxPoint(int index)
    {
        RECT rect = {0, 0, 0, 0};
        list->GetItemRect(index, &rect);
        const int y = (rect.top + rect.bottom) / 2;
        int first = -1, last = -1;
        for (int x = rect.left; x < rect.right; x++) {
            if (list->HitTestPart(index, x, y) == KLBP_BOX) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        return first < 0 ? POINT{-1, -1} : POINT{(first + last) / 2, y};
    }
    // Opens the filter's input box by a tap on its entry.
    CKInputDialog* OpenFilterInput()
    {
        TapRow(ROW_FILTER);
        PumpLikeLoopUntil([] { return CurrentInput() != nullptr; }, 2000);
        return CurrentInput();
    }
    // Replaces the field's text by `text` as typed keys.
    static void TypeIntoField(CKInputDialog* input, const wchar_t* text)
    {
        SendMessageW(input->GetInputContainer()->GetEdit()->GetHwnd(), EM_SETSEL, 0, -1);
        TypeText(text);
    }
    static void TapButton(CKInputDialog* input, int button)
    {
        RECT rect = {0, 0, 0, 0};
        GetWindowRect(input->GetButton(button)->GetHwnd(), &rect);
        MapWindowPoints(nullptr, input->GetHwnd(), (POINT*)&rect, 2);
        KViewPointer(input).Tap((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    // The page is current again and no dialog is left.
    bool BackOnThePage()
    {
        return PumpLikeLoopUntil([&] { return GetCurrentView() == settings; }, 2000);
    }
    bool SettingsFileExists() const
    {
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::wstring path;
    CTestPage* player = nullptr;
    CSettingView* settings = nullptr;
    CTestPage* help = nullptr;
    CKListBox* list = nullptr;
};

} // namespace

TEST_F(SettingViewTest, PageListsItsEntriesWithTextsIconsBoxesAndHeights)
{
    ASSERT_TRUE(settings->GetTitle());
    EXPECT_STREQ(settings->GetTitle()->GetText(), L"选项设置");
    EXPECT_EQ(settings->GetTitle()->GetLeftCmd(), IDS_SETTINGS_BACK);
    CKButton* back = settings->GetTitle()->GetLeftButton();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetIconList(),
              GetImgListByCell(24, 24, L"TitleImgList.png", KIMG_TYPE_PNG, KIMG_AUTO));
    EXPECT_EQ(back->GetIconCell(KSLOT_NORMAL), 0) << "the back arrow";

    EXPECT_EQ(list->GetId(), LMID_SETTING_LIST);
    EXPECT_EQ(list->GetStyle() & KLBS_MODE_MASK, KLBS_GROUP);
    EXPECT_EQ((CKDrawable*)list->GetBackground(), GetDrawable("LmDrawable.xml", "LmContainerBkgnd"));
    RECT content, listRect;
    ASSERT_TRUE(settings->GetContainer()->GetClientRect(&content));
    ASSERT_TRUE(list->GetClientRect(&listRect));
    EXPECT_TRUE(EqualRect(&content, &listRect)) << "the list fills the page's content";

    struct Row
    {
        unsigned int flags;
        const wchar_t* text1;
        const wchar_t* text2;
        int icon;
        INT_PTR data;
    };
    const unsigned int link = KBOX_SUBVIEW | KLI_BOX_RIGHT;
    const Row rows[ROW_COUNT] = {
        {KLI_HEADER, L"通用", nullptr, -1, 0},
        {link, L"音频文件扩展名", L"*.mp3;*.mp2;*.wav;*.wma;*.aif;*.caf;", 0, 5100},
        {KLI_HEADER, L"关于", nullptr, -1, 0},
        {link, L"评价", nullptr, 3, 5020},
        {link, L"联系我们", nullptr, 2, 5021},
        {link, L"使用帮助", nullptr, 4, 5022},
        {0, L"软件版本：V1.3", nullptr, 5, 5023},
        {KLI_HEADER, L"", nullptr, -1, 0},
    };
    CKImgList* icons = GetImgListByCell(32, 32, L"SettingImg.png", KIMG_TYPE_PNG, KIMG_AUTO);
    ASSERT_TRUE(icons);
    EXPECT_EQ(icons->GetCount(), 6);
    ASSERT_EQ(list->GetCount(), ROW_COUNT);
    EXPECT_EQ(settings->GetSettingContainer()->GetFilterIndex(), ROW_FILTER);
    for (int i = 0; i < ROW_COUNT; i++) {
        const KListItem* item = list->GetItem(i);
        EXPECT_EQ(item->flags & ~KLI_OWN_HEIGHT, rows[i].flags) << "row " << i;
        EXPECT_STREQ(item->text1 ? item->text1 : L"", rows[i].text1) << "row " << i;
        if (rows[i].text2) {
            EXPECT_STREQ(item->text2, rows[i].text2);
        } else {
            EXPECT_EQ(item->text2, nullptr) << "row " << i;
        }
        EXPECT_EQ(item->iconList, rows[i].icon < 0 ? nullptr : icons) << "row " << i;
        if (rows[i].icon >= 0) {
            EXPECT_EQ(item->iconCell, rows[i].icon) << "row " << i;
        }
        EXPECT_EQ(item->userData, rows[i].data) << "row " << i;
    }

    // Heights: headers 20 units; rows as high as the version entry's content plus 4 units; the
    // filter entry, with its two lines, its own content plus 4 units.
    const int padding = UnitToPixels(4, 1);
    SIZE version = {0, 0}, filter = {0, 0};
    ASSERT_TRUE(list->CalcItemSize(ROW_VERSION, version));
    ASSERT_TRUE(list->CalcItemSize(ROW_FILTER, filter));
    EXPECT_EQ(list->GetDefaultItemHeight(), version.cy + padding);
    EXPECT_GT(filter.cy, version.cy) << "two lines";
    const int expected[ROW_COUNT] = {
        UnitToPixels(20, 1), filter.cy + padding, UnitToPixels(20, 1), version.cy + padding,
        version.cy + padding, version.cy + padding, version.cy + padding, UnitToPixels(20, 1)};
    int top = 0;
    for (int i = 0; i < ROW_COUNT; i++) {
        EXPECT_EQ(list->GetItem(i)->height, expected[i]) << "row " << i;
        EXPECT_EQ(list->GetItem(i)->y, top) << "row " << i;
        top += expected[i];
    }
    EXPECT_EQ(list->GetContentHeight(), top);
}

TEST_F(SettingViewTest, ConfirmingTheFilterShowsItAsTheSecondLineAndWritesSettingsIni)
{
    CKInputDialog* input = OpenFilterInput();
    ASSERT_TRUE(input);
    EXPECT_EQ(input->GetTitleLabel(), nullptr);
    EXPECT_STREQ(input->GetInputContainer()->GetPrompt()->GetText(), L"音频文件扩展名");
    EXPECT_STREQ(input->GetButton(1)->GetText(), L"取消");
    EXPECT_STREQ(input->GetButton(2)->GetText(), L"确定");
    KStringW shown;
    input->GetInputContainer()->GetEdit()->GetText(shown);
    EXPECT_STREQ(shown, L"*.mp3;*.mp2;*.wav;*.wma;*.aif;*.caf;") << "the current filter";

    TypeIntoField(input, L"*.mp3;");
    TapButton(input, 2);
    ASSERT_TRUE(BackOnThePage());
    ASSERT_TRUE(PumpLikeLoopUntil([&] {
        const wchar_t* text2 = list->GetItem(ROW_FILTER)->text2;
        return text2 && std::wstring(text2) == L"*.mp3;";
    }, 2000));
    EXPECT_STREQ(list->GetItem(ROW_FILTER)->text1, L"音频文件扩展名");
    EXPECT_STREQ(LmSettings::GetBrowseExtFilter(), L"*.mp3;");
    EXPECT_EQ(ReadFileBytes(path), Utf16FileBytes(L"\n[Default]\nBrowseExtFilter = *.mp3;\n"))
        << "written at once";

    // An empty entry is stored as it is: an empty filter. Enter confirms it: here that is "确定",
    // the second button.
    input = OpenFilterInput();
    ASSERT_TRUE(input);
    TypeIntoField(input, L"");
    SendMessageW(input->GetInputContainer()->GetEdit()->GetHwnd(), WM_CLEAR, 0, 0);
    PressKey(VK_RETURN);
    ASSERT_TRUE(BackOnThePage());
    ASSERT_TRUE(PumpLikeLoopUntil([] { return LmSettings::GetBrowseExtFilter()[0] == 0; }, 2000));
    EXPECT_STREQ(list->GetItem(ROW_FILTER)->text2, L"");
    EXPECT_EQ(ReadFileBytes(path), Utf16FileBytes(L"\n[Default]\nBrowseExtFilter = \n"));
}

TEST_F(SettingViewTest, CancelAndTheBackKeyChangeNothing)
{
    const std::wstring before = list->GetItem(ROW_FILTER)->text2;
    CKInputDialog* input = OpenFilterInput();
    ASSERT_TRUE(input);
    TypeIntoField(input, L"*.wav;");
    TapButton(input, 1);
    ASSERT_TRUE(BackOnThePage());
    RunPostedLikeLoop();
    PumpMessagesFor(30);
    EXPECT_EQ(before, list->GetItem(ROW_FILTER)->text2);
    EXPECT_STREQ(LmSettings::GetBrowseExtFilter(), LmSettings::DEFAULT_BROWSE_EXT_FILTER);
    EXPECT_FALSE(SettingsFileExists());

    input = OpenFilterInput();
    ASSERT_TRUE(input);
    TypeIntoField(input, L"*.wma;");
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(BackOnThePage());
    RunPostedLikeLoop();
    PumpMessagesFor(30);
    EXPECT_EQ(before, list->GetItem(ROW_FILTER)->text2);
    EXPECT_STREQ(LmSettings::GetBrowseExtFilter(), LmSettings::DEFAULT_BROWSE_EXT_FILTER);
    EXPECT_FALSE(SettingsFileExists());
    EXPECT_EQ(GetCurrentView(), settings) << "the back key closed only the input box";
}

TEST_F(SettingViewTest, RateAndVersionOnlySelectTheirRow)
{
    for (int row : {ROW_RATE, ROW_VERSION}) {
        TapRow(row);
        RunPostedLikeLoop();
        PumpMessagesFor(50);
        EXPECT_EQ(list->GetSelectedIndex(), row);
        EXPECT_EQ(GetCurrentView(), settings) << "no dialog, no other page";
        EXPECT_EQ(GetViewStackDepth(), 2);
        EXPECT_TRUE(g_links.empty());
    }
    EXPECT_FALSE(SettingsFileExists());
}

TEST_F(SettingViewTest, TapExactlyOnARowsBoxIsTheBoxNotificationWhichThePageIgnores)
{
    // The filter entry's box: the list reports it as the box part, so a tap there is 1297, not
    // 1281, and the input box does not open.
    const POINT box = BoxPoint(ROW_FILTER);
    ASSERT_GE(box.x, 0);
    POINT point = box;
    MapWindowPoints(list->GetHwnd(), settings->GetHwnd(), &point, 1);
    KViewPointer(settings).Tap(point.x, point.y);
    RunPostedLikeLoop();
    PumpMessagesFor(50);
    EXPECT_EQ(GetCurrentView(), settings);
    EXPECT_EQ(list->GetSelectedIndex(), ROW_FILTER) << "the tap reached the row";
    // The notification itself is not acted on, whichever row it names.
    CSettingContainer* container = settings->GetSettingContainer();
    for (int row = 0; row < ROW_COUNT; row++)
        EXPECT_EQ(container->OnNotify(LMID_SETTING_LIST, KNOTIFY_LB_BOX_TAP, row), 0);
    RunPostedLikeLoop();
    EXPECT_EQ(GetCurrentView(), settings);
    EXPECT_TRUE(g_links.empty());

    // The same row's body opens the input box.
    ASSERT_TRUE(OpenFilterInput());
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(BackOnThePage());
}

TEST_F(SettingViewTest, HelpEntryShowsTheHelpPageOnce)
{
    TapRow(ROW_HELP);
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return GetCurrentView() == help; }, 2000));
    EXPECT_EQ(GetViewStackDepth(), 3);
    // Asked again while the help page is current: nothing more is stacked.
    settings->GetSettingContainer()->OnNotify(LMID_SETTING_LIST, KNOTIFY_LB_TAP, ROW_HELP);
    EXPECT_EQ(GetCurrentView(), help);
    EXPECT_EQ(GetViewStackDepth(), 3);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(GetCurrentView(), settings) << "back from help returns to the settings";
}

TEST_F(SettingViewTest, ContactEntryHandsOurMailLinkToTheOpener)
{
    TapRow(ROW_CONTACT);
    RunPostedLikeLoop();
    ASSERT_EQ(g_links.size(), 1u);
    EXPECT_EQ(g_links[0], L"mailto://lumo@example.org");
    EXPECT_EQ(GetCurrentView(), settings);

    // The link's optional parts: the first takes '?', the second '&'.
    g_links.clear();
    EXPECT_EQ(OpenMailLink(L"a@b.org", L"Hello", L"Some text"), 42);
    EXPECT_EQ(OpenMailLink(L"a@b.org", nullptr, L"Body"), 42);
    EXPECT_EQ(OpenMailLink(L"a@b.org", L"Subject", nullptr), 42);
    EXPECT_EQ(OpenMailLink(nullptr, nullptr, nullptr), 42);
    EXPECT_EQ(g_links, (std::vector<std::wstring>{L"mailto://a@b.org?subject=Hello&body=Some text",
                                                   L"mailto://a@b.org?body=Body",
                                                   L"mailto://a@b.org?subject=Subject",
                                                   L"mailto://"}));
    // Putting back the shell's opener returns the recorder.
    EXPECT_EQ(SetOpenLinkProc(nullptr), RecordLink);
    EXPECT_NE(SetOpenLinkProc(RecordLink), RecordLink);
}

TEST_F(SettingViewTest, WithoutAMailProgramContactShowsTheAddressInAnAlert)
{
    SetOpenLinkProc(RefuseLink);
    TapRow(ROW_CONTACT);
    ASSERT_TRUE(PumpLikeLoopUntil([] {
        CKView* view = GetCurrentView();
        return view && view->IsKindOf(K_RUNTIME_CLASS(CKAlertDialog));
    }, 2000));
    EXPECT_EQ(g_links, std::vector<std::wstring>{L"mailto://lumo@example.org"});
    CKAlertDialog* alert = static_cast<CKAlertDialog*>(GetCurrentView());
    EXPECT_STREQ(alert->GetAlertContainer()->GetLabel()->GetText(),
                 L"没有可以写邮件的程序。请写信到这个地址：\nlumo@example.org");
    EXPECT_STREQ(alert->GetTitleLabel()->GetText(), L"联系我们");
    ASSERT_TRUE(alert->GetButton(1));
    EXPECT_STREQ(alert->GetButton(1)->GetText(), L"确定");
    EXPECT_EQ(alert->GetButton(2), nullptr);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(BackOnThePage());
}

TEST_F(SettingViewTest, BackButtonAndBackKeyReturnToThePageBeneath)
{
    CKButton* back = settings->GetTitle()->GetLeftButton();
    ASSERT_TRUE(back);
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(back->GetHwnd(), &rect);
    MapWindowPoints(nullptr, settings->GetHwnd(), (POINT*)&rect, 2);
    KViewPointer(settings).Tap((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return GetCurrentView() == player; }, 2000));
    EXPECT_EQ(GetViewStackDepth(), 1);

    ASSERT_EQ(ShowPage(IDS_PAGE_SETTINGS), 1);
    EXPECT_EQ(settings->GetSettingContainer()->GetList()->GetCount(), ROW_COUNT)
        << "shown again with its entries";
    PressKey(VK_ESCAPE);
    EXPECT_EQ(GetCurrentView(), player);
    EXPECT_FALSE(SettingsFileExists());
}
