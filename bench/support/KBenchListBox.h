// Measuring a list box through its real window: frames of a drag-scroll painted one by one, hit
// tests and taps at a scroll position. Shared by the list box and player page benchmarks.
#pragma once
#include <windows.h>

class CKListBox;

// Milliseconds per frame of a drag that starts at scroll position `start` and moves the pointer
// `direction` (-1 up, 1 down) 3 pixels a frame, each move painted at once.
double DragFrames(CKListBox* list, int start, int direction);
// Nanoseconds per HitTest at scroll position `start` over the list's visible height.
double HitTests(CKListBox* list, int start);
// Microseconds per press and release on rows inside the client area at scroll position `start`.
double Taps(CKListBox* list, int start);
// The scroll position that shows the end of the list.
int BottomScrollPos(const CKListBox* list);
