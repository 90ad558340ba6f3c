// What a file's first bytes say before anything heavier looks at it: which audio format it is by
// its signature (so that a file that is not audio is refused at once, without a media graph),
// and whether its tags are within the bounds CKTagReader hands to the tag library (a tag that
// claims 100 MB, atoms nested thousands deep or a compressed frame that inflates without end
// would cost memory or stack the library does not bound itself).
//
// Both read through a TagLib stream; neither keeps it. Positions are left anywhere.
#pragma once

namespace TagLib {
class IOStream;
}

// Formats by signature.
constexpr int KAUDIO_NONE = 0;        // no known signature: not audio
constexpr int KAUDIO_OTHER = 1;       // audio the platform may play, not read by the tag library
                                      // (MIDI, CAF, AU, AMR, RF64, ADTS AAC, other Ogg
                                      // streams)
constexpr int KAUDIO_MPEG = 2;        // MPEG audio (MP3, MP2), or anything behind an ID3v2 tag
constexpr int KAUDIO_FLAC = 3;
constexpr int KAUDIO_OGG_VORBIS = 4;
constexpr int KAUDIO_OGG_OPUS = 5;
constexpr int KAUDIO_OGG_FLAC = 6;
constexpr int KAUDIO_OGG_SPEEX = 7;
constexpr int KAUDIO_WAV = 8;
constexpr int KAUDIO_AIFF = 9;
constexpr int KAUDIO_MP4 = 10;
constexpr int KAUDIO_ASF = 11;        // WMA
constexpr int KAUDIO_APE = 12;        // Monkey's Audio
constexpr int KAUDIO_WAVPACK = 13;
constexpr int KAUDIO_MPC = 14;        // Musepack

// Bytes of a file's head searched for an MPEG frame pair, after any leading ID3v2 tag.
constexpr int KAUDIO_HEAD_BYTES = 64 * 1024;
// The largest leading ID3v2 tag handed to the tag library; larger ones are left unread.
constexpr long KAUDIO_MAX_ID3V2_BYTES = 16L * 1024 * 1024;
// The most a compressed ID3v2 frame may inflate to.
constexpr long KAUDIO_MAX_INFLATED_BYTES = 16L * 1024 * 1024;
// The deepest nesting of MP4 container atoms handed to the tag library (real files nest about 8).
constexpr int KAUDIO_MAX_ATOM_DEPTH = 32;
// The most chapter frames (CHAP, CTOC) an ID3v2 tag may hold; each can hold more frames.
constexpr int KAUDIO_MAX_CHAPTER_FRAMES = 1024;

// The format of the file behind `stream` by its signature (KAUDIO_*). Reads at most a leading
// ID3v2 tag's header and KAUDIO_HEAD_BYTES after it, so a gigabyte of zeros costs one read.
int KSniffAudio(TagLib::IOStream* stream);

// 1 when the tags of a file of `format` stay within the bounds above, so the tag library may read
// it; 0 when any does not (the file is then measured without its tags).
int KTagsWithinBounds(TagLib::IOStream* stream, int format);
