// CLmSaveNotice: one toast per streak of failed saves.
#include "app/CLmSaveNotice.h"

#include "app/LmStringIds.h"
#include "app/LmToast.h"

void CLmSaveNotice::Report(int saved, bool quiet)
{
    if (!saved && !failing && !quiet)
        ShowToastString(IDS_SAVE_FAILED);
    failing = !saved;
}
