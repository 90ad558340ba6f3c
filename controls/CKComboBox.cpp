// CKComboBox: the class record and factory.
#include "controls/CKComboBox.h"

K_IMPLEMENT_DYNCREATE(CKComboBox, CKWindow)
