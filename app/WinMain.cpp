// Process entry of Lumo.exe: one Lumo per folder (a start that finds its folder's Lumo running
// hands it the files it was asked to open and ends), then the library starts, the one application
// object runs its loop with those files, and everything shuts down in the reverse order; the
// folder is released last, after the files are written. The exit code is 0, or
// LMEXIT_NOT_HANDED_OVER when the folder's Lumo never took the request.
#include <windows.h>

#include <string>

#include "app/CLmInstance.h"
#include "app/CLmOpenRequest.h"
#include "app/CLumoApp.h"
#include "media/KLibrary.h"

namespace {

// The executable's folder with its trailing backslash.
std::wstring ExecutableFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], MAX_PATH);
    path.resize(length < MAX_PATH ? length : 0);
    return path.substr(0, path.rfind(L'\\') + 1);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int)
{
    // The files this start was asked to open, resolved against the folder it was started in.
    wchar_t currentDir[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, currentDir);
    CLmOpenRequest* request = new CLmOpenRequest(LMOPEN_PLAY_FIRST);
    if (request)
        request->AddCommandLine(GetCommandLineW(), currentDir);

    CLmInstance* folder = new CLmInstance(ExecutableFolder().c_str());
    if (folder && !folder->Claim()) {
        const CLmOpenRequest nothing(LMOPEN_PLAY_FIRST);
        const int handed = folder->HandOver(request ? *request : nothing, LMHANDOVER_WAIT_MS);
        if (handed != LMHANDOVER_OWNER) {
            delete request;
            delete folder;
            return handed == LMHANDOVER_TAKEN ? 0 : LMEXIT_NOT_HANDED_OVER;
        }
    }

    KInitLibrary(instance);
    CLumoApp* app = new CLumoApp(instance, commandLine);
    if (app) {
        app->SetInstance(folder);
        app->Open(request);
        request = nullptr;
        app->Run();
        delete app;
    }
    delete request;
    KTermLibrary();
    delete folder;
    return 0;
}
