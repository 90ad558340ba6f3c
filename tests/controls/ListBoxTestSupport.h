// Helpers of the list box tests: a list box of numbered rows under a recording host, drags made
// of real input messages, waiting for a list's animation, and reading the notifications.
#pragma once
#include <windows.h>

#include <vector>

#include "ControlsTestSupport.h"

class CKListBox;

// Window flags of the list boxes the program creates: repaint on change, tab stop, vertical
// scrolling, double presses as 36, opaque.
constexpr unsigned int LIST_FLAGS =
    KWF_REPAINT_ON_CHANGE | KWF_TABSTOP | KWF_VSCROLL | KWF_DBLCLK | KWF_OPAQUE;
constexpr int LIST_ID = 5021;
// The test lists are 300 x 400 at the host's origin; rows are 50 pixels high (32 base units at
// 160 dpi), so eight rows show and W / 3 = 100, W / 9 = 33.
constexpr int LIST_WIDTH = 300;
constexpr int LIST_HEIGHT = 400;
constexpr int ROW = 50;

// A list box of `style` with `rows` items of `itemFlags`, item i with the text "Row i" and the
// data i. None when the creation failed.
CKListBox* MakeList(KControlScope& scope, CNoticeHost* host, unsigned int style, int rows,
                    unsigned int itemFlags = 0);
// A press at `press`, moves through `points` with the button held and a release at the last
// point, all delivered.
void Drag(CKWindow* window, POINT press, const std::vector<POINT>& points);
// Pumps until the window has no animation; false after 3 s.
bool WaitForAnimation(CKWindow* window);
// What the host received, in order, without the focus notifications (1 and 2) that a press on a
// tab-stop list sends.
std::vector<KNotice> Reports(const CNoticeHost* host);
// The codes of Reports.
std::vector<int> Codes(const CNoticeHost* host);
// The data of every item, in list order.
std::vector<long long> ItemData(const CKListBox* list);
int ScrollY(const CKWindow* window);
