// The music player's application object: it registers the page table with the view system, shows
// the frame window and the start-up picture, creates the pages behind it, and destroys them at
// the end.
#pragma once
#include "ui/CKApplication.h"

class CLumoApp : public CKApplication
{
    K_DECLARE_CLASS(CLumoApp)
public:
    // Registers the page table (titles and title buttons of the pages).
    CLumoApp(HINSTANCE instance, const wchar_t* commandLine);

    // The frame window, then the start-up picture as page 3000 (the pages at once when there is
    // no picture), shown. Returns 1, or 0 when the base fails.
    int InitInstance() override;
    // Destroys the pages, last registered first.
    void ExitInstance() override;
    // Registers the player page (3000) with its title from the page table.
    void CreatePages() override;
};
