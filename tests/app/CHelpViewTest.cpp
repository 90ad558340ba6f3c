// The help page: the help file chosen by locale (with a loose file for the language alone), the
// help files' shape and version line, leaving the page by the back key and by the title button,
// and the text painted into the back buffer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KFileFixtures.h"
#include "KTestSupport.h"
#include "KViewTestSupport.h"
#include "app/CHelpView.h"
#include "app/LmPageTable.h"
#include "app/LmStringIds.h"
#include "controls/CKButton.h"
#include "controls/CKTitle.h"
#include "foundation/CKFile.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KMemory.h"
#include "foundation/KResource.h"
#include "graphics/CKFont.h"
#include "graphics/KGraphics.h"
#include "graphics/KImageCache.h"
#include "ui/CKApplication.h"

namespace {

constexpr KColor HELP_COLOR = 0xFF333333;
constexpr wchar_t ADDRESS[] = L"https://lumo.example.org";

// The settings page stand-in below the help page, and the help page, both registered.
class CHelpViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureTestFrame();
        SetPageLookup(LookupPageEntry);
        below = AddTestPage(IDS_PAGE_SETTINGS, 0, nullptr);
        help = new CHelpView();
        help->EnableRefCount();
        help->Initialize(0);
        help->InitView(0, IDS_PAGE_HELP);
        AddPage(help);
        ASSERT_EQ(ShowView(below), 1);
        ASSERT_EQ(ShowView(help), 1);
        content = static_cast<CHelpContainer*>(help->GetContainer());
    }
    void TearDown() override
    {
        DestroyPages();
        RunPostedLikeLoop();
    }

    // All text runs of the help label, one after the other.
    std::wstring Text() const
    {
        std::wstring text;
        const CKListT<KRichItem>& runs = content->GetLabel()->GetRuns();
        for (KRichItem* run = runs.GetHead(); run; run = runs.GetNext(run))
            if ((run->flags & KRI_KIND_MASK) == KRI_TEXT)
                text.append(run->text.text, run->text.length);
        return text;
    }

    // The one notify run, or none when there is not exactly one.
    KRichItem* OnlyLink() const
    {
        KRichItem* link = nullptr;
        const CKListT<KRichItem>& runs = content->GetLabel()->GetRuns();
        for (KRichItem* run = runs.GetHead(); run; run = runs.GetNext(run))
            if (run->flags & KRI_NOTIFY) {
                if (link)
                    return nullptr;
                link = run;
            }
        return link;
    }

    bool Contains(const std::wstring& part) const { return Text().find(part) != std::wstring::npos; }

    CTestPage* below = nullptr;
    CHelpView* help = nullptr;
    CHelpContainer* content = nullptr;
};

} // namespace

TEST_F(CHelpViewTest, EachLocaleGetsItsFileAndOtherLocalesTheEnglishOne)
{
    EXPECT_FALSE(Text().empty()) << "the page's content loads the user's locale's text";

    ASSERT_EQ(content->LoadHelp(L"zh-CN"), 1);
    EXPECT_TRUE(Contains(L"简单的音乐播放器"));
    EXPECT_FALSE(Contains(L"簡單"));
    ASSERT_EQ(content->LoadHelp(L"zh-TW"), 1);
    EXPECT_TRUE(Contains(L"簡單的音樂播放器"));
    // No "HelpText.zh-HK.xml" and no "HelpText.zh.xml": the English text.
    for (const wchar_t* locale : {L"zh-HK", L"en-US", L""}) {
        ASSERT_EQ(content->LoadHelp(locale), 1);
        EXPECT_TRUE(Contains(L"Version: ")) << locale;
        EXPECT_FALSE(Contains(L"版本")) << locale;
    }

    // A loose file for the language alone serves every "zh-..." locale without a file of its own.
    KLooseFile chinese(L"HelpText.zh.xml", Utf16FileBytes(L"<Lumo>loose zh</Lumo>"));
    for (const wchar_t* locale : {L"zh-HK", L"zh-SG", L"zh-MO"}) {
        ASSERT_EQ(content->LoadHelp(locale), 1);
        EXPECT_EQ(Text(), L"loose zh") << locale;
    }
    ASSERT_EQ(content->LoadHelp(L"zh-CN"), 1);
    EXPECT_TRUE(Contains(L"简单"));
    ASSERT_EQ(content->LoadHelp(L"zh-TW"), 1);
    EXPECT_TRUE(Contains(L"簡單"));
    ASSERT_EQ(content->LoadHelp(L"en-US"), 1);
    EXPECT_TRUE(Contains(L"Version: "));
}

TEST_F(CHelpViewTest, EveryHelpTextCarriesTheVersionTheSettingsPageShows)
{
    KStringW stored;
    ASSERT_GT(LoadResString(IDS_VERSION, stored), 0);
    const std::wstring version(stored);
    ASSERT_EQ(version[0], L'V');
    const struct
    {
        const wchar_t* locale;
        const wchar_t* label;
    } texts[] = {{L"en-US", L"Version: "}, {L"zh-CN", L"版本："}, {L"zh-TW", L"版本："}};
    for (const auto& text : texts) {
        SCOPED_TRACE(text.locale);
        ASSERT_EQ(content->LoadHelp(text.locale), 1);
        const std::wstring shown = Text();
        const std::wstring line = text.label + version;
        const size_t at = shown.find(line);
        ASSERT_NE(at, std::wstring::npos) << "the version line";
        // The whole version: "V1.3" is not the start of "V1.30".
        const wchar_t next = at + line.size() < shown.size() ? shown[at + line.size()] : L'\n';
        EXPECT_TRUE(next == L'\r' || next == L'\n') << "the version ends its line";
        EXPECT_EQ(shown.find(L"{VERSION}"), std::wstring::npos);
    }
}

TEST_F(CHelpViewTest, EveryHelpTextListsThePlayerPagesKeys)
{
    const struct
    {
        const wchar_t* locale;
        std::vector<std::wstring> keys;
    } texts[] = {
        {L"en-US", {L"Space: play / pause", L"Left / Right: back / forward 5 seconds",
                    L"Ctrl+Left / Ctrl+Right: previous / next", L"Enter: play the selected row",
                    L"Delete: remove the selected row", L"Esc: back"}},
        {L"zh-CN", {L"空格键：播放 / 暂停", L"左、右方向键：后退 / 快进 5 秒",
                    L"Ctrl+左、右方向键：上一首 / 下一首", L"回车键：播放选中的歌曲",
                    L"Delete 键：从列表中删除选中的歌曲", L"Esc 键：返回"}},
        {L"zh-TW", {L"空白鍵：播放 / 暫停", L"左、右方向鍵：倒退 / 快轉 5 秒",
                    L"Ctrl+左、右方向鍵：上一首 / 下一首", L"Enter 鍵：播放選取的歌曲",
                    L"Delete 鍵：從清單中刪除選取的歌曲", L"Esc 鍵：返回"}},
    };
    for (const auto& text : texts) {
        ASSERT_EQ(content->LoadHelp(text.locale), 1);
        for (const std::wstring& key : text.keys)
            EXPECT_TRUE(Contains(key)) << text.locale << " lacks a key";
    }
}

TEST_F(CHelpViewTest, HelpFilesAreMarkedUtf16WithOneGreyFormatAndTheAddressAsALink)
{
    for (const wchar_t* locale : {L"zh-CN", L"zh-TW", L"en-US"}) {
        SCOPED_TRACE(locale);
        ASSERT_EQ(content->LoadHelp(locale), 1);
        ASSERT_GT(content->GetLabel()->GetRuns().GetCount(), 1);
        const CKListT<KRichItem>& runs = content->GetLabel()->GetRuns();
        for (KRichItem* run = runs.GetHead(); run; run = runs.GetNext(run)) {
            ASSERT_EQ(run->flags & KRI_KIND_MASK, KRI_TEXT);
            EXPECT_EQ(run->flags & KRI_ALIGN_MASK, 0u);
            EXPECT_EQ(run->text.color, HELP_COLOR);
        }
        KRichItem* link = OnlyLink();
        ASSERT_TRUE(link);
        EXPECT_EQ(std::wstring(link->text.text, link->text.length), ADDRESS);
        EXPECT_EQ(link->flags, KRI_TEXT | KRI_NOTIFY | KRI_UNDERLINE);
        EXPECT_EQ(link->text.font, GetFont(GetDevMetricF(FontSizeSmall), 0, 1, 0));
        EXPECT_EQ(runs.GetHead()->text.font, GetSmallFont());
    }
    for (const wchar_t* name : {L"HelpText.xml", L"HelpText.zh-CN.xml", L"HelpText.zh-TW.xml"}) {
        void* data = nullptr;
        int size = 0;
        ASSERT_EQ(CKFile::ResourceExists(name), 1) << "compiled in";
        ASSERT_EQ(CKFile::ReadAll(name, &data, &size), 1);
        const std::string bytes((const char*)data, size);
        KFree(data);
        EXPECT_EQ(bytes.substr(0, 14), Utf16FileBytes(L"<Lumo>")) << "the mark, then the root";
        EXPECT_EQ(size % 2, 0);
    }
}

TEST_F(CHelpViewTest, BackKeyAndTheTitleButtonBothLeaveThePage)
{
    ASSERT_EQ(GetCurrentView(), help);
    CKTitle* title = help->GetTitle();
    ASSERT_TRUE(title);
    EXPECT_STREQ(title->GetText(), L"使用帮助");
    EXPECT_EQ(title->GetLeftCmd(), IDS_HELP_BACK);
    CKButton* back = title->GetLeftButton();
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->GetIconList()) << "the back arrow of \"TitleImgList.png\"";
    EXPECT_EQ(back->GetIconList(), GetImgListByCell(24, 24, L"TitleImgList.png", 2, 0x800));

    // The label fills the content.
    RECT client;
    RECT labelRect;
    ASSERT_TRUE(content->GetClientRect(&client));
    ASSERT_TRUE(content->GetLabel()->GetRectInParent(&labelRect));
    EXPECT_TRUE(EqualRect(&client, &labelRect));
    EXPECT_EQ(content->GetLabel()->GetId(), LMID_HELP_TEXT);

    // Tapping the address reaches the content and changes nothing.
    KRichItem* link = OnlyLink();
    ASSERT_TRUE(link && link->fragments);
    RECT inView = {link->fragments->x + 1, link->fragments->y + 1, 0, 0};
    content->GetLabel()->ClientToRoot((POINT*)&inView);
    KViewPointer pointer(help);
    pointer.Press(inView.left, inView.top);
    EXPECT_EQ(pointer.GetTarget(), content->GetLabel()->GetHwnd());
    EXPECT_EQ(content->GetLabel()->GetPressedRun(), link);
    pointer.Release(inView.left, inView.top);
    EXPECT_EQ(content->GetLabel()->GetPressedRun(), nullptr);
    EXPECT_EQ(GetCurrentView(), help);
    EXPECT_EQ(content->OnCommand(IDS_PAGE_HELP), 0) << "other commands go to the base";
    EXPECT_EQ(GetCurrentView(), help);

    PressKey(VK_ESCAPE);
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return GetCurrentView() == below; }, 2000));
    EXPECT_EQ(GetViewStackDepth(), 1);

    // The title's back button does the same.
    ASSERT_EQ(ShowView(help), 1);
    RECT button;
    ASSERT_TRUE(back->GetRectInParent(&button));
    POINT middle = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    title->ClientToRoot(&middle);
    pointer.Tap(middle.x, middle.y);
    ASSERT_TRUE(PumpLikeLoopUntil([&] { return GetCurrentView() == below; }, 2000));
    EXPECT_EQ(GetViewStackDepth(), 1);

    // And the command itself.
    ASSERT_EQ(ShowView(help), 1);
    EXPECT_EQ(content->OnCommand(IDS_HELP_BACK), 1);
    EXPECT_EQ(GetCurrentView(), below);
}

TEST_F(CHelpViewTest, PagePaintsTheTextInTheLabel)
{
    ASSERT_EQ(content->LoadHelp(L"en-US"), 1);
    CKRichLabel* label = content->GetLabel();
    InvalidateRect(help->GetHwnd(), nullptr, FALSE);
    RedrawWindow(help->GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT area;
    ASSERT_TRUE(label->GetClientRect(&area));
    label->ClientToRoot(&area);
    // Grey text (#333333) on the light page: dark pixels within the text's lines only.
    const int textBottom = area.top + label->GetContentHeight();
    int inText = 0;
    int belowText = 0;
    for (int y = area.top; y < area.bottom; y++)
        for (int x = area.left; x < area.right; x++) {
            const COLORREF pixel = GetPixel(GetBackBufferDC(), x, y);
            if (GetRValue(pixel) < 0x80 && GetGValue(pixel) < 0x80 && GetBValue(pixel) < 0x80)
                (y < textBottom ? inText : belowText)++;
        }
    EXPECT_GT(inText, 100);
    EXPECT_EQ(belowText, 0);
    ASSERT_LT(textBottom + 10, area.bottom) << "the English text is short";
}
