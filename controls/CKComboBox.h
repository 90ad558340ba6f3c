// CKComboBox: the library's combo box window, which the music player never creates.
// The class exists so that pages built on the library can name and create it by record; it
// behaves as a plain window that keeps the arrow keys from the dialog navigation.
#pragma once
#include "ui/CKWindow.h"

class CKComboBox : public CKWindow
{
    K_DECLARE_DYNCREATE(CKComboBox)
public:
    CKComboBox() = default;

    // Keeps the arrows (DLGC_WANTARROWS).
    unsigned int GetDialogCode(int key) override;
};
