// Base of the application object: an object that may own an operating-system thread. The program
// never starts one; Run is called directly on the entry thread.
#pragma once
#include <windows.h>

#include "foundation/CKObject.h"

class CKThread : public CKObject
{
    K_DECLARE_CLASS(CKThread)
public:
    CKThread() = default;
    // Terminates and closes a held thread handle.
    ~CKThread() override;
    virtual int Run();

protected:
    HANDLE thread = nullptr;   // owned; none unless a thread was started
};
