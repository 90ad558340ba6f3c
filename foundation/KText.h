// The library's text functions: UTF-8 <-> UTF-16 conversion, the locale name, and the string
// routines every module uses, each in a wide (UTF-16, suffix W) and a narrow (bytes, suffix A)
// form. Narrow text is UTF-8 throughout the library; the narrow forms never interpret it.
//
// Rules common to the routines below:
// - Lengths, counts and indexes are in units (wchar_t for W, bytes for A), the NUL not counted.
// - A null input string reads as the empty string; a null output buffer makes a call do nothing
//   and return 0 (or none).
// - Comparisons return the difference of the first differing units, taken as unsigned units
//   (so bytes 0x80..0xFF sort after ASCII), or 0 when equal.
// - Case changes and case-insensitive comparisons are ASCII-only: 'A'-'Z' and 'a'-'z' fold into
//   each other, nothing else does.
// - White space is TAB, LF, VT, FF, CR (9-13) and space (32).
#pragma once
#include <cstdarg>

// ---- Conversions ----

// MultiByteToWideChar with code page UTF-8 and no flags: `srcLength` -1 means NUL-terminated (the
// NUL is then converted and counted too). With a null `dst` and capacity 0 returns the units
// needed; otherwise the units written, 0 on failure (also when `dst` is too small).
int Utf8ToWide(const char* src, int srcLength, wchar_t* dst, int dstCapacity);
// WideCharToMultiByte with code page UTF-8, no flags and no default character; same contract.
int WideToUtf8(const wchar_t* src, int srcLength, char* dst, int dstCapacity);

// The two conversions under one overloaded name, for code written once for both widths.
inline int KConvertText(const char* src, int srcLength, wchar_t* dst, int dstCapacity)
{
    return Utf8ToWide(src, srcLength, dst, dstCapacity);
}
inline int KConvertText(const wchar_t* src, int srcLength, char* dst, int dstCapacity)
{
    return WideToUtf8(src, srcLength, dst, dstCapacity);
}

// Capacity, in characters with the NUL, of the buffer GetUserLocaleName fills.
constexpr int KLOCALE_NAME_CAPACITY = 16;
// The user's default locale name, such as "zh-CN", into a buffer of KLOCALE_NAME_CAPACITY
// characters; 1 on success, 0 otherwise (the buffer then holds the empty string).
int GetUserLocaleName(wchar_t* buffer);

// ---- Length, copy, duplicate ----

int KStrLenW(const wchar_t* s);
int KStrLenA(const char* s);

// Copies `src` with its NUL into `dst`; returns the length copied.
int KStrCpyW(wchar_t* dst, const wchar_t* src);
int KStrCpyA(char* dst, const char* src);

// Appends `src` to the text in `dst`; returns the length of the result.
int KStrCatW(wchar_t* dst, const wchar_t* src);
int KStrCatA(char* dst, const char* src);

// Writes exactly `count` units into `dst`: the units of `src` up to its NUL, then NULs for the
// rest. Important: when `src` has `count` units or more, `dst` gets no NUL. Returns the number of
// units taken from `src`.
int KStrNCpyW(wchar_t* dst, const wchar_t* src, int count);
int KStrNCpyA(char* dst, const char* src, int count);

// A NUL-terminated copy in a fresh KAlloc block (the caller frees it with KFree); none when
// `src` is null or memory ran out.
wchar_t* KStrDupW(const wchar_t* src);
char* KStrDupA(const char* src);
// The same for the first `count` units of `src` (fewer when its NUL comes first).
wchar_t* KStrNDupW(const wchar_t* src, int count);
char* KStrNDupA(const char* src, int count);

// ---- Comparison and case ----

int KStrCmpW(const wchar_t* a, const wchar_t* b);
int KStrCmpA(const char* a, const char* b);
// ASCII-only case-insensitive; the difference is taken after folding to lower case.
int KStrICmpW(const wchar_t* a, const wchar_t* b);
int KStrICmpA(const char* a, const char* b);
// A hash that agrees with KStrICmpW: texts equal under it hash alike (FNV-1a over the units
// folded to lower case), for tables that find texts under the ASCII folding.
unsigned int KStrIHashW(const wchar_t* s);
// Case-sensitive over at most `count` units.
int KStrNCmpW(const wchar_t* a, const wchar_t* b, int count);
int KStrNCmpA(const char* a, const char* b, int count);

// In-place ASCII case change; return `s`.
wchar_t* KStrLwrW(wchar_t* s);
char* KStrLwrA(char* s);
wchar_t* KStrUprW(wchar_t* s);
char* KStrUprA(char* s);

// ---- Scanning ----

// The first unit of `s` that is not white space.
const wchar_t* KSkipSpaceW(const wchar_t* s);
const char* KSkipSpaceA(const char* s);

// Index of the first `unit` at or after index `start`, or -1. A `start` beyond the end (or
// negative) gives -1; searching for NUL finds the terminator.
int KStrChrW(const wchar_t* s, wchar_t unit, int start);
int KStrChrA(const char* s, char unit, int start);
// Index of the last `unit` in the whole string, or -1.
int KStrRChrW(const wchar_t* s, wchar_t unit);
int KStrRChrA(const char* s, char unit);
// The same within the first `length` units (fewer when the NUL comes first).
int KStrRChrNW(const wchar_t* s, wchar_t unit, int length);
int KStrRChrNA(const char* s, char unit, int length);

// ---- Numbers ----

// Decimal text to a 32-bit integer: skips white space, one optional '+' or '-', then decimal
// digits up to the first non-digit. No digits gives 0 ("0x10" gives 0). Not overflow-checked:
// the value wraps modulo 2^32.
int KStrToIntW(const wchar_t* s);
int KStrToIntA(const char* s);

// Hexadecimal digits to an integer: skips white space, then takes 0-9, A-F, a-f up to the first
// other unit. No sign and no "0x" prefix ("0x10" gives 0); wraps modulo 2^32.
unsigned int KHexToIntW(const wchar_t* s);
unsigned int KHexToIntA(const char* s);

// Decimal text to a 32-bit float: skips white space; optional sign; integer digits, an optional
// '.' and fraction digits, an optional 'e'/'E' exponent with optional sign; stops at the first
// unit that fits none of these. Digits are gathered into an unsigned 32-bit mantissa only while
// it is below 268,435,457; further integer digits each raise the decimal exponent by one and
// further fraction digits are ignored. A zero mantissa gives 0.0. A result above the largest
// finite float gives +-3.4028235e38; a non-zero result below the smallest normal float
// (1.17549435e-38) gives 0.0.
float KStrToFloatW(const wchar_t* s);
float KStrToFloatA(const char* s);

// Units a buffer needs for any KIntToStr result: '-', 32 binary digits and the NUL.
constexpr int KINT_TEXT_CAPACITY = 34;
// Writes '-' for a negative value, then the magnitude's digits in `base` (2 to 36, digits
// "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ") most significant first, then a NUL; the most negative
// value is written correctly. Returns the length written; a base outside 2..36 writes the empty
// string and returns 0. `buffer` holds at least KINT_TEXT_CAPACITY units.
int KIntToStrW(int value, wchar_t* buffer, int base);
int KIntToStrA(int value, char* buffer, int base);

// ---- Formatting ----

// printf-style formatting into `buffer`, which holds `capacity` units with the NUL. Never writes
// past it: output that does not fit is cut, and the result is always NUL-terminated when
// `capacity` >= 1. Returns the units written without the NUL (0 for a null buffer or a capacity
// below 1).
//
// Conversions: d i u o x X c s S f F e E g G a A p %, with the flags - + space # 0, a width and
// a precision (either may be *), and the length modifiers hh h l ll L z j t I I32 I64.
// In the wide form "%s" takes a wide string and "%S" a narrow (UTF-8) one, "%c" a wide unit and
// "%C" a narrow one; in the narrow form the other way round (wide arguments are converted to
// UTF-8). A null string prints "(null)". Widths and precisions of strings count units of the
// output; widths and precisions above 65,535 are taken as 65,535. "%n" is not supported: its
// argument is skipped and nothing printed. An unknown directive is copied as it stands.
int FormatText(wchar_t* buffer, int capacity, const wchar_t* format, ...);
int FormatText(char* buffer, int capacity, const char* format, ...);
int FormatTextV(wchar_t* buffer, int capacity, const wchar_t* format, va_list args);
int FormatTextV(char* buffer, int capacity, const char* format, va_list args);
