// CLumoApp: the music player's application object.
#include "app/CLumoApp.h"

K_IMPLEMENT_CLASS(CLumoApp, CKApplication)

CLumoApp::CLumoApp(HINSTANCE instance, const wchar_t* commandLine)
    : CKApplication(instance, commandLine)
{
}
