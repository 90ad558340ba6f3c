// The playing list's rows: the texts each row paints (time, title, artist and album or their
// placeholders, cut with an ellipsis at the row's end) through the real paint path, the playing
// row's look, the references rows hold on their records, and the duplicate test's path index.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KTestSupport.h"
#include "PlayerTestSupport.h"
#include "app/CMediaListBox.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKDrawable.h"
#include "graphics/CKFont.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableRegistry.h"

namespace {

constexpr unsigned int LIST_FLAGS =
    KWF_REPAINT_ON_CHANGE | KWF_TABSTOP | KWF_VSCROLL | KWF_DBLCLK | KWF_OPAQUE;

// A text drawable that remembers every text it draws, with the state it draws it in.
class CRecordingText : public CKTextDrawable
{
public:
    void Draw(CKCanvas* canvas, const RECT& rect, RECT* outRect) override
    {
        if (GetText()) {
            texts.push_back(std::wstring(GetText(), GetTextLength()));
            states.push_back(GetState());
        }
        CKTextDrawable::Draw(canvas, rect, outRect);
    }

    std::vector<std::wstring> texts;
    std::vector<unsigned int> states;
};

// A media list of 320 x 300 under the frame window with recording text drawables.
class CMediaListBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureTestFrame();
        list = new CMediaListBox();
        list->EnableRefCount();
        list->AddRef();
        time = Recorder();
        title = Recorder();
        line2 = Recorder();
        list->SetTimeDrawable(time);
        list->SetText1Drawable(title);
        list->SetLine2Drawable(line2);
        ASSERT_TRUE(list->Create(KLBS_SWIPE, 5021, nullptr, LIST_FLAGS));
        list->Move(RECT{0, 0, 320, 300});
    }
    void TearDown() override
    {
        list->Destroy();
        list->Release();
        for (CRecordingText* recorder : {time, title, line2})
            recorder->Release();
    }

    static CRecordingText* Recorder()
    {
        CRecordingText* recorder = new CRecordingText();
        recorder->EnableRefCount();
        recorder->AddRef();
        // The look of the real drawable, so that rows measure as they do on the page.
        recorder->CopyFrom(GetDrawable("LmDrawable.xml", "LmPlayTitleText"));
        return recorder;
    }

    void Paint()
    {
        for (CRecordingText* recorder : {time, title, line2}) {
            recorder->texts.clear();
            recorder->states.clear();
        }
        list->Invalidate();
        UpdateWindow(list->GetHwnd());
    }

    void Add(CLmMediaInfo* info) { ASSERT_GE(list->AddMediaRow(info, nullptr), 0); }

    CMediaListBox* list = nullptr;
    CRecordingText* time = nullptr;
    CRecordingText* title = nullptr;
    CRecordingText* line2 = nullptr;
};

} // namespace

TEST(CMediaListBoxTime, FormatsMinutesAndSecondsOrThePlaceholders)
{
    wchar_t text[16];
    CMediaListBox::FormatRowTime(61000, text, 16);
    EXPECT_STREQ(text, L"1:01");
    CMediaListBox::FormatRowTime(900, text, 16);
    EXPECT_STREQ(text, L"0:00") << "a measured length under a second";
    CMediaListBox::FormatRowTime(1, text, 16);
    EXPECT_STREQ(text, L"0:00");
    CMediaListBox::FormatRowTime(0, text, 16);
    EXPECT_STREQ(text, L"-:--");
    CMediaListBox::FormatRowTime(-1, text, 16);
    EXPECT_STREQ(text, L"?:??");
    CMediaListBox::FormatRowTime(-5, text, 16);
    EXPECT_STREQ(text, L"?:??");
    CMediaListBox::FormatRowTime(6000000, text, 16);
    EXPECT_STREQ(text, L"100:00") << "minutes are not limited to two digits";
    CMediaListBox::FormatRowTime(2147483647, text, 16);
    EXPECT_STREQ(text, L"35791:23");
    CMediaListBox::FormatSeconds(59, text, 3);
    EXPECT_STREQ(text, L"0:") << "cut to the buffer, never past it";
}

TEST_F(CMediaListBoxTest, RowsPaintTimeTitleAndSecondLineByTheirDuration)
{
    Add(NewRecord(L"C:\\a.mp3", 0, L"Fresh", L"", L""));
    Add(NewRecord(L"C:\\b.mp3", -1, L"Broken", L"Album B", L"Artist B"));
    Add(NewRecord(L"C:\\c.mp3", 61000, L"Tagless", L"", L""));
    Add(NewRecord(L"C:\\d.mp3", 185000, L"Song", L"Album D", L"Artist D"));
    Paint();

    EXPECT_EQ(time->texts, (std::vector<std::wstring>{L"-:--", L"?:??", L"1:01", L"3:05"}));
    EXPECT_EQ(title->texts,
              (std::vector<std::wstring>{L"Fresh", L"Broken", L"Tagless", L"Song"}));
    // Unmeasured: "......"; unknown: nothing; measured: artist then album, or the placeholders.
    EXPECT_EQ(line2->texts, (std::vector<std::wstring>{L"......", L"未知表演者", L"未知专辑",
                                                       L"Artist D", L"Album D"}));
    for (unsigned int state : time->states)
        EXPECT_EQ(state & (KDT_LEFT | KDT_RIGHT), KDT_RIGHT);
    for (unsigned int state : title->states)
        EXPECT_EQ(state & (KDT_LEFT | KDT_END_ELLIPSIS), KDT_LEFT | KDT_END_ELLIPSIS);
    for (unsigned int state : line2->states)
        EXPECT_EQ(state & (KDT_LEFT | KDT_RIGHT), KDT_LEFT);
    EXPECT_STREQ(list->GetDeleteText(), L"删除");
}

TEST_F(CMediaListBoxTest, ASecondLineTooWideForTheRowEndsInAnEllipsisInsideIt)
{
    const std::wstring longText = L"一个名字非常非常长的表演者或专辑名称用来看看省略号";
    Add(NewRecord(L"C:\\a.mp3", 185000, L"Long artist", L"Album", longText.c_str()));
    Add(NewRecord(L"C:\\b.mp3", 185000, L"Long album", longText.c_str(), L"Artist"));
    Add(NewRecord(L"C:\\c.mp3", 185000, L"Short", L"Album", L"Artist"));
    Paint();
    // An artist too long for the row leaves no room for the album.
    EXPECT_EQ(line2->texts,
              (std::vector<std::wstring>{longText, L"Artist", longText, L"Artist", L"Album"}));
    SIZE dots;
    ASSERT_TRUE(CKCanvas::MeasureText(line2->GetFont() ? line2->GetFont() : GetDefaultFont(),
                                      L"...", 3, &dots));
    const auto dark = [](unsigned int rgb) {
        return (rgb >> 16 & 0xFF) < 100 && (rgb >> 8 & 0xFF) < 100 && (rgb & 0xFF) < 100;
    };
    for (int i = 0; i < 3; i++) {
        RECT row;
        ASSERT_TRUE(list->GetItemRect(i, &row));
        const RECT lower = {row.left, (row.top + row.bottom) / 2, row.right, row.bottom};
        int last = 0;
        EXPECT_EQ(EndsInEllipsis(lower, dots.cx, dark, &last), i < 2)
            << "row " << i << ", ink ends at " << last;
        EXPECT_LT(last, row.right - 1) << "row " << i << " is cut at the list's edge";
    }
}

TEST_F(CMediaListBoxTest, ThePlayingRowIsMarkedAloneAndPaintedWithTheAccentLook)
{
    for (int i = 0; i < 12; i++)
        Add(NewRecord((L"C:\\" + std::to_wstring(i) + L".mp3").c_str(), 1000, L"T", L"A", L"R"));
    list->SelectPlayingRow(2);
    list->SelectPlayingRow(10);
    for (int i = 0; i < list->GetCount(); i++)
        EXPECT_EQ((list->GetItem(i)->flags & LMROW_PLAYING) != 0, i == 10) << i;
    int y = 0;
    list->GetScrollPos(nullptr, &y);
    RECT rect;
    ASSERT_TRUE(list->GetItemRect(10, &rect));
    EXPECT_GT(y, 0) << "the playing row was scrolled into view";
    EXPECT_LE(rect.bottom, 300);

    Paint();
    ASSERT_FALSE(title->states.empty());
    int accented = 0;
    for (size_t i = 0; i < title->states.size(); i++)
        accented += (title->states[i] & KSTATE_DISABLED) ? 1 : 0;
    EXPECT_EQ(accented, 1) << "only the playing row is drawn with the accent (disabled) look";

    list->SelectPlayingRow(-1);
    for (int i = 0; i < list->GetCount(); i++)
        EXPECT_EQ(list->GetItem(i)->flags & LMROW_PLAYING, 0u);
}

TEST_F(CMediaListBoxTest, RowsHoldTheirRecordsAndKnowTheirPathsUnderTheFolding)
{
    CLmMediaInfo* info = NewRecord(L"C:\\Music\\Song.MP3", 0, L"Song", L"", L"");
    info->AddRef();
    Add(info);
    Add(NewRecord(L"C:\\Music\\Other.mp3", 0, L"Other", L"", L""));
    EXPECT_EQ(info->GetRefCount(), 2);
    EXPECT_EQ(list->GetRecord(0), info);
    EXPECT_EQ(list->GetItem(0)->flags & LMROW_FLAGS, LMROW_FLAGS);
    EXPECT_EQ(list->GetItem(0)->text1, (const wchar_t*)info->GetTitle()) << "borrowed texts";

    EXPECT_EQ(list->ContainsPath(L"c:\\music\\song.mp3"), 1) << "only A-Z fold";
    EXPECT_EQ(list->ContainsPath(L"C:\\Music\\Song.mp3 "), 0);
    EXPECT_EQ(list->ContainsPath(L"C:\\Müsic\\Song.mp3"), 0);

    // The title grows (a new buffer): the row follows its record again.
    info->SetTitle(L"A much longer title than before");
    list->RefreshRowTexts(0);
    EXPECT_EQ(list->GetItem(0)->text1, (const wchar_t*)info->GetTitle());

    ASSERT_TRUE(list->RemoveItem(0));
    EXPECT_EQ(info->GetRefCount(), 1) << "the row's reference went with it";
    EXPECT_EQ(list->ContainsPath(L"C:\\Music\\Song.MP3"), 0);
    EXPECT_EQ(list->ContainsPath(L"C:\\MUSIC\\OTHER.MP3"), 1);
    Add(NewRecord(L"C:\\New.mp3", 0, L"New", L"", L""));
    EXPECT_EQ(list->ContainsPath(L"c:\\new.mp3"), 1) << "rows added later join the index";
    list->RemoveAllItems();
    EXPECT_EQ(list->ContainsPath(L"C:\\Music\\Other.mp3"), 0);
    // After RemoveAllRows the index is made again from the rows when it is next asked.
    Add(NewRecord(L"C:\\A.mp3", 0, L"A", L"", L""));
    list->RemoveAllRows();
    EXPECT_EQ(list->ContainsPath(L"C:\\A.mp3"), 0);
    Add(NewRecord(L"C:\\B.mp3", 0, L"B", L"", L""));
    Add(NewRecord(L"C:\\B.mp3", 0, L"B", L"", L""));
    EXPECT_EQ(list->ContainsPath(L"c:\\b.MP3"), 1);
    ASSERT_TRUE(list->RemoveItem(0));
    EXPECT_EQ(list->ContainsPath(L"C:\\B.mp3"), 1) << "one row with the path is left";
    ASSERT_TRUE(list->RemoveItem(0));
    EXPECT_EQ(list->ContainsPath(L"C:\\B.mp3"), 0);
    EXPECT_EQ(list->AddMediaRow(nullptr, nullptr), -1);
    info->Release();
}
