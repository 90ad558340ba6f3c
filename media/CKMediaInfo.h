// What the library knows about one audio file: its measured length and its tags. Reference
// counted when shared (a playlist and the playing state each hold one); the application's
// CLmMediaInfo adds the file's path.
#pragma once
#include "foundation/CKObject.h"
#include "foundation/KString.h"

// Durations that are not a measured length.
constexpr int KMEDIA_DURATION_UNMEASURED = 0;     // not measured yet
constexpr int KMEDIA_DURATION_UNKNOWN = -1;       // being measured, or cannot be measured

class CKMediaInfo : public CKObject
{
    K_DECLARE_CLASS(CKMediaInfo)
public:
    CKMediaInfo() = default;

    // Milliseconds; KMEDIA_DURATION_UNMEASURED or KMEDIA_DURATION_UNKNOWN when not a length.
    int GetDuration() const { return duration; }
    void SetDuration(int ms) { duration = ms; }

    // The setters copy the text (`count` units, or up to the NUL when negative); each returns the new length, -1 (unchanged) when it is too long.
    const KStringW& GetTitle() const { return title; }
    int SetTitle(const wchar_t* text, int count = -1) { return title.Assign(text, count); }
    const KStringW& GetAlbum() const { return album; }
    int SetAlbum(const wchar_t* text, int count = -1) { return album.Assign(text, count); }
    const KStringW& GetArtist() const { return artist; }
    int SetArtist(const wchar_t* text, int count = -1) { return artist.Assign(text, count); }

    // Whether this run has asked the file for its tags already (a record measured before tags were
    // read looks just like one whose file has none; this is not stored in any file).
    bool AreTagsRead() const { return tagsRead; }
    void SetTagsRead() { tagsRead = true; }

private:
    int duration = KMEDIA_DURATION_UNMEASURED;

protected:
    // A derived record may place their texts in its own allocation (KStringW::AssignFixed).
    KStringW title;
    KStringW album;
    KStringW artist;

private:
    bool tagsRead = false;
};
