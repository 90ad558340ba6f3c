// Rich-text labels: the mark-up's elements and the format stack, lines flowed with words, blanks,
// tabs, forced breaks, alignment, images and rules, the notify run's press and release through
// real mouse messages, scrolling, painting into the back buffer, and bad files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "KFileFixtures.h"
#include "KTestSupport.h"
#include "controls/CKRichLabel.h"
#include "controls/CKRichTextDelegator.h"
#include "foundation/CKXmlParserW.h"
#include "foundation/KDevMetrics.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKColorDrawable.h"
#include "graphics/CKFont.h"
#include "graphics/CKImgList.h"

namespace {

constexpr unsigned int LABEL_FLAGS = KRLF_LAYOUT | KWF_VSCROLL;
constexpr int LABEL_ID = 5000;
const RECT LABEL_RECT = {0, 0, 240, 200};
constexpr unsigned int WHITE = 0xFFFFFF;
constexpr unsigned int BLACK = 0x000000;
constexpr unsigned int RED = 0xFF0000;
constexpr KColor WHITE_COLOR = 0xFFFFFFFF;
constexpr KColor RED_COLOR = 0xFF0000FF;
constexpr wchar_t MARKUP_FILE[] = L"RichLabelTest.xml";

// A label with a white background under a recording host that covers the frame, so that label
// coordinates are back-buffer coordinates.
class CKRichLabelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host = scope.AddHost();
        label = scope.Add(new CKRichLabel(), host, 0, LABEL_FLAGS, LABEL_RECT, LABEL_ID);
        ASSERT_TRUE(label);
        CKColorDrawable* face = MakeFace(&WHITE_COLOR, 0);
        label->SetBackground(face);
        face->Release();
    }

    // Loads `markup` the way the help page does: a UTF-16 file with its mark, as a loose file.
    bool Load(const std::wstring& markup)
    {
        KLooseFile file(MARKUP_FILE, Utf16FileBytes(markup));
        return label->LoadText(MARKUP_FILE) == 1;
    }

    std::vector<KRichItem*> Runs() const
    {
        std::vector<KRichItem*> runs;
        for (KRichItem* run = label->GetRuns().GetHead(); run; run = label->GetRuns().GetNext(run))
            runs.push_back(run);
        return runs;
    }

    std::vector<KRichFragment*> Fragments() const
    {
        std::vector<KRichFragment*> fragments;
        const CKListT<KRichFragment>& list = label->GetFragments();
        for (KRichFragment* fragment = list.GetHead(); fragment; fragment = list.GetNext(fragment))
            fragments.push_back(fragment);
        return fragments;
    }

    // The first fragment showing exactly `text`, or none.
    KRichFragment* FragmentOf(const std::wstring& text) const
    {
        for (KRichFragment* fragment : Fragments())
            if (FragmentText(fragment) == text)
                return fragment;
        return nullptr;
    }

    static std::wstring RunText(const KRichItem* run)
    {
        return std::wstring(run->text.text, run->text.length);
    }

    static std::wstring FragmentText(const KRichFragment* fragment)
    {
        if ((fragment->run->flags & KRI_KIND_MASK) != KRI_TEXT)
            return L"";
        return std::wstring(fragment->run->text.text + fragment->first, fragment->count);
    }

    // The text of each line: the fragments' texts joined, a line being the fragments at one y
    // (all of one height here).
    std::vector<std::wstring> Lines() const
    {
        std::vector<std::wstring> lines;
        int y = -1;
        for (KRichFragment* fragment : Fragments()) {
            if (lines.empty() || fragment->y != y)
                lines.emplace_back();
            lines.back() += FragmentText(fragment);
            y = fragment->y;
        }
        return lines;
    }

    int Left() const { return label->GetMargin(); }
    int Right() const { return LABEL_RECT.right - LABEL_RECT.left - label->GetMargin(); }

    KControlScope scope;
    CNoticeHost* host = nullptr;
    CKRichLabel* label = nullptr;
};

int TextWidth(const CKFont* font, const std::wstring& text)
{
    SIZE size = {0, 0};
    CKCanvas::MeasureText(font, text.c_str(), (int)text.size(), &size);
    return size.cx;
}

int SmallHeight()
{
    return GetSmallFont()->GetPixelHeight();
}

// The default tab width: half the small font's height, four times.
int TabWidth()
{
    return SmallHeight() / 2 * 4;
}

// A 24-bit bottom-up BMP file of width x height whose column x has colour columns(x) (0xRRGGBB).
template <class Columns>
std::string BmpBytes(int width, int height, Columns columns)
{
    const int stride = (width * 3 + 3) / 4 * 4;
    const int pixelBytes = stride * height;
    std::string bytes(54 + pixelBytes, '\0');
    auto put32 = [&](int at, unsigned int value) {
        for (int i = 0; i < 4; i++)
            bytes[at + i] = (char)((value >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, (unsigned int)bytes.size());
    put32(10, 54);
    put32(14, 40);
    put32(18, (unsigned int)width);
    put32(22, (unsigned int)height);
    bytes[26] = 1;
    bytes[28] = 24;
    put32(34, (unsigned int)pixelBytes);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            const unsigned int rgb = columns(x);
            const int at = 54 + y * stride + x * 3;
            bytes[at] = (char)(rgb & 0xFF);
            bytes[at + 1] = (char)((rgb >> 8) & 0xFF);
            bytes[at + 2] = (char)((rgb >> 16) & 0xFF);
        }
    return bytes;
}

} // namespace

// ---- The mark-up --------------------------------------------------------------------------------

TEST_F(CKRichLabelTest, FormatsNestAndEachEndTagGoesBackToTheFormatBelow)
{
    ASSERT_TRUE(Load(L"<doc><B><u>x</u></B>y<Format color=\"#FF0000\" size=\"big\" "
                     L"align=\"center\">c<I>i</I></Format><NOTIFY ID=\"7\">n</NOTIFY>"
                     L"<Format size=\"12.5\" color=\"{0, 128, 255, 64}\">z</Format></doc>"));
    const std::vector<KRichItem*> runs = Runs();
    ASSERT_EQ(runs.size(), 6u) << "the root element adds nothing";
    const float small = GetDevMetricF(FontSizeSmall);
    const float big = GetDevMetricF(FontSizeBig);

    // "x" inside "u" inside "B": bold and underlined; "y" outside both: plain.
    EXPECT_EQ(RunText(runs[0]), L"x");
    EXPECT_EQ(runs[0]->flags, KRI_TEXT | KRI_BOLD | KRI_UNDERLINE);
    EXPECT_EQ(runs[0]->text.font, GetFont(small, 1, 1, 0));
    EXPECT_EQ(runs[0]->text.color, KCOLOR_BLACK);
    EXPECT_EQ(RunText(runs[1]), L"y");
    EXPECT_EQ(runs[1]->flags, KRI_TEXT);
    EXPECT_EQ(runs[1]->text.font, GetSmallFont());

    // "Format": colour, level and alignment; "I" inside keeps them and adds italic.
    EXPECT_EQ(runs[2]->flags, KRI_TEXT | KRI_ALIGN_CENTER);
    EXPECT_EQ(runs[2]->text.color, RED_COLOR);
    EXPECT_EQ(runs[2]->text.font, GetFont(big, 0, 0, 0));
    EXPECT_EQ(runs[3]->flags, KRI_TEXT | KRI_ALIGN_CENTER | KRI_ITALIC);
    EXPECT_EQ(runs[3]->text.font, GetFont(big, 0, 0, 1));
    EXPECT_EQ(runs[3]->text.color, RED_COLOR);

    // "Notify" (any case) with its id, back in the bottom format.
    EXPECT_EQ(runs[4]->flags, KRI_TEXT | KRI_NOTIFY);
    EXPECT_EQ(runs[4]->notifyId, 7);
    EXPECT_EQ(runs[4]->text.color, KCOLOR_BLACK);
    EXPECT_EQ(runs[1]->notifyId, 0);

    // A numeric level and a colour with alpha.
    EXPECT_EQ(runs[5]->text.font, GetFont(12.5f, 0, 0, 0));
    EXPECT_EQ(runs[5]->text.color, KMakeColor(0, 128, 255, 64));
}

TEST_F(CKRichLabelTest, EndTagsAtTheBottomEntryAndUnknownElementsLeaveTheStackAlone)
{
    CKRichTextDelegator reader(label);
    const wchar_t* none[] = {nullptr, nullptr};
    EXPECT_EQ(reader.GetOptions(), KXML_KEEP_LEADING_SPACE | KXML_KEEP_TRAILING_SPACE);
    ASSERT_EQ(reader.GetDepth(), 1);
    EXPECT_EQ(reader.GetTop()->flags, 0u);
    EXPECT_EQ(reader.GetTop()->color, KCOLOR_BLACK);
    EXPECT_EQ(reader.GetTop()->size, GetDevMetricF(FontSizeSmall));
    EXPECT_EQ(reader.GetTop()->font, GetSmallFont());
    for (const wchar_t* name : {L"B", L"Format", L"Notify", L"u", L"i"}) {
        EXPECT_EQ(reader.OnEndElement(name), 1);
        EXPECT_EQ(reader.GetDepth(), 1) << "the bottom entry stays after </" << name << ">";
    }
    EXPECT_EQ(reader.OnStartElement(L"B", none), 1);
    EXPECT_EQ(reader.OnStartElement(L"Lumo", none), 1);
    EXPECT_EQ(reader.GetDepth(), 2) << "an unknown element pushes nothing";
    EXPECT_EQ(reader.OnEndElement(L"Lumo"), 1);
    EXPECT_EQ(reader.GetDepth(), 2) << "nor does its end tag pop";
    EXPECT_EQ(reader.GetTop()->flags, KRI_BOLD);
    EXPECT_EQ(reader.OnEndElement(L"Format"), 1) << "any of the five pops the top";
    EXPECT_EQ(reader.GetDepth(), 1);
    EXPECT_TRUE(label->GetRuns().GetCount() == 0);

    // The same in a file: stray end tags before and after, text still in the right formats.
    ASSERT_TRUE(Load(L"<r></B></U>a<B>b</B></I></Notify>c<Unknown>d</Unknown></r>"));
    const std::vector<KRichItem*> runs = Runs();
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0]->flags, KRI_TEXT);
    EXPECT_EQ(runs[1]->flags, KRI_TEXT | KRI_BOLD);
    EXPECT_EQ(runs[2]->flags, KRI_TEXT);
    EXPECT_EQ(RunText(runs[3]), L"d");
    EXPECT_EQ(runs[3]->flags, KRI_TEXT);
}

TEST_F(CKRichLabelTest, ColoursAreReadInEveryFormOfTheDrawableFiles)
{
    KColor color = 0x12345678;
    EXPECT_EQ(CKRichTextDelegator::ParseRichColor(nullptr, &color), 0);
    EXPECT_EQ(color, 0x12345678u);
    EXPECT_EQ(CKRichTextDelegator::ParseRichColor(L"#FF0000", &color), 1);
    EXPECT_EQ(color, RED_COLOR);
    EXPECT_EQ(CKRichTextDelegator::ParseRichColor(L" {#80112233}", &color), 1);
    EXPECT_EQ(color, KMakeColor(0x11, 0x22, 0x33, 0x80));
    EXPECT_EQ(CKRichTextDelegator::ParseRichColor(L"0, 128, 255", &color), 1);
    EXPECT_EQ(color, KMakeColor(0, 128, 255, 255));
    EXPECT_EQ(CKRichTextDelegator::ParseRichColor(L"{300, 1, 2, 3}", &color), 1);
    EXPECT_EQ(color, KMakeColor(255, 1, 2, 3)) << "components are limited to 255";
    EXPECT_EQ(CKRichTextDelegator::ParseRichColor(L"#123", &color), 1);
    EXPECT_EQ(color, KCOLOR_BLACK) << "hexadecimal of another length";
    color = 7;
    EXPECT_EQ(CKRichTextDelegator::ParseRichColor(std::wstring(200, L'1').c_str(), &color), 0);
    EXPECT_EQ(color, 7u) << "a value too long to be a colour is not one";
}

TEST_F(CKRichLabelTest, ImagesLoadWholeByGridOrByCellAndMissingOnesAddNothing)
{
    // 16 x 8: a red cell and a blue cell; 8 x 24: three rows.
    KLooseFile strip(L"RichLabelStrip.bmp",
                     BmpBytes(16, 8, [](int x) { return x < 8 ? RED : 0x0000FFu; }));
    KLooseFile grid(L"RichLabelGrid.bmp",
                    BmpBytes(16, 8, [](int x) { return x < 8 ? RED : 0x00FF00u; }));
    KLooseFile column(L"RichLabelColumn.bmp", BmpBytes(8, 24, [](int) { return RED; }));
    KLooseFile whole(L"RichLabelWhole.bmp", BmpBytes(16, 8, [](int) { return 0x00FF00u; }));
    ASSERT_TRUE(Load(L"<r><Format align=\"right\"><Image name=\"RichLabelStrip.bmp\" "
                     L"size=\"8,8\" index=\"1\"/></Format>"
                     L"<Image name=\"RichLabelGrid.bmp\" count=\"2,1\" index=\"0\"/>"
                     L"<Image name=\"RichLabelColumn.bmp\" count=\"3\" index=\"2\"/>"
                     L"<Image name=\"RichLabelWhole.bmp\"/>"
                     L"<Image name=\"RichLabelMissing.bmp\"/><Image/>"
                     L"<Image name=\"RichLabelWhole.bmp\" index=\"5\"/></r>"));
    const std::vector<KRichItem*> runs = Runs();
    ASSERT_EQ(runs.size(), 5u) << "a missing image (or none named) adds no run";
    struct
    {
        unsigned int flags;
        int index;
        int width;
        int height;
        int cells;
    } expected[] = {
        {KRI_IMAGE | KRI_ALIGN_RIGHT, 1, 8, 8, 2},   // by cell size: two cells
        {KRI_IMAGE, 0, 8, 8, 2},                     // by grid: two columns
        {KRI_IMAGE, 2, 8, 8, 3},                     // "3": one column of three rows
        {KRI_IMAGE, -1, 16, 8, 0},                   // whole
        {KRI_IMAGE, -1, 16, 8, 0},                   // not a cell of it: whole
    };
    for (int i = 0; i < 5; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(runs[i]->flags, expected[i].flags);
        EXPECT_EQ(runs[i]->image.index, expected[i].index);
        EXPECT_EQ(runs[i]->image.width, expected[i].width);
        EXPECT_EQ(runs[i]->image.height, expected[i].height);
        if (expected[i].cells) {
            ASSERT_TRUE(runs[i]->image.image->IsKindOf(K_RUNTIME_CLASS(CKImgList)));
            EXPECT_EQ(static_cast<CKImgList*>(runs[i]->image.image)->GetCount(),
                      expected[i].cells);
        }
    }

    // One line: the right-aligned cell moves by the room left, the others follow it in order.
    const std::vector<KRichFragment*> fragments = Fragments();
    ASSERT_EQ(fragments.size(), 5u);
    const int used = 8 + 8 + 8 + 16 + 16;
    EXPECT_EQ(fragments[0]->x, Left() + (Right() - Left() - used));
    EXPECT_EQ(fragments[1]->x, Left() + 8);
    EXPECT_EQ(fragments[3]->x, Left() + 24);
    for (KRichFragment* fragment : fragments)
        EXPECT_EQ(fragment->y, label->GetMargin());

    // Painted: the blue cell of the strip where the right-aligned fragment lies, the green
    // whole image after the third.
    RepaintNow(label);
    EXPECT_EQ(BackBufferPixel(fragments[0]->x + 4, fragments[0]->y + 4), 0x0000FFu);
    EXPECT_EQ(BackBufferPixel(fragments[1]->x + 4, fragments[1]->y + 4), RED);
    EXPECT_EQ(BackBufferPixel(fragments[3]->x + 12, fragments[3]->y + 4), 0x00FF00u);
}

TEST_F(CKRichLabelTest, LineElementDrawsAFullWidthRuleOfItsThicknessInItsColour)
{
    ASSERT_TRUE(Load(L"<r>a<Line size=\"4\" color=\"255, 0, 0\"/>b<Line/></r>"));
    const std::vector<KRichItem*> runs = Runs();
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[1]->flags, KRI_RULE);
    EXPECT_EQ(runs[1]->rule.thickness, 4.0f);
    EXPECT_EQ(runs[1]->rule.color, RED_COLOR);
    EXPECT_EQ(runs[3]->rule.thickness, 1.0f);
    EXPECT_EQ(runs[3]->rule.color, KCOLOR_BLACK);

    const int thick = (int)ConvertUnits(4.0f, KUNIT_BASE, KUNIT_PIXEL);
    if (GetDevMetric(LogPixelsX) == 160) {
        EXPECT_EQ(thick, 6);
    }
    const int h = SmallHeight();
    const int gap = label->GetLineGap();
    KRichFragment* rule = runs[1]->fragments;
    ASSERT_TRUE(rule);
    // "a" ends its line; the rule is a line of its own; "b" starts the next.
    EXPECT_EQ(rule->x, Left());
    EXPECT_EQ(rule->width, Right() - Left());
    EXPECT_EQ(rule->height, thick);
    EXPECT_EQ(rule->y, label->GetMargin() + h + gap);
    EXPECT_EQ(runs[2]->fragments->y, rule->y + thick + gap);
    EXPECT_EQ(runs[3]->fragments->height, (int)ConvertUnits(1.0f, KUNIT_BASE, KUNIT_PIXEL));
    EXPECT_EQ(label->GetContentHeight(),
              runs[3]->fragments->y + runs[3]->fragments->height + gap + label->GetMargin());

    RepaintNow(label);
    const int middle = rule->y + thick / 2;
    EXPECT_EQ(BackBufferPixel(Left(), middle), RED);
    EXPECT_EQ(BackBufferPixel(Right() - 1, middle), RED);
    EXPECT_EQ(BackBufferPixel(Left() - 1, middle), WHITE);
    EXPECT_EQ(BackBufferPixel(Right(), middle), WHITE);
    EXPECT_EQ(BackBufferPixel(Left() + 20, rule->y - 1), WHITE);
    EXPECT_EQ(BackBufferPixel(Left() + 20, rule->y + thick), WHITE);
}

// ---- Layout -------------------------------------------------------------------------------------

TEST_F(CKRichLabelTest, TabsMoveToTheNextStopAndTabElementsToTheirCount)
{
    ASSERT_TRUE(Load(L"<r>a\tb\n\tc\nabcdefghijklmnop\tq\n<t2/>x<t/>y<t0/>z</r>"));
    const int tab = TabWidth();
    ASSERT_GT(tab, 0);
    KRichFragment* a = FragmentOf(L"a");
    KRichFragment* b = FragmentOf(L"b");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->x, Left());
    EXPECT_EQ(b->x, Left() + tab) << "b at the first stop after a";
    EXPECT_EQ(b->y, a->y);
    KRichFragment* c = FragmentOf(L"c");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->x, Left() + tab) << "a TAB at the start of a line";
    KRichFragment* long_ = FragmentOf(L"abcdefghijklmnop");
    KRichFragment* q = FragmentOf(L"q");
    ASSERT_TRUE(long_ && q);
    const int stops = long_->width / tab + 1;
    EXPECT_EQ(q->x, Left() + stops * tab) << "the next stop after a text longer than one tab";
    KRichFragment* x = FragmentOf(L"x");
    KRichFragment* y = FragmentOf(L"y");
    KRichFragment* z = FragmentOf(L"z");
    ASSERT_TRUE(x && y && z);
    EXPECT_EQ(x->x, Left() + 2 * tab);
    EXPECT_EQ(y->x, Left() + tab) << "\"t\" without digits is one stop";
    EXPECT_EQ(z->x, Left() + tab) << "at least one stop";
    EXPECT_EQ(x->y, y->y);
    const std::vector<KRichItem*> runs = Runs();
    EXPECT_EQ(runs[1]->flags, KRI_TAB);
    EXPECT_EQ(runs[1]->tab.count, 2);
}

TEST_F(CKRichLabelTest, LineEndsOfEveryKindBreakTheLineAndLeadingBlanksMoveTheText)
{
    ASSERT_TRUE(Load(L"<r>a\r\nb\n\rc\rd\n\ne\n  f</r>"));
    const int pitch = SmallHeight() + label->GetLineGap();
    const int top = label->GetMargin();
    const struct
    {
        const wchar_t* text;
        int line;
    } expected[] = {{L"a", 0}, {L"b", 1}, {L"c", 2}, {L"d", 3}, {L"e", 5}, {L"f", 6}};
    for (const auto& entry : expected) {
        KRichFragment* fragment = FragmentOf(entry.text);
        ASSERT_TRUE(fragment) << entry.text;
        EXPECT_EQ(fragment->y, top + entry.line * pitch) << entry.text;
    }
    EXPECT_EQ(Fragments().size(), 6u) << "line ends and leading blanks are never drawn";
    EXPECT_EQ(FragmentOf(L"a")->x, Left());
    EXPECT_EQ(FragmentOf(L"f")->x, Left() + 2 * (SmallHeight() / 2));
    EXPECT_EQ(label->GetContentHeight(), top + 7 * pitch + label->GetMargin());
}

TEST_F(CKRichLabelTest, AlignmentCentresOrRightAlignsInTheLineAndShorterRunsCentreVertically)
{
    KLooseFile tall(L"RichLabelTall.bmp", BmpBytes(8, 40, [](int) { return RED; }));
    ASSERT_TRUE(Load(L"<r><Format align=\"center\">ab</Format>\n<Format align=\"right\">ab"
                     L"</Format>\nL<Format align=\"right\">R</Format>\n"
                     L"<Image name=\"RichLabelTall.bmp\"/>t</r>"));
    const std::vector<KRichFragment*> fragments = Fragments();
    ASSERT_EQ(fragments.size(), 6u);
    const int w = TextWidth(GetSmallFont(), L"ab");
    EXPECT_EQ(FragmentText(fragments[0]), L"ab");
    EXPECT_EQ(fragments[0]->x, Left() + (Right() - Left() - w) / 2);
    EXPECT_EQ(fragments[1]->x + fragments[1]->width, Right()) << "right-aligned text ends at right";
    // Only the right-aligned run of a mixed line moves.
    EXPECT_EQ(FragmentText(fragments[2]), L"L");
    EXPECT_EQ(fragments[2]->x, Left());
    EXPECT_EQ(fragments[3]->x + fragments[3]->width, Right());
    // The image makes the line 40 high; the text beside it moves down by half the difference.
    EXPECT_EQ(fragments[4]->height, 40);
    EXPECT_EQ(fragments[5]->y - fragments[4]->y, (40 - SmallHeight()) / 2);
    EXPECT_EQ(fragments[5]->x, Left() + 8);
}

TEST_F(CKRichLabelTest, ChineseBreaksBetweenAnyTwoCharactersAndEnglishBetweenWords)
{
    std::wstring chinese;
    for (int i = 0; i < 12; i++)
        chinese += L"这是一个小巧简单的音乐播放器";
    ASSERT_TRUE(Load(L"<r>" + chinese + L"</r>"));
    std::vector<KRichFragment*> fragments = Fragments();
    ASSERT_GT(fragments.size(), 5u);
    std::wstring joined;
    const CKFont* font = GetSmallFont();
    for (size_t i = 0; i < fragments.size(); i++) {
        const std::wstring text = FragmentText(fragments[i]);
        joined += text;
        EXPECT_EQ(fragments[i]->x, Left());
        EXPECT_LE(fragments[i]->x + fragments[i]->width, Right());
        if (i + 1 < fragments.size()) {
            // Full: the next character would not have fitted.
            const wchar_t next = chinese[joined.size()];
            EXPECT_GT(Left() + TextWidth(font, text + next), Right()) << "line " << i;
            EXPECT_GT(fragments[i + 1]->y, fragments[i]->y);
        }
    }
    EXPECT_EQ(joined, chinese) << "nothing lost or repeated";

    std::wstring english;
    for (int i = 0; i < 8; i++)
        english += L"The quick brown fox jumps over the lazy dog 42 times. ";
    ASSERT_TRUE(Load(L"<r>" + english + L"</r>"));
    fragments = Fragments();
    ASSERT_GT(fragments.size(), 5u);
    joined.clear();
    auto isLetter = [](wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); };
    for (size_t i = 0; i < fragments.size(); i++) {
        const std::wstring text = FragmentText(fragments[i]);
        joined += text;
        EXPECT_LE(fragments[i]->x + fragments[i]->width, Right());
        if (i + 1 < fragments.size()) {
            const size_t at = joined.size();
            EXPECT_FALSE(isLetter(english[at - 1]) && isLetter(english[at]))
                << "a word was split after \"" << std::string(text.begin(), text.end()) << "\"";
            // Full: the next word (or the character standing alone) would not have fitted.
            size_t end = at + 1;
            while (isLetter(english[at]) && end < english.size() && isLetter(english[end]))
                end++;
            EXPECT_GT(Left() + TextWidth(font, text + english.substr(at, end - at)), Right());
        }
    }
    EXPECT_EQ(joined, english);
}

TEST_F(CKRichLabelTest, LinesEndWhereTheBreakingRuleAllowsAlsoAcrossRuns)
{
    // Each line is made just wide enough for `fits`; the first line then holds `first`. The
    // tappable runs are runs of their own in the same font, so the rule must read across runs.
    const struct
    {
        const wchar_t* markup;
        const wchar_t* fits;
        const wchar_t* first;
    } cases[] = {
        {L"就剩最后一个列表了，别再删啦！", L"就剩最后一个列表了", L"就剩最后一个列表"},
        {L"软件版本：V1.0", L"软件版本：V1.", L"软件版本："},
        {L"大小24, 44像素", L"大小24, 4", L"大小"},
        {L"他说「你好」", L"他说「", L"他说"},
        {L"<Notify ID=\"1\">粗体</Notify>，接着", L"粗体", L"粗"},
        {L"版本 <Notify ID=\"1\">V1</Notify>.0", L"版本 V1.", L"版本 "},
        {L"好的<Notify ID=\"1\">……</Notify>", L"好的…", L"好"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&entry - cases));
        ASSERT_TRUE(Load(std::wstring(L"<r>") + entry.markup + L"</r>"));
        const int room = TextWidth(GetSmallFont(), entry.fits);
        label->Move(RECT{0, 0, 2 * label->GetMargin() + room, 200});
        const std::vector<std::wstring> lines = Lines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[0], entry.first);
        std::wstring joined;
        for (const std::wstring& line : lines)
            joined += line;
        std::wstring text;
        for (KRichItem* run : Runs())
            text += RunText(run);
        EXPECT_EQ(joined, text) << "nothing lost or repeated";
    }
}

TEST_F(CKRichLabelTest, AHelpTextKeepsItsLineBreaksSaveWhereTheRulesMendThem)
{
    // A help text as the help page shows it, at the page's width (320). The lines were the same
    // before the layout measured each character once, except those marked: there the old layout
    // began a line with "，" or "）", ended one with "“", or split "song.mp3".
    ASSERT_TRUE(Load(
        L"<Lumo><Format align=\"left\" size=\"small\" color=\"#333333\">"
        L"Lumo 是一款小巧、简单的音乐播放器：浏览本机的文件夹挑选音频文件，再用播放列表来管理"
        L"它们。\r\n\r\n版本：V1.1\r\n开发者：Lumo 开发组\r\n网址：<Notify ID=\"1\"><U>"
        L"https://lumo.example.org</U></Notify>\r\n\r\n<B>播放列表</B>：点按标题栏左边的按钮打开"
        L"抽屉，可以添加、重命名或删除列表；支持 mp3、wav、wma 等格式的文件（例如 song.mp3），"
        L"每个列表最多保存 100000 首歌曲。长按列表中的一行可以删除它，也可以在“选项设置”中修改文件"
        L"扩展名。</Format></Lumo>"));
    label->Move(RECT{0, 0, 320, 400});
    const std::vector<std::wstring> expected = {
        L"Lumo 是一款小巧、简单的音乐播放器：浏",
        L"览本机的文件夹挑选音频文件，再用播放列",
        L"表来管理它们。",
        L"版本：V1.1",
        L"开发者：Lumo 开发组",
        L"网址：https://lumo.example.org",
        L"播放列表：点按标题栏左边的按钮打开抽",     // was "…抽屉" / "，可以…"
        L"屉，可以添加、重命名或删除列表；支持 ",   // was "… mp3" / "、wav…"
        L"mp3、wav、wma 等格式的文件（例如 ",       // was "… song.mp" / "3），…"
        L"song.mp3），每个列表最多保存 100000 首",
        L"歌曲。长按列表中的一行可以删除它，也可",   // was "…也可以在“" / "选项设置”…"
        L"以在“选项设置”中修改文件扩展名。",
    };
    EXPECT_EQ(Lines(), expected);
}

TEST_F(CKRichLabelTest, AWordLongerThanTheLineBreaksInsideOnlyWhenItBeginsTheLine)
{
    const std::wstring word = L"Pneumonoultramicroscopicsilicovolcanoconiosis";
    ASSERT_GT(TextWidth(GetSmallFont(), word), Right() - Left());
    ASSERT_TRUE(Load(L"<r>" + word + L"</r>"));
    std::vector<KRichFragment*> fragments = Fragments();
    ASSERT_GE(fragments.size(), 2u);
    const std::wstring first = FragmentText(fragments[0]);
    EXPECT_EQ(first, word.substr(0, first.size()));
    EXPECT_GT(Left() + TextWidth(GetSmallFont(), first + word[first.size()]), Right())
        << "the first line keeps as much of the word as fits";
    EXPECT_EQ(FragmentText(fragments[0]) + FragmentText(fragments[1]), word);

    // After other text the word moves whole to the next line, and breaks there.
    ASSERT_TRUE(Load(L"<r>ab " + word + L"</r>"));
    fragments = Fragments();
    ASSERT_GE(fragments.size(), 3u);
    EXPECT_EQ(FragmentText(fragments[0]), L"ab ");
    EXPECT_EQ(FragmentText(fragments[1]), first);
    EXPECT_GT(fragments[1]->y, fragments[0]->y);

    // A line narrower than any character still takes one character per line.
    RECT narrow = {0, 0, 2 * label->GetMargin() + 2, 200};
    label->Move(narrow);
    fragments = Fragments();
    ASSERT_EQ(fragments.size(), 3u + word.size());
    for (KRichFragment* fragment : fragments)
        EXPECT_EQ(fragment->count, 1);
}

TEST_F(CKRichLabelTest, RelayoutAfterAResizeReusesTheFragmentNodes)
{
    std::wstring text;
    for (int i = 0; i < 30; i++)
        text += L"Lumo plays music. ";
    ASSERT_TRUE(Load(L"<r>" + text + L"</r>"));
    label->Move(RECT{0, 0, 100, 200});
    const size_t narrowCount = Fragments().size();
    const int nodes = label->GetFragments().GetNodesAllocated();
    EXPECT_GE(nodes, (int)narrowCount);
    label->Move(LABEL_RECT);
    EXPECT_LT(Fragments().size(), narrowCount);
    label->Move(RECT{0, 0, 100, 200});
    EXPECT_EQ(Fragments().size(), narrowCount);
    EXPECT_EQ(label->GetFragments().GetNodesAllocated(), nodes);

    // While layout is off a resize lays out nothing; turning it on does.
    label->SetLayout(false);
    label->Move(LABEL_RECT);
    EXPECT_EQ(Fragments().size(), narrowCount);
    label->SetLayout(true);
    EXPECT_LT(Fragments().size(), narrowCount);
    EXPECT_TRUE(label->GetFlags() & KRLF_LAYOUT);
}

// ---- Notify runs, scrolling and painting --------------------------------------------------------

TEST_F(CKRichLabelTest, NotifyRunReportsATapOnlyWhenPressedAndReleasedOnIt)
{
    ASSERT_TRUE(Load(L"<r>plain <Notify ID=\"7\">x</Notify> more</r>"));
    KRichFragment* x = FragmentOf(L"x");
    KRichFragment* plain = FragmentOf(L"plain ");
    ASSERT_TRUE(x && plain);
    KRichItem* link = x->run;
    EXPECT_EQ(label->HitTest(x->x + x->width / 2, x->y + 2), link);
    EXPECT_EQ(label->HitTest(plain->x + 2, plain->y + 2), nullptr) << "only notify runs are hit";
    const int cx = x->x + x->width / 2;
    const int cy = x->y + x->height / 2;

    // Pressed: marked, and painted as the run's colour with the text inverted.
    RepaintNow(label);
    EXPECT_EQ(BackBufferPixel(x->x, x->y), WHITE);
    PostMouse(label, WM_LBUTTONDOWN, cx, cy);
    DeliverPosted();
    EXPECT_EQ(label->GetPressedRun(), link);
    EXPECT_TRUE(link->flags & KRI_PRESSED);
    RepaintNow(label);
    EXPECT_EQ(BackBufferPixel(x->x, x->y), BLACK);
    EXPECT_TRUE(host->WithCode(KNOTIFY_RICH_LINK).empty()) << "nothing on the press";
    PostMouse(label, WM_LBUTTONUP, cx, cy);
    DeliverPosted();
    std::vector<KNotice> links = host->WithCode(KNOTIFY_RICH_LINK);
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].id, LABEL_ID);
    EXPECT_EQ(links[0].param, (long long)(INT_PTR)link);
    EXPECT_EQ(((KRichItem*)(INT_PTR)links[0].param)->notifyId, 7);
    EXPECT_EQ(label->GetPressedRun(), nullptr);
    EXPECT_FALSE(link->flags & KRI_PRESSED);
    RepaintNow(label);
    EXPECT_EQ(BackBufferPixel(x->x, x->y), WHITE);

    // Pressed on it, released elsewhere: the mark goes, nothing is sent.
    host->notices.clear();
    PostMouse(label, WM_LBUTTONDOWN, cx, cy);
    PostMouse(label, WM_LBUTTONUP, plain->x + 2, cy);
    DeliverPosted();
    EXPECT_TRUE(host->WithCode(KNOTIFY_RICH_LINK).empty());
    EXPECT_EQ(label->GetPressedRun(), nullptr);
    // Pressed elsewhere, released on it: nothing either.
    PostMouse(label, WM_LBUTTONDOWN, plain->x + 2, cy);
    PostMouse(label, WM_LBUTTONUP, cx, cy);
    DeliverPosted();
    EXPECT_TRUE(host->WithCode(KNOTIFY_RICH_LINK).empty());

    // A disabled label ignores the press.
    label->Enable(false);
    Tap(label, cx, cy);
    EXPECT_EQ(label->GetPressedRun(), nullptr);
    EXPECT_TRUE(host->WithCode(KNOTIFY_RICH_LINK).empty());
    label->Enable(true);
    Tap(label, cx, cy);
    EXPECT_EQ(host->WithCode(KNOTIFY_RICH_LINK).size(), 1u);
}

TEST_F(CKRichLabelTest, LongTextScrollsByDraggingAndHitsAndPaintsAtTheScrolledPlace)
{
    std::wstring markup = L"<r>";
    for (int i = 0; i < 30; i++)
        markup += L"line " + std::to_wstring(i) + L"\n";
    markup += L"<Notify ID=\"3\">end</Notify><Line size=\"4\" color=\"#FF0000\"/></r>";
    ASSERT_TRUE(Load(markup));
    const int height = LABEL_RECT.bottom - LABEL_RECT.top;
    ASSERT_GT(label->GetContentHeight(), height);
    int xExtent = -1;
    int yExtent = -1;
    label->GetScrollExtent(&xExtent, &yExtent);
    EXPECT_EQ(xExtent, 0);
    EXPECT_EQ(yExtent, label->GetContentHeight());

    // A drag upward scrolls the content, and a press that became a drag is no tap.
    std::vector<POINT> moves;
    for (int y = 140; y >= 40; y -= 10)
        moves.push_back(POINT{100, y});
    PostMouse(label, WM_LBUTTONDOWN, 100, 150);
    for (const POINT& point : moves)
        PostMouse(label, WM_MOUSEMOVE, point.x, point.y);
    PostMouse(label, WM_LBUTTONUP, 100, 40);
    DeliverPosted();
    PumpMessagesFor(600);
    int yPos = 0;
    label->GetScrollPos(nullptr, &yPos);
    EXPECT_GT(yPos, 50);

    // At the end of the range the last line is in view: hit and painted where it shows.
    label->ScrollTo(0, label->GetContentHeight() - height);
    label->GetScrollPos(nullptr, &yPos);
    EXPECT_EQ(yPos, label->GetContentHeight() - height);
    KRichFragment* end = FragmentOf(L"end");
    ASSERT_TRUE(end);
    EXPECT_EQ(label->HitTest(end->x + 2, end->y + 2), nullptr) << "the unscrolled place";
    EXPECT_EQ(label->HitTest(end->x + 2, end->y - yPos + 2), end->run);
    KRichFragment* rule = Fragments().back();
    RepaintNow(label);
    EXPECT_EQ(BackBufferPixel(Left() + 10, rule->y - yPos + 1), RED);
    Tap(label, end->x + 2, end->y - yPos + 2);
    ASSERT_EQ(host->WithCode(KNOTIFY_RICH_LINK).size(), 1u);
}

TEST_F(CKRichLabelTest, TextIsPaintedInItsColourAndClearGivesEverythingBack)
{
    CKFont* font = GetSmallFont();
    const int fontRefs = font->GetRefCount();
    ASSERT_TRUE(Load(L"<r><Format color=\"#FF0000\" size=\"big\">MMMM</Format></r>"));
    KRichFragment* text = FragmentOf(L"MMMM");
    ASSERT_TRUE(text);
    RepaintNow(label);
    int red = 0;
    for (int y = text->y; y < text->y + text->height; y++)
        for (int x = text->x; x < text->x + text->width; x++)
            red += BackBufferPixel(x, y) == RED;
    EXPECT_GT(red, 20) << "the glyphs are drawn in the run's colour";
    EXPECT_EQ(BackBufferPixel(text->x + text->width + 2, text->y), WHITE);

    // Two runs in the small font (the bold one has a font of its own).
    ASSERT_TRUE(Load(L"<r>" + std::wstring(40, L'x') + std::wstring(14, L'\n') + L"x<B>b</B>c</r>"));
    ASSERT_EQ(Runs().size(), 3u);
    EXPECT_EQ(font->GetRefCount(), fontRefs + 2);
    label->ScrollTo(0, 30);
    label->Clear();
    EXPECT_EQ(label->GetRuns().GetCount(), 0);
    EXPECT_EQ(label->GetFragments().GetCount(), 0);
    EXPECT_EQ(label->GetContentHeight(), 0);
    int yPos = -1;
    int yExtent = -1;
    label->GetScrollPos(nullptr, &yPos);
    label->GetScrollExtent(nullptr, &yExtent);
    EXPECT_EQ(yPos, 0);
    EXPECT_EQ(yExtent, 0);
    EXPECT_EQ(font->GetRefCount(), fontRefs) << "each text run's font reference went back";
}

// ---- Bad input ----------------------------------------------------------------------------------

TEST_F(CKRichLabelTest, BadFilesLeaveTheLabelSoundAndShowWhatWasRead)
{
    ASSERT_TRUE(Load(L"<r>kept</r>"));
    EXPECT_EQ(label->LoadText(L"RichLabelNoSuchFile.xml"), 0);
    ASSERT_EQ(Runs().size(), 1u);
    EXPECT_EQ(RunText(Runs()[0]), L"kept") << "an unreadable file changes nothing";
    EXPECT_EQ(label->LoadText(nullptr), 0);

    {
        KLooseFile empty(MARKUP_FILE, "");
        EXPECT_EQ(label->LoadText(MARKUP_FILE), 1);
        EXPECT_EQ(label->GetRuns().GetCount(), 0);
        EXPECT_EQ(label->GetContentHeight(), 2 * label->GetMargin());
    }
    {
        // No mark, and an odd trailing byte.
        KLooseFile odd(MARKUP_FILE, Utf16Bytes(L"<r>ab</r>") + "x");
        EXPECT_EQ(label->LoadText(MARKUP_FILE), 1);
        ASSERT_EQ(Runs().size(), 1u);
        EXPECT_EQ(RunText(Runs()[0]), L"ab");
    }
    // Mark-up cut short: what came before the last tag is shown.
    ASSERT_TRUE(Load(L"<r>abc<B>de"));
    ASSERT_EQ(Runs().size(), 1u);
    EXPECT_EQ(RunText(Runs()[0]), L"abc");
    ASSERT_TRUE(Load(L"<r>abc<B attr=\"unclosed>de</B></r>"));
    ASSERT_FALSE(Runs().empty());
    EXPECT_EQ(RunText(Runs()[0]), L"abc");

    // Absurd values stay within bounds.
    ASSERT_TRUE(Load(L"<r><Format size=\"99999\" color=\"nonsense\">x</Format>"
                     L"<Line size=\"1e30\"/><Line size=\"-5\"/><t99999999999/>y"
                     L"<Image name=\"\" count=\"-1,-1\" size=\"0,0\"/></r>"));
    const std::vector<KRichItem*> runs = Runs();
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_LE(runs[0]->text.font->GetKey() & 0xFFFF, 65500);
    EXPECT_GT(runs[1]->fragments->height, 0);
    EXPECT_LE(runs[1]->fragments->height, 0x10000);
    EXPECT_EQ(runs[2]->fragments->height, 0);
    EXPECT_GE(runs[3]->tab.count, 1);
    EXPECT_LT(runs[4]->fragments->x, 0x1000000);

    // Random units: no crash, and the label still lays out.
    std::wstring noise;
    unsigned int seed = 12345;
    for (int i = 0; i < 20000; i++) {
        seed = seed * 1103515245u + 12345u;
        const wchar_t unit = (wchar_t)((seed >> 16) & 0xFFFF);
        noise += (seed & 0x10000) ? unit : L"<>/=\"tBUIN &\r\n\t"[(seed >> 8) % 15];
    }
    EXPECT_TRUE(Load(noise));
    label->Move(RECT{0, 0, 50, 100});
    RepaintNow(label);
    EXPECT_GE(label->GetContentHeight(), 2 * label->GetMargin());
}
