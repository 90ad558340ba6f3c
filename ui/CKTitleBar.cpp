// CKTitleBar: the class record of the title bar interface.
#include "ui/CKTitleBar.h"

K_IMPLEMENT_CLASS(CKTitleBar, CKWindow)
