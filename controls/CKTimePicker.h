// CKTimePicker: the library's time picker window, which the music player never creates.
// The class exists so that pages built on the library can name and create it by record; it
// behaves as a plain window.
#pragma once
#include "ui/CKWindow.h"

class CKTimePicker : public CKWindow
{
    K_DECLARE_DYNCREATE(CKTimePicker)
public:
    CKTimePicker() = default;
};
