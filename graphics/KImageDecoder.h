// The platform image library (GDI+, flat interface) for the whole library: its start-up and
// shut-down under the library's one lock, and decoding a file or a stream into a 32-bit CKImage
// with premultiplied pixels.
#pragma once
#include <windows.h>
#include <objidl.h>

class CKImage;

// Creates the lock and starts GDI+ for the image module (its own token). Part of the image
// module's start-up step.
void KInitImageDecoder();
// Shuts the image module's GDI+ token down under the lock, then deletes the lock.
void KTermImageDecoder();

// Starts GDI+ for another module under the lock, storing that module's token; 1 on success. 0
// when GDI+ does not start or the lock does not exist (the image module is not started).
int KGdiplusStartup(ULONG_PTR* token);
// Shuts a token from KGdiplusStartup down under the lock and clears it; a cleared token is
// ignored.
void KGdiplusShutdown(ULONG_PTR* token);

// Decode a picture (any format GDI+ recognises from the data) into `image`, which Create makes
// 32-bit of the picture's size with pixels premultiplied by alpha. 1 on success; on failure the
// image is left empty (Destroy).
int KDecodeImageFile(CKImage* image, const wchar_t* path);
int KDecodeImageStream(CKImage* image, IStream* stream);
// The same for the bytes of a found "APPRES" resource, served through a KMemoryStream.
int KDecodeImageResource(CKImage* image, HRSRC resource);
