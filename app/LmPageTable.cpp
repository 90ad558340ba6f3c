// The rows of the music player's four pages.
#include "app/LmPageTable.h"

const KPageRow PAGE_TABLE[] = {
    {IDS_PAGE_PLAYER, 0, IDS_PLAYER_MENU, 0, 0, 0, 0, 0},
    {IDS_PAGE_BROWSE, 0, IDS_BROWSE_FOLDERS, 1, 0, IDS_BROWSE_OPEN, 0, 0},
    {IDS_PAGE_SETTINGS, 0, IDS_SETTINGS_BACK, 1, 0, 0, 0, 0},
    {IDS_PAGE_HELP, 0, IDS_HELP_BACK, 1, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
};

const KPageRow* FindPageRow(int viewId)
{
    if (viewId == 0)
        return nullptr;
    for (const KPageRow* row = PAGE_TABLE; row->viewId; ++row)
        if (row->viewId == viewId)
            return row;
    return nullptr;
}

int LookupPageEntry(int viewId, KPageEntry* entry)
{
    const KPageRow* row = FindPageRow(viewId);
    if (!row)
        return 0;
    *entry = KPageEntry{row->flags, row->leftTextId, row->leftStyle, row->rightTextId,
                        row->rightStyle};
    return 1;
}
