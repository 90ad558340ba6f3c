// The music player's page table: for each page id (also the string id of its title) the page
// flags and its title-bar buttons. A view's InitView looks its id up here.
#pragma once
#include "app/LmStringIds.h"
#include "ui/CKView.h"

// Page flag: the page covers the status-bar strip too. No page of this program sets it.
constexpr int KPAGE_FULLSCREEN = 0x1;

// One row of eight words. A button's text id is also the command id it sends; 0 means no button.
struct KPageRow
{
    int viewId;        // page id and string id of the title; 0 ends the table
    int flags;         // KPAGE_* bits
    int leftTextId;    // left title button: text and command id, or 0
    int leftStyle;     // left title button style
    int leftReserved;  // always 0, not read
    int rightTextId;   // right title button: text and command id, or 0
    int rightStyle;    // right title button style
    int rightReserved; // always 0, not read
};

// The rows, ended by a row whose viewId is 0.
extern const KPageRow PAGE_TABLE[];
// The row of a page id, or none (also for 0).
const KPageRow* FindPageRow(int viewId);
// The row of a page id as the view system reads it (CKApplication::SetPageLookup); 0 for none.
int LookupPageEntry(int viewId, KPageEntry* entry);
