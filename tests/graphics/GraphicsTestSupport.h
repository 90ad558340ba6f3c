// Helpers of the graphics tests: PNG files written byte by byte at test time (stored deflate
// blocks, so every pixel is exactly what the test asked for), a private folder under AppRes for
// loose image files, removed afterwards, and pixel access to 32-bit images.
#pragma once
#include <string>
#include <vector>

class CKImage;

// Sets LogPixelsX (and so Density: 80 dpi -> 1, 160 -> 2, 240 -> 3, 320 -> 4, 400 -> 5, 480 -> 6,
// 560 -> 7, 640 -> 8) for one scope and puts the preset 160 dpi back afterwards.
class KDensityScope
{
public:
    explicit KDensityScope(int dpi);
    ~KDensityScope();
};

// The 32-bit pixel at (x, y) (0, 0 = top left) as a value 0xAARRGGBB.
unsigned int PixelAt(const CKImage& image, int x, int y);
// Sets every pixel of a 32-bit image from `pixels`, rows top to bottom.
void SetPixels(CKImage& image, const std::vector<unsigned int>& pixels);

// One straight (not premultiplied) RGBA pixel.
struct KTestRgba
{
    unsigned char r, g, b, a;
};

// A PNG of colour type RGBA, 8 bits per sample, rows top to bottom.
std::vector<unsigned char> MakePng(int width, int height, const std::vector<KTestRgba>& pixels);
// A PNG of one colour.
std::vector<unsigned char> MakeSolidPng(int width, int height, KTestRgba color);
// A black-and-white PNG (1 bit per pixel, all black): small for its size, so that a huge picture
// costs a few megabytes of file.
std::vector<unsigned char> MakeBitmapPng(int width, int height);

bool WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);

// AppRes\<folder>\ beside the test executable for the lifetime of the object: loose files written
// there are found by library paths "<folder>/<name>". AppRes itself is removed afterwards when
// this object created it.
class KTestAppResFolder
{
public:
    explicit KTestAppResFolder(const wchar_t* folder);
    ~KTestAppResFolder();

    // The library path of a file in the folder: "<folder>/<name>".
    std::wstring LibraryPath(const wchar_t* name) const;
    // Writes a file into the folder; returns its absolute path.
    std::wstring Write(const wchar_t* name, const std::vector<unsigned char>& bytes) const;
    void Remove(const wchar_t* name) const;

    KTestAppResFolder(const KTestAppResFolder&) = delete;
    KTestAppResFolder& operator=(const KTestAppResFolder&) = delete;

private:
    std::wstring folder;
    std::wstring appRes;
    std::wstring dir;
    bool madeAppRes = false;
};
