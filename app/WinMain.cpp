// Process entry of Lumo.exe: the library starts, the one application object runs its loop, and
// everything shuts down in the reverse order. The exit code is always 0.
#include <windows.h>

#include "app/CLumoApp.h"
#include "ui/KLibrary.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int)
{
    KInitLibrary(instance);
    CLumoApp* app = new CLumoApp(instance, commandLine);
    if (app) {
        app->Run();
        delete app;
    }
    KTermLibrary();
    return 0;
}
