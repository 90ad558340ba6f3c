// CKComboBox: the library's combo box window, which the music player never creates.
// The class exists so that pages built on the library can name and create it by record; it
// behaves as a plain window (whose WM_GETDLGCODE the window procedure answers with
// DLGC_WANTARROWS).
#pragma once
#include "ui/CKWindow.h"

class CKComboBox : public CKWindow
{
    K_DECLARE_DYNCREATE(CKComboBox)
public:
    CKComboBox() = default;
};
