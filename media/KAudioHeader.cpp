// KAudioHeader: audio signatures, the MPEG frame check, and the bounds on ID3v2 tags and MP4 atoms
// that are checked before the tag library reads a file.
//
// Index: byte helpers - MPEG frames - signatures - ID3v2 bounds - MP4 bounds.
#include "media/KAudioHeader.h"

#include <tfilestream.h>
#include <zlib.h>

#include <cstring>
#include <vector>

namespace {

constexpr int ID3V2_HEADER_BYTES = 10;
constexpr int ID3V2_FOOTER_FLAG = 0x10;            // version 4: a copy of the header ends the tag
constexpr int ID3V2_UNSYNC_FLAG = 0x80;            // versions 3 and 4: unsynchronised tag
constexpr int ID3V2_EXTENDED_FLAG = 0x40;          // versions 3 and 4: an extended header follows
constexpr int ID3V23_FRAME_COMPRESSED = 0x80;      // version 3 frame flags, second byte
constexpr int ID3V24_FRAME_COMPRESSED = 0x08;      // version 4 frame flags, second byte
constexpr int ID3V24_FRAME_UNSYNC = 0x02;
constexpr int ID3V24_FRAME_LENGTH_INDICATOR = 0x01;
constexpr int ID3V2_FRAME_HEADER_BYTES = 10;
constexpr int CHAPTER_TIMES_BYTES = 16;            // a chapter's start and end, time and offset
constexpr int INFLATE_CHUNK_BYTES = 64 * 1024;
constexpr int MP4_ATOM_HEADER_BYTES = 8;
constexpr long MP4_MAX_ATOMS = 100000;             // each is an object of the tag library
constexpr int OGG_PAGE_HEADER_BYTES = 27;

// ---- Byte helpers -------------------------------------------------------------------------------

unsigned long BigEndian32(const unsigned char* p)
{
    return ((unsigned long)p[0] << 24) | ((unsigned long)p[1] << 16) | ((unsigned long)p[2] << 8)
           | p[3];
}

// A "synchsafe" integer (seven bits a byte). Like the tag library, a value whose bytes are not
// all below 0x80 is taken as a plain big-endian one (some writers get this wrong).
unsigned long SyncSafe32(const unsigned char* p)
{
    if ((p[0] | p[1] | p[2] | p[3]) & 0x80)
        return BigEndian32(p);
    return ((unsigned long)p[0] << 21) | ((unsigned long)p[1] << 14) | ((unsigned long)p[2] << 7)
           | p[3];
}

bool Starts(const unsigned char* p, long size, const char* text)
{
    const long n = (long)strlen(text);
    return size >= n && memcmp(p, text, n) == 0;
}

// Reads `count` bytes at `offset`; the bytes actually read.
TagLib::ByteVector ReadAt(TagLib::IOStream* stream, long offset, unsigned long count)
{
    stream->clear();
    stream->seek(offset);
    return stream->readBlock(count);
}

// The whole size of a leading ID3v2 tag at `p`, header and footer included; 0 when none.
long Id3v2Bytes(const unsigned char* p, long size)
{
    if (!Starts(p, size, "ID3") || size < ID3V2_HEADER_BYTES)
        return 0;
    const long body = (long)(((p[6] & 0x7F) << 21) | ((p[7] & 0x7F) << 14)
                             | ((p[8] & 0x7F) << 7) | (p[9] & 0x7F));
    return ID3V2_HEADER_BYTES + body + ((p[5] & ID3V2_FOOTER_FLAG) ? ID3V2_HEADER_BYTES : 0);
}

// ---- MPEG frames --------------------------------------------------------------------------------

// Bit rates in kbit/s by [table][index]: MPEG-1 layers I, II, III, then MPEG-2/2.5 layer I, then
// MPEG-2/2.5 layers II and III.
constexpr int BIT_RATES[5][15] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
};
// Sample rates in Hz by [version: 0 MPEG-2.5, 2 MPEG-2, 3 MPEG-1][index].
constexpr int SAMPLE_RATES[4][3] = {
    {11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};

// The length in bytes of the MPEG audio frame whose header is at `p`; 0 when it is no header.
// Free-format frames (bit-rate index 0) have no length of their own and count as no header.
int MpegFrameBytes(const unsigned char* p)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return 0;
    const int version = (p[1] >> 3) & 3;   // 0 MPEG-2.5, 1 reserved, 2 MPEG-2, 3 MPEG-1
    const int layer = (p[1] >> 1) & 3;     // 1 layer III, 2 layer II, 3 layer I, 0 reserved
    const int rateIndex = p[2] >> 4;
    const int sampleIndex = (p[2] >> 2) & 3;
    if (version == 1 || layer == 0 || rateIndex == 0 || rateIndex == 15 || sampleIndex == 3)
        return 0;
    const int padding = (p[2] >> 1) & 1;
    const int table = version == 3 ? 3 - layer : (layer == 3 ? 3 : 4);
    const long bitRate = BIT_RATES[table][rateIndex] * 1000L;
    const long sampleRate = SAMPLE_RATES[version][sampleIndex];
    if (layer == 3)
        return (int)((12 * bitRate / sampleRate + padding) * 4);
    const int perSample = (layer == 1 && version != 3) ? 72 : 144;
    return (int)(perSample * bitRate / sampleRate + padding);
}

// The length of the ADTS (AAC) frame whose header is at `p` (7 bytes at least); 0 when none.
int AdtsFrameBytes(const unsigned char* p)
{
    if (p[0] != 0xFF || (p[1] & 0xF6) != 0xF0)
        return 0;
    return ((p[3] & 0x03) << 11) | (p[4] << 3) | (p[5] >> 5);
}

// 1 when `frameBytes` finds two frames in a row somewhere in the head: one stray sync word in
// random bytes is common, two chained ones are not.
int HasFramePair(const unsigned char* p, long size, int (*frameBytes)(const unsigned char*))
{
    for (long i = 0; i + 8 <= size; i++) {
        if (p[i] != 0xFF)
            continue;
        const int length = frameBytes(p + i);
        if (length >= 8 && i + length + 8 <= size && frameBytes(p + i + length) > 0)
            return 1;
    }
    return 0;
}

// ---- Signatures ---------------------------------------------------------------------------------

// The format of an Ogg stream by its first packet, which follows the first page's header and its
// segment table.
int OggFormat(const unsigned char* p, long size)
{
    if (size < OGG_PAGE_HEADER_BYTES)
        return KAUDIO_OTHER;
    const long packet = OGG_PAGE_HEADER_BYTES + p[OGG_PAGE_HEADER_BYTES - 1];
    if (packet >= size)
        return KAUDIO_OTHER;
    const unsigned char* q = p + packet;
    const long rest = size - packet;
    if (Starts(q, rest, "\x01vorbis"))
        return KAUDIO_OGG_VORBIS;
    if (Starts(q, rest, "OpusHead"))
        return KAUDIO_OGG_OPUS;
    if (Starts(q, rest, "\x7F" "FLAC"))
        return KAUDIO_OGG_FLAC;
    if (Starts(q, rest, "Speex   "))
        return KAUDIO_OGG_SPEEX;
    return KAUDIO_OTHER;
}

// The format by the bytes at the start of the audio data (after any ID3v2 tag).
int FormatOfHead(const unsigned char* p, long size)
{
    static const unsigned char ASF_HEADER[16] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                                 0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
    if (Starts(p, size, "fLaC"))
        return KAUDIO_FLAC;
    if (Starts(p, size, "OggS"))
        return OggFormat(p, size);
    if (size >= 12 && Starts(p, size, "RIFF"))
        return Starts(p + 8, 4, "WAVE") ? KAUDIO_WAV : (Starts(p + 8, 4, "RMID") ? KAUDIO_OTHER : KAUDIO_NONE);
    if (size >= 12 && Starts(p, size, "FORM"))
        return (Starts(p + 8, 4, "AIFF") || Starts(p + 8, 4, "AIFC")) ? KAUDIO_AIFF : KAUDIO_NONE;
    // MP4 files open with "ftyp"; older QuickTime-style ones with another top-level atom.
    for (const char* first : {"ftyp", "moov", "mdat", "wide", "free", "skip"})
        if (size >= 8 && Starts(p + 4, size - 4, first) && BigEndian32(p) >= 8)
            return KAUDIO_MP4;
    if (size >= 16 && memcmp(p, ASF_HEADER, sizeof ASF_HEADER) == 0)
        return KAUDIO_ASF;
    if (Starts(p, size, "MAC "))
        return KAUDIO_APE;
    if (Starts(p, size, "wvpk"))
        return KAUDIO_WAVPACK;
    if (Starts(p, size, "MPCK") || Starts(p, size, "MP+"))
        return KAUDIO_MPC;
    if (Starts(p, size, "MThd") || Starts(p, size, "caff") || Starts(p, size, ".snd")
        || Starts(p, size, "#!AMR") || Starts(p, size, "RF64"))
        return KAUDIO_OTHER;
    if (HasFramePair(p, size, MpegFrameBytes))
        return KAUDIO_MPEG;
    if (HasFramePair(p, size, AdtsFrameBytes))
        return KAUDIO_OTHER;
    return KAUDIO_NONE;
}

// ---- ID3v2 bounds -------------------------------------------------------------------------------

// Undoes unsynchronisation: every 0x00 that follows 0xFF goes.
std::vector<unsigned char> Resynchronise(const unsigned char* p, long size)
{
    std::vector<unsigned char> out;
    out.reserve(size);
    for (long i = 0; i < size; i++) {
        if (i > 0 && p[i] == 0x00 && p[i - 1] == 0xFF)
            continue;
        out.push_back(p[i]);
    }
    return out;
}

// 1 when the zlib stream inflates to at most `limit` bytes (or fails, as the library then finds
// too); 0 when it runs past the limit.
int InflatesWithin(const unsigned char* p, long size, long limit)
{
    z_stream z = {};
    if (inflateInit(&z) != Z_OK)
        return 1;
    std::vector<unsigned char> chunk(INFLATE_CHUNK_BYTES);
    z.next_in = const_cast<Bytef*>(p);
    z.avail_in = (uInt)size;
    long total = 0;
    int result = Z_OK;
    while (result == Z_OK && total <= limit) {
        z.next_out = chunk.data();
        z.avail_out = (uInt)chunk.size();
        result = inflate(&z, Z_NO_FLUSH);
        total += (long)(chunk.size() - z.avail_out);
        if (result == Z_BUF_ERROR || (result == Z_OK && z.avail_out != 0 && z.avail_in == 0))
            break;   // no more input: the library stops here too
    }
    inflateEnd(&z);
    return total <= limit;
}

// Where a chapter frame's own frames begin in its body, or -1 when they cannot.
long ChapterChildren(const unsigned char* id, const unsigned char* body, long size)
{
    const unsigned char* end = (const unsigned char*)memchr(body, 0, size);
    if (!end)
        return -1;
    long pos = (long)(end - body) + 1;
    if (memcmp(id, "CHAP", 4) == 0)
        return pos + CHAPTER_TIMES_BYTES <= size ? pos + CHAPTER_TIMES_BYTES : -1;
    if (pos + 2 > size)
        return -1;
    int entries = body[pos + 1];
    pos += 2;
    while (entries-- > 0 && pos < size) {
        const unsigned char* next = (const unsigned char*)memchr(body + pos, 0, size - pos);
        if (!next)
            return -1;
        pos = (long)(next - body) + 1;
    }
    return pos;
}

// Walks the frames of a version 3 or 4 tag body as the library will parse them: a compressed
// frame must inflate within bounds, chapter frames are counted and their own frames walked once
// (a chapter inside a chapter's frames, or a compressed chapter, is refused: the library would
// recurse as deep as the tag allows). 1 when every bound holds.
int FramesWithinBounds(const unsigned char* p, long size, int version, int nested, int* chapters)
{
    long pos = 0;
    while (pos + ID3V2_FRAME_HEADER_BYTES <= size && p[pos] != 0) {
        const unsigned char* id = p + pos;
        const unsigned long length = version == 4 ? SyncSafe32(id + 4) : BigEndian32(id + 4);
        const int flags = id[9];
        const unsigned char* body = id + ID3V2_FRAME_HEADER_BYTES;
        if (length > (unsigned long)(size - pos - ID3V2_FRAME_HEADER_BYTES))
            break;   // runs past the tag: the library stops here as well
        const bool compressed = (flags & (version == 4 ? ID3V24_FRAME_COMPRESSED
                                                       : ID3V23_FRAME_COMPRESSED)) != 0;
        const bool chapter = memcmp(id, "CHAP", 4) == 0 || memcmp(id, "CTOC", 4) == 0;
        if (chapter) {
            if (nested || compressed || ++*chapters > KAUDIO_MAX_CHAPTER_FRAMES)
                return 0;
            const long children = ChapterChildren(id, body, (long)length);
            if (children >= 0 && !FramesWithinBounds(body + children, (long)length - children,
                                                     version, 1, chapters))
                return 0;
        } else if (compressed) {
            // Version 3 puts the inflated size first; version 4 only with its length indicator.
            long skip = (version == 3 || (flags & ID3V24_FRAME_LENGTH_INDICATOR)) ? 4 : 0;
            if ((long)length > skip) {
                std::vector<unsigned char> plain;
                const unsigned char* data = body + skip;
                long dataSize = (long)length - skip;
                if (version == 4 && (flags & ID3V24_FRAME_UNSYNC)) {
                    plain = Resynchronise(data, dataSize);
                    data = plain.data();
                    dataSize = (long)plain.size();
                }
                if (!InflatesWithin(data, dataSize, KAUDIO_MAX_INFLATED_BYTES))
                    return 0;
            }
        }
        pos += ID3V2_FRAME_HEADER_BYTES + (long)length;
    }
    return 1;
}

// 1 when a leading ID3v2 tag is absent or within bounds.
int Id3v2WithinBounds(TagLib::IOStream* stream)
{
    const TagLib::ByteVector header = ReadAt(stream, 0, ID3V2_HEADER_BYTES);
    const unsigned char* h = (const unsigned char*)header.data();
    const long bytes = Id3v2Bytes(h, (long)header.size());
    if (bytes == 0)
        return 1;
    if (bytes > KAUDIO_MAX_ID3V2_BYTES)
        return 0;
    const int version = h[3];
    if (version != 3 && version != 4)
        return 1;   // version 2 frames have no compression and no chapters
    const long bodyBytes = bytes - ID3V2_HEADER_BYTES;
    const TagLib::ByteVector body = ReadAt(stream, ID3V2_HEADER_BYTES, (unsigned long)bodyBytes);
    const unsigned char* p = (const unsigned char*)body.data();
    long size = (long)body.size();
    std::vector<unsigned char> plain;
    if (version == 3 && (h[5] & ID3V2_UNSYNC_FLAG)) {
        plain = Resynchronise(p, size);
        p = plain.data();
        size = (long)plain.size();
    }
    if ((h[5] & ID3V2_EXTENDED_FLAG) && size >= 4) {
        // Version 3 counts the extended header without its size field, version 4 with it.
        const unsigned long extended =
            version == 4 ? SyncSafe32(p) : BigEndian32(p) + 4;
        if (extended > (unsigned long)size)
            return 1;   // the library finds no frames either
        p += extended;
        size -= (long)extended;
    }
    int chapters = 0;
    return FramesWithinBounds(p, size, version, 0, &chapters);
}

// ---- MP4 bounds ---------------------------------------------------------------------------------

bool IsContainerAtom(const char* name)
{
    static const char* const CONTAINERS[] = {"moov", "udta", "mdia", "meta", "ilst", "stbl",
                                             "minf", "moof", "traf", "trak", "stsd"};
    for (const char* container : CONTAINERS)
        if (memcmp(name, container, 4) == 0)
            return true;
    return false;
}

// Follows the atoms the way the tag library reads them (one object per atom, containers read
// recursively, the file position carried from one atom to the next): 1 when they nest at most
// KAUDIO_MAX_ATOM_DEPTH deep and number at most MP4_MAX_ATOMS.
int Mp4WithinBounds(TagLib::IOStream* stream)
{
    stream->clear();
    const long fileEnd = stream->length();
    long ends[KAUDIO_MAX_ATOM_DEPTH];
    int depth = 0;
    long pos = 0;
    for (long atoms = 0;; atoms++) {
        while (depth > 0 && pos >= ends[depth - 1])
            depth--;
        if (depth == 0 && pos + MP4_ATOM_HEADER_BYTES > fileEnd)
            return 1;
        if (atoms >= MP4_MAX_ATOMS)
            return 0;
        const TagLib::ByteVector header = ReadAt(stream, pos, MP4_ATOM_HEADER_BYTES);
        if (header.size() != MP4_ATOM_HEADER_BYTES)
            return 1;   // the library stops reading at a short header
        long length = (long)header.toUInt();
        long headerBytes = MP4_ATOM_HEADER_BYTES;
        if (length == 0) {
            length = fileEnd - pos;
        } else if (length == 1) {
            const TagLib::ByteVector wide = stream->readBlock(8);
            const long long longLength = wide.size() == 8 ? wide.toLongLong() : 0;
            if (longLength <= 0 || longLength > fileEnd)
                return 1;
            length = (long)longLength;
            headerBytes += 8;
        }
        if (length < MP4_ATOM_HEADER_BYTES)
            return 1;   // an invalid atom ends the library's reading
        const char* name = header.data() + 4;
        if (!IsContainerAtom(name)) {
            pos += length;
            continue;
        }
        if (depth == KAUDIO_MAX_ATOM_DEPTH)
            return 0;
        ends[depth++] = pos + length;
        long children = pos + headerBytes;
        if (memcmp(name, "meta", 4) == 0) {
            // A full atom (version and flags first) unless a known child follows at once.
            const TagLib::ByteVector next = ReadAt(stream, children, 8);
            static const char* const DIRECT[] = {"hdlr", "ilst", "mhdr", "ctry", "lang"};
            bool full = true;
            for (const char* child : DIRECT)
                if (next.size() == 8 && memcmp(next.data() + 4, child, 4) == 0)
                    full = false;
            children += full ? 4 : 0;
        } else if (memcmp(name, "stsd", 4) == 0) {
            children += 8;
        }
        pos = children;
    }
}

} // namespace

int KSniffAudio(TagLib::IOStream* stream)
{
    if (!stream || !stream->isOpen())
        return KAUDIO_NONE;
    const TagLib::ByteVector header = ReadAt(stream, 0, ID3V2_HEADER_BYTES);
    const long tagBytes = Id3v2Bytes((const unsigned char*)header.data(), (long)header.size());
    const TagLib::ByteVector head = ReadAt(stream, tagBytes, KAUDIO_HEAD_BYTES);
    const int format = FormatOfHead((const unsigned char*)head.data(), (long)head.size());
    // What follows an ID3v2 tag is audio that carries one: MPEG unless it says otherwise (the
    // frames may begin further on than the head reaches).
    if (tagBytes > 0 && format == KAUDIO_NONE)
        return KAUDIO_MPEG;
    return format;
}

int KTagsWithinBounds(TagLib::IOStream* stream, int format)
{
    if (!stream || !Id3v2WithinBounds(stream))
        return 0;
    if (format == KAUDIO_MP4)
        return Mp4WithinBounds(stream);
    return 1;
}
