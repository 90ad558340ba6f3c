// CKToastContainer: the content of a toast: the message label of an alert (CKAlertContainer) with
// a narrower margin and no least height.
#pragma once
#include "dialogs/CKAlertContainer.h"

class CKToastContainer : public CKAlertContainer
{
    K_DECLARE_CLASS(CKToastContainer)
public:
    CKToastContainer();
};
