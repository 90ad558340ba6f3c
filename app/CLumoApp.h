// The music player's application object: it starts the frame window and the pages, and ends them.
#pragma once
#include "ui/CKApplication.h"

class CLumoApp : public CKApplication
{
    K_DECLARE_CLASS(CLumoApp)
public:
    CLumoApp(HINSTANCE instance, const wchar_t* commandLine);
};
