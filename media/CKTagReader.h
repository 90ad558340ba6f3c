// Reads what an audio file says about itself — title, artist, album and length — with TagLib, in
// a millisecond or two, so that the player need not build a media graph per file to time it.
//
// The file's signature picks the format (KAudioHeader.h), never its name, so a file that is not
// audio is known at once; a file whose tags break the bounds there is not handed to TagLib at
// all. Text in the legacy 8-bit fields (ID3v1, ID3v2 ISO-8859-1 frames, RIFF INFO) that is not
// plain ASCII is read in the system's ANSI code page when that is a multi-byte one (936 on a
// Chinese system: such fields hold GBK in practice), and as ISO-8859-1 otherwise or when the
// bytes are not valid in it.
#pragma once
#include "foundation/CKObject.h"

class CKMediaInfo;

// Results of Read.
constexpr int KTAG_NOT_AUDIO = 0;   // missing, unreadable, or no audio signature: nothing to play
constexpr int KTAG_UNREAD = 1;      // audio, but TagLib could not or may not read it
constexpr int KTAG_READ = 2;        // read: tags set where present, length set when known

class CKTagReader : public CKObject
{
    K_DECLARE_CLASS(CKTagReader)
public:
    CKTagReader() = default;

    // Reads the file at the full `path`. With KTAG_READ the record's title, artist and album are
    // set from the tags that are present and not empty (others are left as they are), and its
    // duration when the file tells its length (left as it is otherwise); nothing is changed for
    // the other results.
    int Read(const wchar_t* path, CKMediaInfo* info);

    // 1 when the file at the full `path` opens and carries an audio signature; costs one small
    // read, so a player may refuse other files before building anything for them.
    static int IsAudioFile(const wchar_t* path);
};
