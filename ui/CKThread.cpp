// CKThread: the thread-owning base of the application object.
#include "ui/CKThread.h"

K_IMPLEMENT_CLASS(CKThread, CKObject)

CKThread::~CKThread()
{
    if (thread) {
        TerminateThread(thread, 0);
        CloseHandle(thread);
        thread = nullptr;
    }
}

int CKThread::Run()
{
    return 0;
}
