// The density variants of an image file name ("X.png", "XMD.png", "X-md.png", "XHD.png" ...) and
// the order in which they are tried for the current Density.
#pragma once

// Tells whether a file or resource of that name exists: 1 or 0.
typedef int (*KVariantExistsProc)(const wchar_t* name);

// Tries the variants of `name` in the order that suits the current Density and returns the
// KIMG_* density bit of the first one `exists` accepts, with `name` changed in place to it; 0
// (name unchanged) when none exists or the file name has no '.' (no variants). `name` holds
// `capacity` units; a variant that would not fit is skipped.
//
// A variant is the name up to its last '.', the suffix, then the extension with its '.'. Orders:
//   Density 2 (and below): plain, MD, -md, HD, -hd, XHD, -xhd, XXHD, -xxhd
//   Density 3:             MD, -md, HD, -hd, plain, XHD, -xhd, XXHD, -xxhd
//   Density 4:             HD, -hd, XHD, -xhd, XXHD, -xxhd, MD, -md, plain
//   Density 5 and 6:       XHD, -xhd, XXHD, -xxhd, HD, -hd, MD, -md, plain
//   Density 7 and above:   XXHD, -xxhd, XHD, -xhd, HD, -hd, MD, -md, plain
// Densities between the authored ones (1, 5, 7) take the order of the next authored density
// above them: shrinking a larger picture loses less than enlarging a smaller one, and every
// density still finds whatever variant exists.
unsigned int FindVariant(wchar_t* name, int capacity, KVariantExistsProc exists);
