// The rules that choose which row of a list plays next: next, previous and play-a-given-row for the
// three loop types. The player page keeps the playing state and applies the result; these functions
// only choose, from the row count, the playing index, the loop type and whether the list shown is
// the one playing.
//
// When the list shown is not the playing one (selectedIsPlaying 0), the caller makes it the playing
// list with playing index -1 before starting the chosen row; the choice is made as from -1.
#pragma once

// Loop types (the "LoopType" setting). Any other value stops playback at the next choice.
constexpr int KLOOP_ONCE = 0;      // the list once in order, stopping after the last row
constexpr int KLOOP_ALL = 1;       // the whole list again and again, in order
constexpr int KLOOP_SHUFFLE = 2;   // every next or previous row drawn at random

// Results that are not a row.
constexpr int KROW_NONE = -1;    // nothing to play: playback stops
constexpr int KROW_EMPTY = -2;   // the list has no row: nothing plays and the owner says so

// The row after `playing` in a list of `count` rows.
int KNextRow(int count, int playing, int loopType, int selectedIsPlaying);
// The row before `playing`.
int KPreviousRow(int count, int playing, int loopType, int selectedIsPlaying);
// The row to play for a tapped `row`, or with none given (row < 0) the playing row of the list
// shown; an index outside the list becomes a random row when shuffling, else row 0.
int KGivenRow(int count, int row, int playing, int loopType, int selectedIsPlaying);
// The loop button's cycle: 0 -> 1 -> 2 -> 0 (anything past 2 goes back to 0).
int KNextLoopType(int loopType);
