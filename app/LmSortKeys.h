// Sort keys of the player's records under its two orders, "by file name" and "by artist"
// (CompareByFileName and CompareByArtist, app/CLmPlayList.h), for CKListBox::SortByKeys. Sorting a
// list of a million rows by comparing records reads records scattered over hundreds of megabytes
// for each of twenty million comparisons; the keys are made instead from each record's texts,
// read once in row order, and from one sort of the distinct texts.
#pragma once

class CKMediaInfo;

// Fills keys[0..count-1] for the records: key a < key b exactly when the order (by artist when
// `byArtist`, else by file name; reversed when `descending`) puts a before b, and equal keys
// where it finds two records equal. 1, or 0 when memory ran out (keys unchanged).
int MakeSortKeys(const CKMediaInfo* const* records, int count, int byArtist, int descending,
                 unsigned long long* keys);
