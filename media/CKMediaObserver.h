// The interface through which a media player reports to its owner: position ticks, pauses, the end
// of a file, and playback commands. A mix-in outside the CKObject tree; the player borrows it.
#pragma once
#include <windows.h>

class CKMediaPlayer;

// Playback commands an owner may give meaning to through OnMediaCommand; other values are ignored.
constexpr int KMEDIA_CMD_RESUME = 513;     // resume a paused or stopped file
constexpr int KMEDIA_CMD_PAUSE = 514;      // pause the playing file
constexpr int KMEDIA_CMD_TOGGLE = 515;     // play when not playing, pause when playing
constexpr int KMEDIA_CMD_PREVIOUS = 516;   // go to the previous file
constexpr int KMEDIA_CMD_NEXT = 517;       // go to the next file
constexpr int KMEDIA_CMD_STOP = 518;       // stop: pause and go back to the start of the file

class CKMediaObserver
{
public:
    // Every 600 ms while the player plays.
    virtual void OnMediaPosition(CKMediaPlayer* player) = 0;
    // The player paused on its own (the library's player never raises it).
    virtual void OnMediaPaused(CKMediaPlayer* player) = 0;
    // KMEDIA_END_DELAY_MS after the end of the file was reached (not raised while repeating the
    // file).
    virtual void OnMediaEnd(CKMediaPlayer* player) = 0;
    // A playback command (KMEDIA_CMD_*); the base does nothing.
    virtual void OnMediaCommand(INT_PTR /*a*/, int /*command*/, INT_PTR /*b*/) {}

protected:
    // Observers are never deleted through this interface.
    ~CKMediaObserver() = default;
};
