// The value syntax of the drawable files: numbers and lists, colours, booleans and keywords.
#include "graphics/KDrawableValues.h"

#include <climits>

#include "foundation/KDevMetrics.h"
#include "foundation/KText.h"
#include "graphics/CKDrawable.h"
#include "graphics/CKImage.h"
#include "graphics/KFace.h"

namespace {

struct KKeyword
{
    const char* name;
    unsigned int value;
};

const KKeyword STATE_KEYWORDS[] = {
    {"normal", 0},
    {"selected", KSTATE_SELECTED},
    {"focused", KSTATE_SELECTED},
    {"pressed", KSTATE_PRESSED},
    {"disabled", KSTATE_DISABLED},
};

const KKeyword MODE_KEYWORDS[] = {
    {"none", (unsigned int)KFILL_NONE << KFACE_MODE_SHIFT},
    {"solid", (unsigned int)KFILL_SOLID << KFACE_MODE_SHIFT},
    {"g1c2", (unsigned int)KFILL_G1C2 << KFACE_MODE_SHIFT},
    {"g2c3", (unsigned int)KFILL_G2C3 << KFACE_MODE_SHIFT},
    {"g2c4", (unsigned int)KFILL_G2C4 << KFACE_MODE_SHIFT},
    {"g3c4", (unsigned int)KFILL_G3C4 << KFACE_MODE_SHIFT},
    {"l2c2", (unsigned int)KFILL_L2C2 << KFACE_MODE_SHIFT},
};

const KKeyword GRADIENT_KEYWORDS[] = {
    {"vert", KFACE_VERTICAL},
};

const KKeyword DENSITY_KEYWORDS[] = {
    {"auto", KIMG_AUTO}, {"xhd", KIMG_XHD}, {"xxhd", KIMG_XXHD},
    {"hd", KIMG_HD},     {"md", KIMG_MD},   {"ld", KIMG_LD},
};

const KKeyword CORNER_KEYWORDS[] = {
    {"auto", KSTYLE_AUTO_CORNERS},
    {"rect", KCORNER_ALL},
    {"left", KCORNER_TOPLEFT | KCORNER_BOTTOMLEFT},
    {"right", KCORNER_TOPRIGHT | KCORNER_BOTTOMRIGHT},
    {"topleft", KCORNER_TOPLEFT},
    {"topright", KCORNER_TOPRIGHT},
    {"top", KCORNER_TOPLEFT | KCORNER_TOPRIGHT},
    {"bottomleft", KCORNER_BOTTOMLEFT},
    {"bottomright", KCORNER_BOTTOMRIGHT},
    {"bottom", KCORNER_BOTTOMLEFT | KCORNER_BOTTOMRIGHT},
};

const KKeyword EDGE_KEYWORDS[] = {
    {"auto", KSTYLE_AUTO_EDGES}, {"rect", KEDGE_ALL},  {"left", KEDGE_LEFT},
    {"right", KEDGE_RIGHT},      {"top", KEDGE_TOP},   {"bottom", KEDGE_BOTTOM},
};

template <int N>
int KeywordCount(const KKeyword (&)[N])
{
    return N;
}

bool IsBlank(char c)
{
    return c == ' ' || (c >= 9 && c <= 13);
}

// Finds the keyword spelled by the `length` characters at `item`; false when none is.
bool FindKeyword(const char* item, int length, const KKeyword* table, int count,
                 unsigned int* value)
{
    for (int i = 0; i < count; ++i) {
        if (KStrNCmpA(table[i].name, item, length) == 0 && table[i].name[length] == 0) {
            *value = table[i].value;
            return true;
        }
    }
    return false;
}

unsigned int ParseKeyword(const char* text, const KKeyword* table, int count)
{
    unsigned int value = 0;
    if (text && FindKeyword(text, KStrLenA(text), table, count, &value))
        return value;
    return 0;
}

unsigned int ParseKeywordList(const char* text, const KKeyword* table, int count)
{
    unsigned int result = 0;
    const char* p = text;
    while (p) {
        p = KSkipSpaceA(p);
        const char* end = p;
        while (*end && *end != ',')
            ++end;
        const char* last = end;
        while (last > p && IsBlank(last[-1]))
            --last;
        unsigned int value = 0;
        if (!FindKeyword(p, (int)(last - p), table, count, &value))
            break;
        result |= value;
        p = *end == ',' ? end + 1 : nullptr;
    }
    return result;
}

// Decimal integer: blanks, an optional sign, digits up to the first other character; saturated to
// the int range instead of wrapping, so that a huge number in a file stays huge.
int ReadInteger(const char* text)
{
    const char* p = KSkipSpaceA(text);
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (value <= INT_MAX)
            value = value * 10 + (*p - '0');
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return (int)value;
}

// Reads a comma-separated list, each item with `read` (which stops at the item's end by itself).
int ParseList(const char* text, int* values, int capacity, int (*read)(const char* item))
{
    if (!text || !values || *KSkipSpaceA(text) == 0)
        return 0;
    int count = 0;
    for (const char* p = text; p && count < capacity; ++count) {
        values[count] = read(p);
        const int comma = KStrChrA(p, ',', 0);
        p = comma >= 0 ? p + comma + 1 : nullptr;
    }
    return count;
}

unsigned int ColorComponent(const char* text)
{
    const int value = ReadInteger(text);
    return value < 0 ? 0 : value > 255 ? 255 : (unsigned int)value;
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

} // namespace

int ParseLengthValue(const char* text)
{
    const int pixels = TruncateFloat(ParseLength(text));
    if (pixels > KDRAWABLE_MAX_LENGTH)
        return KDRAWABLE_MAX_LENGTH;
    if (pixels < -KDRAWABLE_MAX_LENGTH)
        return -KDRAWABLE_MAX_LENGTH;
    return pixels;
}

int ParseLengthList(const char* text, int* values, int capacity)
{
    return ParseList(text, values, capacity, &ParseLengthValue);
}

int ParseIntList(const char* text, int* values, int capacity)
{
    return ParseList(text, values, capacity, &ReadInteger);
}

int ParseColor(const char* text, KColor* color, const char** end)
{
    if (!text)
        return 0;
    const char* p = KSkipSpaceA(text);
    if (*p != '{')
        return 0;
    ++p;
    const int close = KStrChrA(p, '}', 0);
    const char* stop = close >= 0 ? p + close : p + KStrLenA(p);
    p = KSkipSpaceA(p);
    if (*p == '#') {
        ++p;
        int digits = 0;
        while (p + digits < stop && IsHexDigit(p[digits]))
            ++digits;
        const unsigned int value = KHexToIntA(p);
        if (digits == 6)
            *color = KMakeColor(value >> 16, value >> 8, value, KALPHA_OPAQUE);
        else if (digits == 8)
            *color = KMakeColor(value >> 16, value >> 8, value, value >> 24);
        else
            *color = KCOLOR_BLACK;
    } else {
        unsigned int parts[4] = {0, 0, 0, KALPHA_OPAQUE};
        for (int i = 0; i < 4 && p < stop; ++i) {
            parts[i] = ColorComponent(p);
            while (p < stop && *p != ',')
                ++p;
            if (p < stop)
                ++p;
            else
                break;
        }
        *color = KMakeColor(parts[0], parts[1], parts[2], parts[3]);
    }
    if (end)
        *end = close >= 0 ? stop + 1 : stop;
    return 1;
}

int ParseColorList(const char* text, KColor colors[4])
{
    int count = 0;
    const char* p = text;
    KColor color = 0;
    while (ParseColor(p, &color, &p)) {
        if (count == 0) {
            for (int slot = 0; slot < 4; ++slot)
                colors[slot] = color;
        } else if (count < 4) {
            colors[count] = color;
        }
        ++count;
        p = KSkipSpaceA(p);
        if (*p != ',')
            break;
        ++p;
    }
    return count;
}

int ParseBool(const char* text, int missing)
{
    if (!text)
        return missing;
    return KStrICmpA(text, "true") == 0 || KStrCmpA(text, "1") == 0 ? 1 : 0;
}

unsigned int ParseStateKeyword(const char* text)
{
    return ParseKeyword(text, STATE_KEYWORDS, KeywordCount(STATE_KEYWORDS));
}

unsigned int ParseModeKeyword(const char* text)
{
    return ParseKeyword(text, MODE_KEYWORDS, KeywordCount(MODE_KEYWORDS));
}

unsigned int ParseGradientKeyword(const char* text)
{
    return ParseKeyword(text, GRADIENT_KEYWORDS, KeywordCount(GRADIENT_KEYWORDS));
}

unsigned int ParseDensityKeyword(const char* text)
{
    return ParseKeyword(text, DENSITY_KEYWORDS, KeywordCount(DENSITY_KEYWORDS));
}

unsigned int ParseCornerList(const char* text)
{
    return ParseKeywordList(text, CORNER_KEYWORDS, KeywordCount(CORNER_KEYWORDS));
}

unsigned int ParseEdgeList(const char* text)
{
    return ParseKeywordList(text, EDGE_KEYWORDS, KeywordCount(EDGE_KEYWORDS));
}
