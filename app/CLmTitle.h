// CLmTitle: the player page's title bar: the library's title with its text moved right of an
// accent bar and centred on the text's own height (the playlist's name shows there).
#pragma once
#include "controls/CKTitle.h"
#include "graphics/KColor.h"

// Colour of the accent bar left of the title text.
constexpr KColor LMTITLE_BAR_COLOR = 0xFFCC7223;
// Width of the accent bar, and the room the text area gives up for it at the left, in base units.
constexpr int LMTITLE_BAR_UNITS = 2;
constexpr int LMTITLE_INDENT_UNITS = 3;

class CLmTitle : public CKTitle
{
    K_DECLARE_DYNCREATE(CLmTitle)
public:
    CLmTitle() = default;

    // As the title, then the text area's left edge moves right by 3 units and the area is centred
    // vertically on the height of the text drawable.
    void OnSize() override;
    // The face; with a text drawable and a text: the accent bar at the left of the text area over
    // its height, then the text (left-aligned, cut with an ellipsis) right of the bar.
    void OnPaint(CKCanvas* canvas) override;
};
