// The music player's application object: it fits the screen density, registers the page table,
// loads the settings, shows the start-up picture and creates the four pages behind it, routes the
// interruption message to the player, and at the end destroys the pages and saves the settings.
// As a desktop program it adds the files named on its command line, those other starts of
// Lumo.exe in its folder hand over to its frame window and those dropped on it, and it answers
// the keyboard's media keys (also while another program has the focus, as hot keys when no other
// program holds them).
//
// Ownership: the file adder is a member; the folder's instance lock is borrowed from the process
// entry, which keeps it until after the application object is gone.
#pragma once
#include "app/CLmFileAdder.h"
#include "app/LmIds.h"
#include "ui/CKApplication.h"

class CLmInstance;

class CLumoApp : public CKApplication
{
    K_DECLARE_CLASS(CLumoApp)
public:
    // Registers the page table (titles and title buttons of the pages) and fits the density.
    CLumoApp(HINSTANCE instance, const wchar_t* commandLine);

    // LMWM_INTERRUPTION pauses and resumes the player around an interruption (1); others go to the
    // base.
    int OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The frame window, the settings, then the start-up picture as page IDS_PAGE_PLAYER (the pages
    // at once when there is no picture), shown. Returns 1, or 0 when the base fails.
    int InitInstance() override;
    // Stops adding files (those added so far are written), destroys the pages, last registered
    // first, then saves the settings if they changed.
    void ExitInstance() override;
    // The player, browse, settings and help pages, in that order; the browse page hands the
    // files it adds to the player page (its file receiver).
    void CreatePages() override;
    // Requests handed over by another start (WM_COPYDATA: taken, the frame brought to the front
    // and restored when minimised), dropped files (WM_DROPFILES), media keys (WM_APPCOMMAND from
    // the focused window, WM_HOTKEY from anywhere), and the frame going (WM_DESTROY: the mark and
    // the hot keys go, so no request is taken that could no longer be added).
    int OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // The folder's instance lock, whose mark the frame carries once it exists (borrowed).
    void SetInstance(CLmInstance* lock) { instance = lock; }
    // Adds the request's files once the player page is there (the request is owned from now on).
    void Open(CLmOpenRequest* request) { adder.Add(request); }
    CLmFileAdder& GetFileAdder() { return adder; }

private:
    // The player page's command for a media key (KMEDIA_CMD_*), run when the page is there.
    static void RunMediaCommand(int command);

    CLmFileAdder adder;
    CLmInstance* instance = nullptr;   // borrowed: the process entry's
};
