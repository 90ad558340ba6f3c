// CLmTransport: what list playback needs of a media player: open a file, play, pause, stop, seek,
// and its length, position and state (KMEDIA_* of media/CKMediaPlayer.h). The playback rules
// (app/CLmPlayback.h) drive the player through it, so that they can be run against a stand-in
// where a real media graph adds nothing. CLmPlayerTransport is the one over a CKMediaPlayer.
//
// Ownership: CLmPlayerTransport borrows its player (the player page owns it).
#pragma once

class CKMediaPlayer;

class CLmTransport
{
public:
    // Opens the file; 0 when it cannot be played (the player is closed then).
    virtual int Open(const wchar_t* path) = 0;
    virtual void Close() = 0;
    // Starts or resumes; 0 when closed or the file cannot run.
    virtual int Play() = 0;
    virtual int Pause() = 0;
    virtual int Stop() = 0;
    // Seeks to `ms` milliseconds from the start.
    virtual int SetPosition(int ms) = 0;
    // Length and position of the open file in ms; -1 when closed.
    virtual int GetDuration() = 0;
    virtual int GetPosition() = 0;
    // KMEDIA_CLOSED ... KMEDIA_STOPPED.
    virtual int GetState() const = 0;

protected:
    // Transports are never deleted through this interface.
    ~CLmTransport() = default;
};

// The transport of a CKMediaPlayer: every operation is the player's own.
class CLmPlayerTransport : public CLmTransport
{
public:
    explicit CLmPlayerTransport(CKMediaPlayer* mediaPlayer) : player(mediaPlayer) {}
    virtual ~CLmPlayerTransport() = default;

    int Open(const wchar_t* path) override;
    void Close() override;
    int Play() override;
    int Pause() override;
    int Stop() override;
    int SetPosition(int ms) override;
    int GetDuration() override;
    int GetPosition() override;
    int GetState() const override;

private:
    CKMediaPlayer* player;   // borrowed: the player page's
};
