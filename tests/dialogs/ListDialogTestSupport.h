// Helpers of the list dialog and pop-up menu tests: where a row of the current list dialog lies,
// and a tap on it aimed like a real one.
#pragma once
#include <windows.h>

#include "dialogs/CKListDialog.h"

// The centre of row `index` of the dialog's list in the dialog's client coordinates; (-1, -1)
// when the row does not exist.
POINT RowCentre(CKListDialog* dialog, int index);
// A press and release on the centre of the row.
void TapRow(CKListDialog* dialog, int index);
// The current view as a list dialog, or none.
CKListDialog* CurrentListDialog();
