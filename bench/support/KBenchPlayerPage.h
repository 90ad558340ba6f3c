// The player page as Lumo.exe builds it, for the benchmarks that measure through it: the
// application object and frame window, the page table, the settings, and the page itself over a
// given "PlayList.txt", shown and painted once.
#pragma once
#include <windows.h>

class CPlayerView;

// Starts the application object (frame window, page table, settings) for the life of the object;
// the pages and the settings file go at the end.
class KBenchPlayerApp
{
public:
    KBenchPlayerApp();
    ~KBenchPlayerApp();

    KBenchPlayerApp(const KBenchPlayerApp&) = delete;
    KBenchPlayerApp& operator=(const KBenchPlayerApp&) = delete;

private:
    class CBenchApp* app;   // owned
};

// Creates, registers and shows the player page over the playlist file at `path`, painted once;
// none when it could not be shown (no display).
CPlayerView* StartPlayerPage(const wchar_t* path);
