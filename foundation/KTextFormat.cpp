// FormatText of KText.h: the library's printf, bounded by the caller's capacity. The directives
// are parsed here so that "%s"/"%S" mean the same under every C runtime; numeric conversions are
// handed to the C runtime's snprintf one at a time and their text copied into the output.
#include "foundation/KText.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <type_traits>

#include "foundation/KMemory.h"

namespace {

// Widths and precisions above this are taken as this: rendering never needs more than a 64 KB
// scratch buffer, and no text of the library comes near it.
constexpr int MAX_FIELD = 65535;

// Length modifiers of a directive.
enum KLengthModifier
{
    LEN_DEFAULT,
    LEN_CHAR,        // hh
    LEN_SHORT,       // h
    LEN_LONG,        // l (32 bits on Windows)
    LEN_LONG_LONG,   // ll, I64
    LEN_LONG_DOUBLE, // L
    LEN_POINTER,     // z, t, I: pointer-sized
    LEN_MAX,         // j
    LEN_INT32,       // I32
};

struct KDirective
{
    bool left = false;       // '-': pad on the right
    bool plus = false;       // '+'
    bool space = false;      // ' '
    bool alternate = false;  // '#'
    bool zero = false;       // '0'
    int width = 0;
    int precision = -1;      // -1: none given
    KLengthModifier length = LEN_DEFAULT;
};

// Output bounded by the capacity; the last unit is kept for the NUL.
template <class C>
struct KSink
{
    C* buffer;
    int capacity;
    int length;

    void Put(C unit)
    {
        if (length < capacity - 1)
            buffer[length++] = unit;
    }
    void Repeat(C unit, int count)
    {
        for (int i = 0; i < count; ++i)
            Put(unit);
    }
};

// Text already in the output width, padded to the directive's width; the precision has been
// applied by the caller.
template <class C>
void EmitPadded(KSink<C>& out, const C* text, int length, const KDirective& d)
{
    int pad = d.width > length ? d.width - length : 0;
    if (!d.left)
        out.Repeat((C)' ', pad);
    for (int i = 0; i < length; ++i)
        out.Put(text[i]);
    if (d.left)
        out.Repeat((C)' ', pad);
}

// A string argument of the output's own width; the precision bounds how much of it is read.
template <class C>
void EmitString(KSink<C>& out, const C* text, const KDirective& d)
{
    static const C nullText[] = {'(', 'n', 'u', 'l', 'l', ')', 0};
    if (!text)
        text = nullText;
    int length = 0;
    while ((d.precision < 0 || length < d.precision) && text[length])
        ++length;
    EmitPadded(out, text, length, d);
}

// A string argument of the other width (`length` -1: up to its NUL), converted through UTF-8.
template <class C, class Other>
void EmitConverted(KSink<C>& out, const Other* text, int length, const KDirective& d)
{
    if (!text) {
        EmitString<C>(out, nullptr, d);
        return;
    }
    C local[256];
    C* converted = local;
    int needed = KConvertText(text, length, nullptr, 0);
    if (needed > (int)(sizeof(local) / sizeof(local[0]))) {
        converted = (C*)KAlloc((size_t)needed * sizeof(C));
        if (!converted)
            return;
    }
    int written = needed > 0 ? KConvertText(text, length, converted, needed) : 0;
    // A NUL-terminated conversion counts its NUL too.
    if (length < 0 && written > 0)
        --written;
    if (d.precision >= 0 && written > d.precision)
        written = d.precision;
    EmitPadded(out, converted, written, d);
    if (converted != local)
        KFree(converted);
}

// Appends the C runtime's rendering of one numeric conversion. `spec` holds a '*' for the width
// and, when `d.precision` >= 0, a ".*" for the precision.
template <class C, class T>
void EmitNumber(KSink<C>& out, const char* spec, const KDirective& d, T value)
{
    char local[128];
    char* text = local;
    int size = (int)sizeof(local);
    int length = 0;
    for (int pass = 0; pass < 2; ++pass) {
        length = d.precision >= 0 ? snprintf(text, (size_t)size, spec, d.width, d.precision, value)
                                  : snprintf(text, (size_t)size, spec, d.width, value);
        if (length < size)
            break;
        // Too long for the local buffer (a large width or precision): render once more on the heap.
        size = length + 1;
        text = (char*)KAlloc((size_t)size);
        if (!text)
            return;
    }
    for (int i = 0; i < length && i < size - 1; ++i)
        out.Put((C)(unsigned char)text[i]);
    if (text != local)
        KFree(text);
}

// Builds the snprintf spec of a directive: flags, "*", optional ".*", then `tail` (such as "lld").
void BuildSpec(char* spec, const KDirective& d, const char* tail)
{
    int n = 0;
    spec[n++] = '%';
    if (d.left)
        spec[n++] = '-';
    if (d.plus)
        spec[n++] = '+';
    if (d.space)
        spec[n++] = ' ';
    if (d.alternate)
        spec[n++] = '#';
    if (d.zero)
        spec[n++] = '0';
    spec[n++] = '*';
    if (d.precision >= 0) {
        spec[n++] = '.';
        spec[n++] = '*';
    }
    while (*tail)
        spec[n++] = *tail++;
    spec[n] = 0;
}

template <class C>
bool IsDigitUnit(C c)
{
    return c >= '0' && c <= '9';
}

// Parses the length modifier at `p`; returns the position after it.
template <class C>
const C* ParseLength(const C* p, KLengthModifier& length)
{
    if (p[0] == 'h' && p[1] == 'h') {
        length = LEN_CHAR;
        return p + 2;
    }
    if (p[0] == 'l' && p[1] == 'l') {
        length = LEN_LONG_LONG;
        return p + 2;
    }
    if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
        length = LEN_LONG_LONG;
        return p + 3;
    }
    if (p[0] == 'I' && p[1] == '3' && p[2] == '2') {
        length = LEN_INT32;
        return p + 3;
    }
    switch (p[0]) {
    case 'h': length = LEN_SHORT; break;
    case 'l': length = LEN_LONG; break;
    case 'L': length = LEN_LONG_DOUBLE; break;
    case 'z':
    case 't':
    case 'I': length = LEN_POINTER; break;
    case 'j': length = LEN_MAX; break;
    default: return p;
    }
    return p + 1;
}

// True for the units this output width calls "its own" string conversion: 's'/'c' for wide
// output, and the same letters for narrow output; the capital letters take the other width.
// The 'h' and 'l' modifiers force narrow and wide arguments respectively.
template <class C>
bool TakesOwnWidth(C conversion, KLengthModifier length)
{
    bool wideOutput = sizeof(C) == sizeof(wchar_t);
    if (length == LEN_SHORT)
        return !wideOutput;
    if (length == LEN_LONG)
        return wideOutput;
    return conversion == 's' || conversion == 'c';
}

template <class C>
int Format(C* buffer, int capacity, const C* format, va_list args)
{
    // The unit type of the string arguments of the other width.
    using Other = typename std::conditional<std::is_same<C, wchar_t>::value, char, wchar_t>::type;
    if (!buffer || capacity < 1)
        return 0;
    KSink<C> out = {buffer, capacity, 0};
    const C* p = format;
    while (p && *p) {
        if (*p != '%') {
            out.Put(*p++);
            continue;
        }
        const C* start = p++;
        KDirective d;
        for (;; ++p) {
            if (*p == '-')
                d.left = true;
            else if (*p == '+')
                d.plus = true;
            else if (*p == ' ')
                d.space = true;
            else if (*p == '#')
                d.alternate = true;
            else if (*p == '0')
                d.zero = true;
            else
                break;
        }
        if (*p == '*') {
            d.width = va_arg(args, int);
            if (d.width < 0) {
                d.left = true;
                d.width = d.width == INT32_MIN ? MAX_FIELD : -d.width;
            }
            ++p;
        } else {
            for (; IsDigitUnit(*p); ++p)
                if (d.width <= MAX_FIELD)
                    d.width = d.width * 10 + (*p - '0');
        }
        if (d.width > MAX_FIELD)
            d.width = MAX_FIELD;
        if (*p == '.') {
            ++p;
            d.precision = 0;
            if (*p == '*') {
                d.precision = va_arg(args, int);
                ++p;
            } else {
                for (; IsDigitUnit(*p); ++p)
                    if (d.precision <= MAX_FIELD)
                        d.precision = d.precision * 10 + (*p - '0');
            }
            if (d.precision > MAX_FIELD)
                d.precision = MAX_FIELD;
        }
        p = ParseLength(p, d.length);
        C conversion = *p;
        if (conversion)
            ++p;
        char spec[24];
        switch (conversion) {
        case 'd':
        case 'i': {
            long long v;
            switch (d.length) {
            case LEN_CHAR: v = (signed char)va_arg(args, int); break;
            case LEN_SHORT: v = (short)va_arg(args, int); break;
            case LEN_LONG: v = va_arg(args, long); break;
            case LEN_LONG_LONG: v = va_arg(args, long long); break;
            case LEN_POINTER: v = va_arg(args, ptrdiff_t); break;
            case LEN_MAX: v = va_arg(args, intmax_t); break;
            default: v = va_arg(args, int); break;
            }
            BuildSpec(spec, d, "lld");
            EmitNumber(out, spec, d, v);
            break;
        }
        case 'u':
        case 'o':
        case 'x':
        case 'X': {
            unsigned long long v;
            switch (d.length) {
            case LEN_CHAR: v = (unsigned char)va_arg(args, unsigned int); break;
            case LEN_SHORT: v = (unsigned short)va_arg(args, unsigned int); break;
            case LEN_LONG: v = va_arg(args, unsigned long); break;
            case LEN_LONG_LONG: v = va_arg(args, unsigned long long); break;
            case LEN_POINTER: v = va_arg(args, size_t); break;
            case LEN_MAX: v = va_arg(args, uintmax_t); break;
            default: v = va_arg(args, unsigned int); break;
            }
            const char tail[] = {'l', 'l', (char)conversion, 0};
            BuildSpec(spec, d, tail);
            EmitNumber(out, spec, d, v);
            break;
        }
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
        case 'a':
        case 'A': {
            double v = d.length == LEN_LONG_DOUBLE ? (double)va_arg(args, long double)
                                                  : va_arg(args, double);
            const char tail[] = {(char)conversion, 0};
            BuildSpec(spec, d, tail);
            EmitNumber(out, spec, d, v);
            break;
        }
        case 'p': {
            // Addresses print as all their hex digits, upper case, as the Windows runtimes do.
            constexpr int DIGITS = 2 * (int)sizeof(void*);
            char hexText[DIGITS + 1];
            snprintf(hexText, sizeof(hexText), "%0*llX", DIGITS,
                     (unsigned long long)(uintptr_t)va_arg(args, void*));
            C digits[DIGITS];
            for (int i = 0; i < DIGITS; ++i)
                digits[i] = (C)hexText[i];
            EmitPadded(out, digits, DIGITS, d);
            break;
        }
        case 'c':
        case 'C': {
            int v = va_arg(args, int);
            d.precision = -1;
            if (TakesOwnWidth(conversion, d.length)) {
                C unit = (C)v;
                EmitPadded(out, &unit, 1, d);
            } else {
                Other unit = (Other)v;
                EmitConverted(out, &unit, 1, d);
            }
            break;
        }
        case 's':
        case 'S':
            if (TakesOwnWidth(conversion, d.length))
                EmitString(out, va_arg(args, const C*), d);
            else
                EmitConverted(out, va_arg(args, const Other*), -1, d);
            break;
        case 'n':
            // Writing through an argument is never wanted from a format: consume it, print nothing.
            (void)va_arg(args, void*);
            break;
        case '%':
            out.Put((C)'%');
            break;
        default:
            // Not a directive: copy it as it stands.
            while (start < p)
                out.Put(*start++);
            break;
        }
    }
    buffer[out.length] = 0;
    return out.length;
}

} // namespace

int FormatTextV(wchar_t* buffer, int capacity, const wchar_t* format, va_list args)
{
    return Format(buffer, capacity, format, args);
}

int FormatTextV(char* buffer, int capacity, const char* format, va_list args)
{
    return Format(buffer, capacity, format, args);
}

int FormatText(wchar_t* buffer, int capacity, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    int length = Format(buffer, capacity, format, args);
    va_end(args);
    return length;
}

int FormatText(char* buffer, int capacity, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int length = Format(buffer, capacity, format, args);
    va_end(args);
    return length;
}
