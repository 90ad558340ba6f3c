// CKDatePicker: the class record and factory.
#include "controls/CKDatePicker.h"

K_IMPLEMENT_DYNCREATE(CKDatePicker, CKWindow)
