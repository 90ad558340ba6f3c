// The library's own bilinear resampler for 32-bit pixels: the platform's stretch loses the alpha
// channel, so CKImage::StretchFrom scales 32-bit images with this instead.
#pragma once

// Scales sw x sh source pixels into dw x dh destination pixels (all at least 1). `src` and `dst`
// point at the first row to process; the strides are in bytes and may be negative (a bottom-up
// bitmap walked from its top row). All four bytes of a pixel are filtered alike, so premultiplied
// pixels stay premultiplied.
//
// Positions are 16.16 fixed point with 8-bit weights. The step is ((s - 1) << 16) / (d - 1) + 1,
// so the first and last destination pixels take the first and last source pixels exactly; pixels
// on the last source row or column interpolate along one axis only. A destination one pixel wide
// (high) takes its column (row) from the first source column (row).
void KResampleBilinear(unsigned char* dst, int dstStride, int dw, int dh, const unsigned char* src,
                       int srcStride, int sw, int sh);
