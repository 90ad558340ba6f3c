// CKTimePicker: the class record and factory.
#include "controls/CKTimePicker.h"

K_IMPLEMENT_DYNCREATE(CKTimePicker, CKWindow)
