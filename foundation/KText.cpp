// Conversions, string routines and number parsing of KText.h. Each routine is written once as a
// template over the unit type and instantiated for wchar_t (W) and char (A).
// Formatting lives in KTextFormat.cpp.
#include "foundation/KText.h"

#include <windows.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "foundation/KMemory.h"

namespace {

// Units compared and folded as unsigned values, so narrow bytes 0x80..0xFF are not negative.
template <class C>
unsigned int UnitValue(C c)
{
    return (unsigned int)(typename std::make_unsigned<C>::type)c;
}

template <class C>
C AsciiLower(C c)
{
    return (c >= 'A' && c <= 'Z') ? (C)(c - 'A' + 'a') : c;
}

template <class C>
C AsciiUpper(C c)
{
    return (c >= 'a' && c <= 'z') ? (C)(c - 'a' + 'A') : c;
}

template <class C>
bool IsSpace(C c)
{
    return (c >= 9 && c <= 13) || c == ' ';
}

template <class C>
bool IsDigit(C c)
{
    return c >= '0' && c <= '9';
}

template <class C>
int Len(const C* s)
{
    int n = 0;
    if (s)
        while (s[n])
            ++n;
    return n;
}

template <class C>
int Cpy(C* dst, const C* src)
{
    if (!dst)
        return 0;
    int n = Len(src);
    if (n)
        memmove(dst, src, (size_t)n * sizeof(C));
    dst[n] = 0;
    return n;
}

template <class C>
int Cat(C* dst, const C* src)
{
    if (!dst)
        return 0;
    int start = Len(dst);
    return start + Cpy(dst + start, src);
}

template <class C>
int NCpy(C* dst, const C* src, int count)
{
    if (!dst || count <= 0)
        return 0;
    int n = 0;
    if (src)
        while (n < count && src[n]) {
            dst[n] = src[n];
            ++n;
        }
    for (int i = n; i < count; ++i)
        dst[i] = 0;
    return n;
}

template <class C>
C* NDup(const C* src, int count)
{
    if (!src)
        return nullptr;
    int n = 0;
    while (n < count && src[n])
        ++n;
    C* copy = (C*)KAlloc(((size_t)n + 1) * sizeof(C));
    if (!copy)
        return nullptr;
    if (n)
        memcpy(copy, src, (size_t)n * sizeof(C));
    copy[n] = 0;
    return copy;
}

// Compares at most `count` units, folding case when `fold` is set.
template <class C>
int Compare(const C* a, const C* b, int count, bool fold)
{
    static const C empty[1] = {0};
    if (!a)
        a = empty;
    if (!b)
        b = empty;
    for (int i = 0; i < count; ++i) {
        C ca = fold ? AsciiLower(a[i]) : a[i];
        C cb = fold ? AsciiLower(b[i]) : b[i];
        if (ca != cb)
            return (int)UnitValue(ca) - (int)UnitValue(cb);
        if (!ca)
            break;
    }
    return 0;
}

constexpr int UNBOUNDED = 0x7FFFFFFF;

template <class C, class F>
C* MapInPlace(C* s, F change)
{
    if (s)
        for (C* p = s; *p; ++p)
            *p = change(*p);
    return s;
}

template <class C>
const C* SkipSpace(const C* s)
{
    if (s)
        while (IsSpace(*s))
            ++s;
    return s;
}

template <class C>
int Chr(const C* s, C unit, int start)
{
    if (!s || start < 0)
        return -1;
    for (int i = 0; i < start; ++i)
        if (!s[i])
            return -1;
    for (int i = start;; ++i) {
        if (s[i] == unit)
            return i;
        if (!s[i])
            return -1;
    }
}

template <class C>
int RChrN(const C* s, C unit, int length)
{
    if (!s)
        return -1;
    int found = -1;
    int i = 0;
    for (; i < length && s[i]; ++i)
        if (s[i] == unit)
            found = i;
    // The terminator itself is found only when it lies inside the searched length.
    if (unit == 0 && i < length)
        found = i;
    return found;
}

template <class C>
int ToInt(const C* s)
{
    s = SkipSpace(s);
    if (!s)
        return 0;
    bool negative = false;
    if (*s == '+' || *s == '-')
        negative = (*s++ == '-');
    unsigned int value = 0;
    for (; IsDigit(*s); ++s)
        value = value * 10u + (unsigned int)(*s - '0');
    return (int)(negative ? 0u - value : value);
}

template <class C>
int HexDigit(C c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

template <class C>
unsigned int HexToInt(const C* s)
{
    s = SkipSpace(s);
    unsigned int value = 0;
    if (s)
        for (int d; (d = HexDigit(*s)) >= 0; ++s)
            value = (value << 4) | (unsigned int)d;
    return value;
}

// The mantissa takes digits only while it is below this, so that one more digit still fits in
// 32 bits.
constexpr unsigned int MANTISSA_LIMIT = 268435457u;
// Exponents beyond this over- or underflow any float whatever the mantissa; clamping keeps the
// exponent arithmetic from overflowing on absurd inputs.
constexpr int EXPONENT_CLAMP = 100000;

template <class C>
float ToFloat(const C* s)
{
    s = SkipSpace(s);
    if (!s)
        return 0.0f;
    bool negative = false;
    if (*s == '+' || *s == '-')
        negative = (*s++ == '-');
    unsigned int mantissa = 0;
    int exponent = 0;
    for (; IsDigit(*s); ++s) {
        if (mantissa < MANTISSA_LIMIT)
            mantissa = mantissa * 10u + (unsigned int)(*s - '0');
        else if (exponent < EXPONENT_CLAMP)
            ++exponent;
    }
    if (*s == '.')
        for (++s; IsDigit(*s); ++s)
            if (mantissa < MANTISSA_LIMIT) {
                mantissa = mantissa * 10u + (unsigned int)(*s - '0');
                --exponent;
            }
    if (*s == 'e' || *s == 'E') {
        ++s;
        bool negativeExponent = false;
        if (*s == '+' || *s == '-')
            negativeExponent = (*s++ == '-');
        int written = 0;
        for (; IsDigit(*s); ++s)
            if (written < EXPONENT_CLAMP)
                written = written * 10 + (*s - '0');
        exponent += negativeExponent ? -written : written;
    }
    if (mantissa == 0)
        return 0.0f;
    double magnitude = (double)mantissa * pow(10.0, (double)exponent);
    float result;
    if (magnitude > (double)FLT_MAX)
        result = FLT_MAX;
    else if (magnitude < (double)FLT_MIN)
        result = 0.0f;
    else
        result = (float)magnitude;
    return negative ? -result : result;
}

template <class C>
int IntToStr(int value, C* buffer, int base)
{
    if (!buffer)
        return 0;
    if (base < 2 || base > 36) {
        buffer[0] = 0;
        return 0;
    }
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    // Work on the unsigned magnitude so that the most negative value needs no special case.
    unsigned int magnitude = value < 0 ? 0u - (unsigned int)value : (unsigned int)value;
    C reversed[KINT_TEXT_CAPACITY];
    int n = 0;
    do {
        reversed[n++] = (C)digits[magnitude % (unsigned int)base];
        magnitude /= (unsigned int)base;
    } while (magnitude);
    int length = 0;
    if (value < 0)
        buffer[length++] = '-';
    while (n)
        buffer[length++] = reversed[--n];
    buffer[length] = 0;
    return length;
}

} // namespace

// ---- Conversions ----

int Utf8ToWide(const char* src, int srcLength, wchar_t* dst, int dstCapacity)
{
    if (!src)
        return 0;
    return MultiByteToWideChar(CP_UTF8, 0, src, srcLength, dst, dstCapacity);
}

int WideToUtf8(const wchar_t* src, int srcLength, char* dst, int dstCapacity)
{
    if (!src)
        return 0;
    return WideCharToMultiByte(CP_UTF8, 0, src, srcLength, dst, dstCapacity, nullptr, nullptr);
}

int GetUserLocaleName(wchar_t* buffer)
{
    if (!buffer)
        return 0;
    if (GetUserDefaultLocaleName(buffer, KLOCALE_NAME_CAPACITY) > 0)
        return 1;
    buffer[0] = 0;
    return 0;
}

// ---- Length, copy, duplicate ----

int KStrLenW(const wchar_t* s) { return Len(s); }
int KStrLenA(const char* s) { return Len(s); }
int KStrCpyW(wchar_t* dst, const wchar_t* src) { return Cpy(dst, src); }
int KStrCpyA(char* dst, const char* src) { return Cpy(dst, src); }
int KStrCatW(wchar_t* dst, const wchar_t* src) { return Cat(dst, src); }
int KStrCatA(char* dst, const char* src) { return Cat(dst, src); }
int KStrNCpyW(wchar_t* dst, const wchar_t* src, int count) { return NCpy(dst, src, count); }
int KStrNCpyA(char* dst, const char* src, int count) { return NCpy(dst, src, count); }
wchar_t* KStrDupW(const wchar_t* src) { return NDup(src, UNBOUNDED); }
char* KStrDupA(const char* src) { return NDup(src, UNBOUNDED); }
wchar_t* KStrNDupW(const wchar_t* src, int count) { return NDup(src, count); }
char* KStrNDupA(const char* src, int count) { return NDup(src, count); }

// ---- Comparison and case ----

int KStrCmpW(const wchar_t* a, const wchar_t* b) { return Compare(a, b, UNBOUNDED, false); }
int KStrCmpA(const char* a, const char* b) { return Compare(a, b, UNBOUNDED, false); }
int KStrICmpW(const wchar_t* a, const wchar_t* b) { return Compare(a, b, UNBOUNDED, true); }
int KStrICmpA(const char* a, const char* b) { return Compare(a, b, UNBOUNDED, true); }
unsigned int KStrIHashW(const wchar_t* s)
{
    // FNV-1a's offset basis and prime.
    unsigned int hash = 2166136261u;
    for (; s && *s; ++s)
        hash = (hash ^ UnitValue(AsciiLower(*s))) * 16777619u;
    return hash;
}

int KStrNCmpW(const wchar_t* a, const wchar_t* b, int count) { return Compare(a, b, count, false); }
int KStrNCmpA(const char* a, const char* b, int count) { return Compare(a, b, count, false); }

wchar_t* KStrLwrW(wchar_t* s) { return MapInPlace(s, AsciiLower<wchar_t>); }
char* KStrLwrA(char* s) { return MapInPlace(s, AsciiLower<char>); }
wchar_t* KStrUprW(wchar_t* s) { return MapInPlace(s, AsciiUpper<wchar_t>); }
char* KStrUprA(char* s) { return MapInPlace(s, AsciiUpper<char>); }

// ---- Scanning ----

const wchar_t* KSkipSpaceW(const wchar_t* s) { return SkipSpace(s); }
const char* KSkipSpaceA(const char* s) { return SkipSpace(s); }
int KStrChrW(const wchar_t* s, wchar_t unit, int start) { return Chr(s, unit, start); }
int KStrChrA(const char* s, char unit, int start) { return Chr(s, unit, start); }
int KStrRChrW(const wchar_t* s, wchar_t unit) { return RChrN(s, unit, UNBOUNDED); }
int KStrRChrA(const char* s, char unit) { return RChrN(s, unit, UNBOUNDED); }
int KStrRChrNW(const wchar_t* s, wchar_t unit, int length) { return RChrN(s, unit, length); }
int KStrRChrNA(const char* s, char unit, int length) { return RChrN(s, unit, length); }

// ---- Numbers ----

int KStrToIntW(const wchar_t* s) { return ToInt(s); }
int KStrToIntA(const char* s) { return ToInt(s); }
unsigned int KHexToIntW(const wchar_t* s) { return HexToInt(s); }
unsigned int KHexToIntA(const char* s) { return HexToInt(s); }
float KStrToFloatW(const wchar_t* s) { return ToFloat(s); }
float KStrToFloatA(const char* s) { return ToFloat(s); }
int KIntToStrW(int value, wchar_t* buffer, int base) { return IntToStr(value, buffer, base); }
int KIntToStrA(int value, char* buffer, int base) { return IntToStr(value, buffer, base); }
