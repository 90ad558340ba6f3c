// CKDropdownBox: the class record and factory.
#include "controls/CKDropdownBox.h"

K_IMPLEMENT_DYNCREATE(CKDropdownBox, CKWindow)
