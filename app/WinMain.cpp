// Process entry of Lumo.exe: the library starts, the one application object runs its loop with
// the files the command line names, and everything shuts down in the reverse order. The exit
// code is always 0.
#include <windows.h>

#include "app/CLmOpenRequest.h"
#include "app/CLumoApp.h"
#include "ui/KLibrary.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int)
{
    // The files this start was asked to open, resolved against the folder it was started in.
    wchar_t currentDir[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, currentDir);
    CLmOpenRequest* request = new CLmOpenRequest(LMOPEN_PLAY_FIRST);
    if (request)
        request->AddCommandLine(GetCommandLineW(), currentDir);

    KInitLibrary(instance);
    CLumoApp* app = new CLumoApp(instance, commandLine);
    if (app) {
        app->Open(request);
        request = nullptr;
        app->Run();
        delete app;
    }
    delete request;
    KTermLibrary();
    return 0;
}
