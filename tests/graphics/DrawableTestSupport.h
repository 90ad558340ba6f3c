// Helpers of the drawable tests: 32-bit target images to paint into and read back, drawing a
// drawable through a canvas bound to one, and loose drawable files under "AppRes\DrawableTest".
#pragma once
#include <windows.h>

#include <string>

#include "KFileFixtures.h"

class CKDrawable;
class CKImage;

// The pixel an opaque colour becomes in a 32-bit image (0xAARRGGBB).
unsigned int OpaquePixel(unsigned int r, unsigned int g, unsigned int b);

// (Re-)creates `image` as w x h at 32 bits with every pixel `pixel`.
void FillTarget(CKImage& image, int w, int h, unsigned int pixel);

// Draws `drawable` (its state set beforehand) into `rect` of `target` through a bound canvas.
void DrawInto(CKDrawable* drawable, CKImage& target, const RECT& rect, RECT* outRect);

// Number of pixels of `image` inside `box` that differ from `pixel`, and outside it.
int CountChangedInside(const CKImage& image, const RECT& box, unsigned int pixel);
int CountChangedOutside(const CKImage& image, const RECT& box, unsigned int pixel);

// A drawable file around `body` (the <Drawable> elements).
std::string DrawableFile(const std::string& body);

// A loose drawable file "DrawableTest/<name>" for the life of the object. Every test uses its own
// names: the registry keeps what it read until the process ends.
class KLooseDrawableFile
{
public:
    KLooseDrawableFile(const char* name, const std::string& bytes);
    // The library path the registry knows the file by, "DrawableTest/<name>".
    const char* GetFile() const { return file.c_str(); }
    // Replaces the file's content.
    void Rewrite(const std::string& bytes) const;

private:
    std::string file;
    KLooseFile loose;
};
