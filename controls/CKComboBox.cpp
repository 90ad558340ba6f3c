// CKComboBox: the class record and factory, and the keys it keeps.
#include "controls/CKComboBox.h"

K_IMPLEMENT_DYNCREATE(CKComboBox, CKWindow)

unsigned int CKComboBox::GetDialogCode(int)
{
    return DLGC_WANTARROWS;
}
