// CKRichLabel: a scrollable window showing formatted text read from a small XML mark-up (see
// controls/CKRichTextDelegator.h): runs of text in several sizes, colours, weights and alignments,
// inline images and image-list cells, horizontal rules, tab positions, and tappable notify runs
// that report to the parent. The runs are flowed into lines by the library's line-breaking rule
// (graphics/KTextLayout.h: Chinese text breaks between characters but never before closing or
// after opening punctuation, Latin words and numbers stay whole) and the resulting fragments are
// painted and hit-tested.
//
// Ownership: the label owns its runs. A text run owns a private copy of its text (unless
// KRI_BORROWED) and its character widths, and holds one reference on its font; an image run holds
// one reference on its image or image list. Clear and the destructor give all of them back.
// Fragments belong to the layout: each relayout first returns the old ones to the fragment list's
// free chain, so a relayout of the same text allocates nothing.
//
// Layout: the window flag KRLF_LAYOUT (the bit windows use for "repaint on change") is the label's
// layout switch. While it is set, a size change or SetLayout(true) lays out again and repaints;
// while it is clear (LoadText clears it while reading) nothing is laid out. Each character is
// measured once, at the first layout of its run, and a layout walks each character a bounded
// number of times, so laying out costs time in proportion to the text.
//
// Implementation files: CKRichLabel.cpp (runs, loading, painting, input), CKRichLabelLayout.cpp
// (flowing the runs into lines).
#pragma once
#include "foundation/CKList.h"
#include "graphics/KColor.h"
#include "graphics/KTextLayout.h"
#include "ui/CKWindow.h"

class CKFont;
class CKImage;
struct KRichFragment;

// Run flags (KRichItem::flags).
constexpr unsigned int KRI_BORROWED = 0x1;         // text run: the text is the caller's, not copied
constexpr unsigned int KRI_NOTIFY = 0x2;           // tappable: a tap reports KNOTIFY_RICH_LINK
constexpr unsigned int KRI_PRESSED = 0x80;         // a notify run being pressed
constexpr unsigned int KRI_KIND_MASK = 0xF00;      // the kind of run:
constexpr unsigned int KRI_TEXT = 0x100;           //   text
constexpr unsigned int KRI_IMAGE = 0x200;          //   image or image-list cell
constexpr unsigned int KRI_RULE = 0x300;           //   horizontal rule
constexpr unsigned int KRI_TAB = 0x400;            //   tab position
constexpr unsigned int KRI_ALIGN_MASK = 0xF000;    // alignment in its line (0: left)
constexpr unsigned int KRI_ALIGN_CENTER = 0x1000;  // centred
constexpr unsigned int KRI_ALIGN_RIGHT = 0x2000;   // right-aligned
constexpr unsigned int KRI_BOLD = 0x10000;         // bold font
constexpr unsigned int KRI_UNDERLINE = 0x20000;    // underlined font
constexpr unsigned int KRI_ITALIC = 0x40000;       // italic font

// The layout switch among the window flags (see above).
constexpr unsigned int KRLF_LAYOUT = KWF_REPAINT_ON_CHANGE;

// Notification a notify run sends when pressed and released on it; param: its KRichItem.
constexpr int KNOTIFY_RICH_LINK = 2049;

// The parts of a run by kind.
struct KRichTextRun
{
    wchar_t* text;     // owned (KAlloc) unless KRI_BORROWED
    int length;        // characters
    CKFont* font;      // counted
    KColor color;
    int* advances;     // owned (KAlloc): each character's width in `font`; none until laid out
};

struct KRichImageRun
{
    CKImage* image;    // counted: an image, or an image list when `index` >= 0
    int index;         // the cell drawn, -1 for the whole image
    int width;         // size of what is drawn, pixels
    int height;
};

struct KRichRuleRun
{
    float thickness;   // base units
    KColor color;
};

struct KRichTabRun
{
    int count;         // x moves to the count-th tab stop of the line
};

// One run, a record of the label's run list (zero-filled when added).
struct KRichItem
{
    unsigned int flags;            // KRI_* bits
    int notifyId;                  // the number given to "Notify", 0 when none
    KRichFragment* fragments;      // borrowed from the fragment list: the first, none before layout
    union
    {
        KRichTextRun text;
        KRichImageRun image;
        KRichRuleRun rule;
        KRichTabRun tab;
    };
};

// One rectangle of a run on one line, relative to the content origin (the scroll position not
// applied). All fragments of a run follow each other in layout order.
struct KRichFragment
{
    KRichItem* run;    // borrowed: the owner
    int x;
    int y;
    int width;
    int height;
    int first;         // text: the first character drawn here
    int count;         // text: characters drawn here
};

class CKRichLabel : public CKWindow
{
    K_DECLARE_DYNCREATE(CKRichLabel)
public:
    CKRichLabel();
    // Frees the runs and fragments.
    ~CKRichLabel() override;

    // ---- CKWindow slots ----
    // Lays out again and repaints (with KRLF_LAYOUT).
    void OnSize() override;
    // A press on a notify run marks it pressed; a release on the pressed run notifies the parent
    // with KNOTIFY_RICH_LINK; a release elsewhere or a cancel only clears the mark. Ignored while
    // disabled or when the event was consumed.
    int OnMouse(int code, int x, int y, int extra) override;
    // The background over the content, then every fragment that meets the clip box.
    void OnPaint(CKCanvas* canvas) override;

    // Reads the mark-up file `path` (a disk path, or a library path: loose file or resource) as
    // UTF-16 and replaces the runs with it, then lays out and repaints. 1, or 0 when the file cannot
    // be read (the label is left as it was).
    int LoadText(const wchar_t* path);
    // Frees every run and fragment; content height, scroll position and range go back to 0.
    void Clear();
    // On: when it was off, sets KRLF_LAYOUT, lays out and repaints. Off: clears the flag.
    void SetLayout(bool on);
    // The notify text run having a fragment that contains (x, y) (client coordinates, the content
    // scrolled), or none.
    KRichItem* HitTest(int x, int y) const;

    // Run adders (the delegator's): each appends a run of its kind with `flags` (the kind bits
    // replaced) and returns it, or none when memory ran out or there is nothing to add.
    // `text` is copied unless `flags` holds KRI_BORROWED; `font` gets a reference.
    KRichItem* AddText(unsigned int flags, const wchar_t* text, int length, CKFont* font,
                        KColor color, int notifyId);
    // `image` (a reference is taken) shown whole (`index` -1, or an index that is not a cell of
    // it) or as cell `index` of an image list.
    KRichItem* AddImage(unsigned int flags, CKImage* image, int index);
    KRichItem* AddRule(unsigned int flags, float thickness, KColor color);
    KRichItem* AddTab(unsigned int flags, int count);

    const CKListT<KRichItem>& GetRuns() const { return runs; }
    const CKListT<KRichFragment>& GetFragments() const { return fragments; }
    KRichItem* GetPressedRun() const { return pressed; }
    // y of the last line's bottom plus the margin, after the last layout.
    int GetContentHeight() const { return contentHeight; }
    int GetMargin() const { return margin; }
    int GetLineGap() const { return lineGap; }

private:
    // A place in the runs: before character `index` of `run` (0 for a run that is not text).
    struct KPlace
    {
        KRichItem* run;    // borrowed; none for no place
        int index;
    };

    // A place on the current line where it may end, with what is needed to end it there.
    struct KBreakPlace
    {
        KPlace at;                               // none when the line has no such place yet
        int x;                                   // the flow's x at that place
        int lineHeight;                          // the line's height up to there
        KRichFragment* before;                   // borrowed: the last fragment placed before it
        wchar_t recent[KBREAK_LOOK_BEHIND];      // the characters before it, as in KFlow
    };

    // Layout state while the runs are flowed (CKRichLabelLayout.cpp).
    struct KFlow
    {
        int left;
        int right;
        int x;
        int y;
        int lineHeight;
        int tabWidth;
        KRichFragment* lineFirst;    // borrowed: the current line's first fragment, none yet
        // The last characters flowed, oldest first (0: none), for the line-breaking rule; an
        // image counts as U+FFFC, a tab position as TAB. Forced line ends clear them.
        wchar_t recent[KBREAK_LOOK_BEHIND];
        // The line's last place of each kind (KBREAK_ALLOWED, KBREAK_IN_RUN) where it may end.
        KBreakPlace breakAt[KBREAK_ALLOWED + 1];
    };

    // ---- Layout (CKRichLabelLayout.cpp) ----
    // Flows every run into lines and sets the content height and the vertical scroll range; only
    // with a client width. Old fragments go first.
    void Layout();
    // Returns the old fragments to the free chain.
    void FreeFragments();
    // A fragment of `run` at the flow position; none when memory ran out.
    KRichFragment* PlaceFragment(KFlow& flow, KRichItem* run, int width, int height);
    // Flows a text run from character `from`. `next` holds the next run on entry and receives
    // where the flow goes on: an earlier place when a line had to end there. false when memory
    // ran out or the characters could not be measured (the run's layout stops there).
    bool FlowText(KFlow& flow, KRichItem* run, int from, KPlace* next);
    // The other kinds; an image or rule that finds no memory is left out.
    void FlowImage(KFlow& flow, KRichItem* run);
    void FlowRule(KFlow& flow, KRichItem* run);
    void FlowTab(KFlow& flow, KRichItem* run);
    // Places characters [first, end) of a text run, `width` wide, at the flow position and moves
    // x past them; nothing when the range is empty. false when memory ran out.
    bool PlaceText(KFlow& flow, KRichItem* run, int first, int end, int width);
    // Notes the place before `run`'s character `index` (whose character is `c` and the one after
    // it `after`) as the line's last place of its kind to end, when the line holds something
    // before it at x and the line-breaking rule allows it.
    void NoteBreak(KFlow& flow, KRichItem* run, int index, int x, wchar_t c, wchar_t after) const;
    // The place where an overflowing line ends: its last place of the kind KBREAK_ALLOWED, else
    // of the kind KBREAK_IN_RUN; none when it has neither.
    static const KBreakPlace* ChooseBreak(const KFlow& flow);
    // Takes back everything placed on the line after `place` (fragments after it removed, the one
    // holding it shortened) and puts x, the line height and the recent characters back to it.
    void RewindTo(KFlow& flow, const KBreakPlace& place);
    // The character flowed after `run`'s character `index`: the next one of the run, else the
    // first of the next run (U+FFFC for an image, TAB for a tab position, 0 for none or a rule).
    wchar_t CharAfter(const KRichItem* run, int index) const;
    // Ends the current line when forced or when it holds something (x past left): aligns its
    // fragments and moves to the next line, which has no place to end yet.
    void EndLine(KFlow& flow, bool forced);
    // Left plus the next multiple of the tab width after x - left.
    static int NextTabStop(const KFlow& flow, int x);

    // ---- Runs ----
    KRichItem* AddRun(unsigned int flags, unsigned int kind);
    // Frees what a run owns and holds (list removal function).
    static void FreeRun(KRichItem* run, void* context);
    // Marks `run` pressed (none: no run), clearing the old mark; repaints when it changed.
    void SetPressed(KRichItem* run);
    void DrawFragment(CKCanvas* canvas, const KRichFragment* fragment, int yPos);

    CKListT<KRichItem> runs;               // the runs, in document order
    CKListT<KRichFragment> fragments;      // the last layout's fragments, in layout order
    KRichItem* pressed = nullptr;          // borrowed from `runs`: the pressed notify run
    int margin;                            // pixels around the content
    int lineGap;                           // pixels between lines
    int contentHeight = 0;
};
