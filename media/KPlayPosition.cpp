// KPlayPosition: the playing position following rows removed from the playing list.
#include "media/KPlayPosition.h"

int KPlayPosition::RowRemoved(int removed)
{
    if (row < 0 || removed < 0 || removed > row)
        return 0;
    if (removed < row) {
        row--;
        return 1;
    }
    // The row at the position went: the playing row itself leaves its gap behind; the row just
    // after a gap going leaves the gap where it is.
    gap = true;
    return 0;
}
