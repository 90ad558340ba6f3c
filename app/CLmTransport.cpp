// CLmPlayerTransport: list playback's transport over the library's media player.
#include "app/CLmTransport.h"

#include "media/CKMediaPlayer.h"

int CLmPlayerTransport::Open(const wchar_t* path)
{
    return player->Open(path);
}

void CLmPlayerTransport::Close()
{
    player->Close();
}

int CLmPlayerTransport::Play()
{
    return player->Play();
}

int CLmPlayerTransport::Pause()
{
    return player->Pause();
}

int CLmPlayerTransport::Stop()
{
    return player->Stop();
}

int CLmPlayerTransport::SetPosition(int ms)
{
    return player->SetPosition(ms);
}

int CLmPlayerTransport::GetDuration()
{
    return player->GetDuration();
}

int CLmPlayerTransport::GetPosition()
{
    return player->GetPosition();
}

int CLmPlayerTransport::GetState() const
{
    return player->GetState();
}
