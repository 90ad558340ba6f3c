// CKTagReader: one file's signature, bounds, TagLib file of that format, tags and length; and the
// legacy code-page readers TagLib is given for its 8-bit text fields.
#include "media/CKTagReader.h"

#include <windows.h>

#include <aifffile.h>
#include <apefile.h>
#include <asffile.h>
#include <flacfile.h>
#include <id3v1tag.h>
#include <id3v2tag.h>
#include <infotag.h>
#include <mp4file.h>
#include <mpcfile.h>
#include <mpegfile.h>
#include <oggflacfile.h>
#include <opusfile.h>
#include <speexfile.h>
#include <tfilestream.h>
#include <vorbisfile.h>
#include <wavfile.h>
#include <wavpackfile.h>

#include <memory>
#include <string>

#include "media/CKMediaInfo.h"
#include "media/KAudioHeader.h"

K_IMPLEMENT_CLASS(CKTagReader, CKObject)

namespace {

constexpr UINT LATIN1_CODE_PAGE = 28591;

// The system's ANSI code page when it is a multi-byte one (where legacy tags hold that encoding),
// else 0.
UINT LegacyCodePage()
{
    const UINT codePage = GetACP();
    CPINFO info;
    return GetCPInfo(codePage, &info) && info.MaxCharSize > 1 ? codePage : 0;
}

// Text of an 8-bit field, up to its first NUL: ASCII as it is; otherwise UTF-8 when `utf8` asks
// for it first and the bytes are valid UTF-8, then the legacy multi-byte code page when the bytes
// are valid in it, then ISO-8859-1 (which every byte is).
TagLib::String DecodeLegacy(const TagLib::ByteVector& data, bool utf8)
{
    const int length = (int)(data.find('\0') < 0 ? data.size() : (unsigned)data.find('\0'));
    bool ascii = true;
    for (int i = 0; i < length && ascii; i++)
        ascii = (unsigned char)data[i] < 0x80;
    if (length == 0 || ascii)
        return TagLib::String(data.mid(0, length), TagLib::String::Latin1);
    static const UINT legacy = LegacyCodePage();
    const UINT codePages[] = {utf8 ? (UINT)CP_UTF8 : 0, legacy, LATIN1_CODE_PAGE};
    for (UINT codePage : codePages) {
        if (!codePage)
            continue;
        const DWORD flags = codePage == LATIN1_CODE_PAGE ? 0 : MB_ERR_INVALID_CHARS;
        const int wide = MultiByteToWideChar(codePage, flags, data.data(), length, nullptr, 0);
        if (wide <= 0)
            continue;
        std::wstring text(wide, L'\0');
        MultiByteToWideChar(codePage, flags, data.data(), length, &text[0], wide);
        return TagLib::String(text);
    }
    return TagLib::String(data.mid(0, length), TagLib::String::Latin1);
}

// ID3v2 frames marked ISO-8859-1.
class KLegacyId3v2Text : public TagLib::ID3v2::Latin1StringHandler
{
public:
    TagLib::String parse(const TagLib::ByteVector& data) const override
    {
        return DecodeLegacy(data, false);
    }
};

// ID3v1 fields: fixed widths padded with NULs or spaces.
class KLegacyId3v1Text : public TagLib::ID3v1::StringHandler
{
public:
    TagLib::String parse(const TagLib::ByteVector& data) const override
    {
        return DecodeLegacy(data, false).stripWhiteSpace();
    }
};

// RIFF INFO fields: UTF-8 by today's writers, the legacy code page by older ones.
class KLegacyInfoText : public TagLib::RIFF::Info::StringHandler
{
public:
    TagLib::String parse(const TagLib::ByteVector& data) const override
    {
        return DecodeLegacy(data, true);
    }
};

// Gives TagLib the readers above, once per process (they are process-wide in TagLib and must
// outlive every read).
void InstallLegacyText()
{
    static KLegacyId3v2Text id3v2;
    static KLegacyId3v1Text id3v1;
    static KLegacyInfoText info;
    static const bool installed = [] {
        TagLib::ID3v2::Tag::setLatin1StringHandler(&id3v2);
        TagLib::ID3v1::Tag::setStringHandler(&id3v1);
        TagLib::RIFF::Info::Tag::setStringHandler(&info);
        return true;
    }();
    (void)installed;
}

// TagLib's file of `format` over `stream` (which it borrows), none for a format it does not read.
TagLib::File* OpenFormat(TagLib::IOStream* stream, int format)
{
    const bool properties = true;
    const auto style = TagLib::AudioProperties::Average;
    TagLib::ID3v2::FrameFactory* frames = TagLib::ID3v2::FrameFactory::instance();
    switch (format) {
    case KAUDIO_MPEG: return new TagLib::MPEG::File(stream, frames, properties, style);
    case KAUDIO_FLAC: return new TagLib::FLAC::File(stream, frames, properties, style);
    case KAUDIO_OGG_VORBIS: return new TagLib::Ogg::Vorbis::File(stream, properties, style);
    case KAUDIO_OGG_OPUS: return new TagLib::Ogg::Opus::File(stream, properties, style);
    case KAUDIO_OGG_FLAC: return new TagLib::Ogg::FLAC::File(stream, properties, style);
    case KAUDIO_OGG_SPEEX: return new TagLib::Ogg::Speex::File(stream, properties, style);
    case KAUDIO_WAV: return new TagLib::RIFF::WAV::File(stream, properties, style);
    case KAUDIO_AIFF: return new TagLib::RIFF::AIFF::File(stream, properties, style);
    case KAUDIO_MP4: return new TagLib::MP4::File(stream, properties, style);
    case KAUDIO_ASF: return new TagLib::ASF::File(stream, properties, style);
    case KAUDIO_APE: return new TagLib::APE::File(stream, properties, style);
    case KAUDIO_WAVPACK: return new TagLib::WavPack::File(stream, properties, style);
    case KAUDIO_MPC: return new TagLib::MPC::File(stream, properties, style);
    default: return nullptr;
    }
}

// The text with white space trimmed at both ends; empty when nothing else is left.
std::wstring Trimmed(const TagLib::String& text)
{
    const TagLib::String trimmed = text.stripWhiteSpace();
    return trimmed.isEmpty() ? std::wstring() : std::wstring(trimmed.toCWString());
}

// Reads an opened file of a known format into the record; KTAG_UNREAD when TagLib finds it
// invalid. TagLib reports problems by results, but its allocations can still throw on absurd
// sizes: that is a file it could not read, not the end of the program.
int ReadFile(TagLib::IOStream* stream, int format, CKMediaInfo* info)
{
    try {
        std::unique_ptr<TagLib::File> file(OpenFormat(stream, format));
        if (!file || !file->isValid())
            return KTAG_UNREAD;
        // A WAV file's tag() is its ID3v2 tag alone; its RIFF INFO comes second.
        const TagLib::RIFF::WAV::File* wav = format == KAUDIO_WAV
            ? static_cast<const TagLib::RIFF::WAV::File*>(file.get()) : nullptr;
        const TagLib::Tag* const tags[] = {file->tag(), wav ? wav->InfoTag() : nullptr};
        std::wstring title, artist, album;
        for (const TagLib::Tag* tag : tags) {
            if (!tag)
                continue;
            if (title.empty())
                title = Trimmed(tag->title());
            if (artist.empty())
                artist = Trimmed(tag->artist());
            if (album.empty())
                album = Trimmed(tag->album());
        }
        if (!title.empty())
            info->SetTitle(title.c_str());
        if (!artist.empty())
            info->SetArtist(artist.c_str());
        if (!album.empty())
            info->SetAlbum(album.c_str());
        const TagLib::AudioProperties* audio = file->audioProperties();
        if (audio && audio->lengthInMilliseconds() > 0)
            info->SetDuration(audio->lengthInMilliseconds());
        return KTAG_READ;
    } catch (...) {
        return KTAG_UNREAD;
    }
}

} // namespace

int CKTagReader::Read(const wchar_t* path, CKMediaInfo* info)
{
    if (!path || !info)
        return KTAG_NOT_AUDIO;
    InstallLegacyText();
    TagLib::FileStream stream(path, true);
    const int format = KSniffAudio(&stream);
    if (format == KAUDIO_NONE)
        return KTAG_NOT_AUDIO;
    if (format == KAUDIO_OTHER || !KTagsWithinBounds(&stream, format))
        return KTAG_UNREAD;
    stream.clear();
    stream.seek(0);
    return ReadFile(&stream, format, info);
}

int CKTagReader::IsAudioFile(const wchar_t* path)
{
    if (!path)
        return 0;
    TagLib::FileStream stream(path, true);
    return KSniffAudio(&stream) != KAUDIO_NONE;
}
