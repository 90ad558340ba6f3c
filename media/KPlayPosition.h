// KPlayPosition: where list playback stands in the playing list, kept by the list's owner so that
// next, previous and a restart go on from the right rows while rows move or go under the file.
//
// The rule, stated once: the position is a row, or the gap a removed row left. While the playing
// file's row is in the list the position is that row. When that row is removed while its file
// plays on, the position becomes the gap between rows `row` - 1 and `row` (the rows that were its
// neighbours), and next and previous go on exactly as if the row were still there: next as from
// the row before the gap (so it plays the row that followed the removed one), previous as from the
// row after it (so it plays the row that came before). Rows removed above the position move it up
// with them; rows removed below it leave it alone.
#pragma once

struct KPlayPosition
{
    int row = -1;       // the playing row, or with `gap` the row just after the gap; -1: none
    bool gap = false;   // the playing row was removed: the position lies just before `row`

    // The row the playing file is shown in; -1 in a gap or with no position.
    int PlayingRow() const { return gap ? -1 : row; }
    // The row next (KNextRow) and previous (KPreviousRow) are chosen from; -1 means "none played
    // in this list yet".
    int NextFrom() const { return gap ? row - 1 : row; }
    int PreviousFrom() const { return row; }

    // The playing row is `newRow` (-1: none).
    void Set(int newRow)
    {
        row = newRow;
        gap = false;
    }
    // Row `removed` left the list. Returns 1 when `row` changed (a row above it went), which is
    // when a stored row index has to follow.
    int RowRemoved(int removed);
};
