// PNG writing for the graphics tests (CRC-32, Adler-32, zlib stored blocks), the AppRes folder
// and pixel access.
#include "GraphicsTestSupport.h"

#include <windows.h>

#include "KTestSupport.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KPaths.h"
#include "graphics/CKImage.h"

namespace {

unsigned int Crc32(const unsigned char* data, size_t size, unsigned int crc = 0)
{
    static unsigned int table[256];
    if (!table[1]) {
        for (unsigned int n = 0; n < 256; ++n) {
            unsigned int c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    }
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBig32(std::vector<unsigned char>& out, unsigned int value)
{
    out.push_back((unsigned char)(value >> 24));
    out.push_back((unsigned char)(value >> 16));
    out.push_back((unsigned char)(value >> 8));
    out.push_back((unsigned char)value);
}

void PutChunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& data)
{
    PutBig32(out, (unsigned int)data.size());
    std::vector<unsigned char> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBig32(out, Crc32(body.data(), body.size()));
}

// zlib stream of stored (uncompressed) deflate blocks.
std::vector<unsigned char> Zlib(const std::vector<unsigned char>& raw)
{
    std::vector<unsigned char> out = {0x78, 0x01};
    size_t at = 0;
    do {
        const size_t chunk = raw.size() - at < 65535 ? raw.size() - at : 65535;
        const bool last = at + chunk == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back((unsigned char)chunk);
        out.push_back((unsigned char)(chunk >> 8));
        out.push_back((unsigned char)~chunk);
        out.push_back((unsigned char)(~chunk >> 8));
        out.insert(out.end(), raw.begin() + at, raw.begin() + at + chunk);
        at += chunk;
    } while (at < raw.size());
    unsigned int a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(out, b << 16 | a);
    return out;
}

std::vector<unsigned char> Png(int width, int height, int bitDepth, int colourType,
                               const std::vector<unsigned char>& raw)
{
    std::vector<unsigned char> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<unsigned char> header;
    PutBig32(header, (unsigned int)width);
    PutBig32(header, (unsigned int)height);
    header.push_back((unsigned char)bitDepth);
    header.push_back((unsigned char)colourType);
    header.push_back(0);   // deflate
    header.push_back(0);   // adaptive filtering
    header.push_back(0);   // not interlaced
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", Zlib(raw));
    PutChunk(out, "IEND", {});
    return out;
}

} // namespace

std::vector<unsigned char> MakePng(int width, int height, const std::vector<KTestRgba>& pixels)
{
    std::vector<unsigned char> raw;
    raw.reserve((size_t)height * (1 + 4 * (size_t)width));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);   // filter: none
        for (int x = 0; x < width; ++x) {
            const KTestRgba& p = pixels[(size_t)y * width + x];
            raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
        }
    }
    return Png(width, height, 8, 6, raw);
}

std::vector<unsigned char> MakeSolidPng(int width, int height, KTestRgba color)
{
    return MakePng(width, height, std::vector<KTestRgba>((size_t)width * height, color));
}

std::vector<unsigned char> MakeBitmapPng(int width, int height)
{
    const size_t rowBytes = 1 + ((size_t)width + 7) / 8;
    return Png(width, height, 1, 0, std::vector<unsigned char>(rowBytes * height, 0));
}

bool WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

KTestAppResFolder::KTestAppResFolder(const wchar_t* name) : folder(name)
{
    wchar_t buffer[KMAX_PATH];
    MakeAppResPath(buffer, nullptr);
    appRes = buffer;
    madeAppRes = CreateDirectoryW(appRes.c_str(), nullptr) != 0;
    dir = appRes + folder + L"\\";
    RemoveTree(dir);
    CreateDirectoryW(dir.c_str(), nullptr);
}

KTestAppResFolder::~KTestAppResFolder()
{
    RemoveTree(dir);
    if (madeAppRes)
        RemoveDirectoryW(appRes.c_str());
}

std::wstring KTestAppResFolder::LibraryPath(const wchar_t* name) const
{
    return folder + L"/" + name;
}

std::wstring KTestAppResFolder::Write(const wchar_t* name, const std::vector<unsigned char>& bytes) const
{
    std::wstring path = dir + name;
    WriteBytes(path, bytes);
    return path;
}

void KTestAppResFolder::Remove(const wchar_t* name) const
{
    DeleteFileW((dir + name).c_str());
}

unsigned int PixelAt(const CKImage& image, int x, int y)
{
    return reinterpret_cast<const unsigned int*>(image.GetRow(y))[x];
}

void SetPixels(CKImage& image, const std::vector<unsigned int>& pixels)
{
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            reinterpret_cast<unsigned int*>(image.GetRow(y))[x] =
                pixels[(size_t)y * image.GetWidth() + x];
}

KDensityScope::KDensityScope(int dpi)
{
    SetDevMetric(LogPixelsX, dpi);
}

KDensityScope::~KDensityScope()
{
    SetDevMetric(LogPixelsX, 160);
}
