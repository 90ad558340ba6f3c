// The one reading loop behind CKXmlParserA (bytes) and CKXmlParserW (UTF-16 units), written once
// on the character type, with the option bits and the attribute limit both widths share.
//
// Bounds: the loop reads and writes only units in [text, text + length). The end of the range
// reads as a NUL, so a buffer that is not NUL-terminated at `length` (a UTF-16 file read with a
// single zero byte after it, an odd byte count) is safe. Every NUL written into the buffer lands
// on a unit that lies before a '>' or '<' already found, hence inside the range.
// This header uses nothing but the language, so the loop can also be built and checked off Windows.
#pragma once

// Option bits a delegate's GetOptions returns; read once at the start of a parse.
constexpr int KXML_KEEP_LEADING_SPACE = 0x1;    // keep white space at the start of character data
constexpr int KXML_KEEP_TRAILING_SPACE = 0x2;   // keep white space at the end of character data

// Attribute pairs recorded per tag; further attributes are read over and dropped.
constexpr int KXML_MAX_ATTRIBUTES = 32;

// Unit that "&middot;" decodes to: a black circle in UTF-16, a '-' in narrow text.
constexpr int KXML_MIDDOT_WIDE = 0x25CF;
constexpr int KXML_MIDDOT_NARROW = '-';
// Unit skipped once at the start of UTF-16 text; narrow text recognises no mark.
constexpr int KXML_BYTE_ORDER_MARK = 0xFEFF;

namespace KXmlDetail {

// TAB, LF, VT, FF, CR and space.
template <class Char>
inline bool IsSpace(Char c)
{
    return c == 32 || (c >= 9 && c <= 13);
}

// The unit at p, or NUL at and after the end of the range.
template <class Char>
inline Char At(const Char* p, const Char* end)
{
    return p < end ? *p : Char(0);
}

template <class Char>
inline Char* SkipSpace(Char* p, Char* end)
{
    while (p < end && IsSpace(*p))
        ++p;
    return p;
}

// Element and attribute names run up to white space, '=', '/', '<', '>' or NUL.
template <class Char>
inline Char* NameEnd(Char* p, Char* end)
{
    while (p < end) {
        Char c = *p;
        if (c == 0 || IsSpace(c) || c == '=' || c == '/' || c == '<' || c == '>')
            break;
        ++p;
    }
    return p;
}

// The first position from p that holds `unit` or a NUL, or the end of the range.
template <class Char>
inline Char* Scan(Char* p, Char* end, char unit)
{
    while (p < end && *p != 0 && *p != unit)
        ++p;
    return p;
}

// The number of units of the ASCII `word` when the text at p spells it, else 0.
template <class Char>
inline int Match(const Char* p, const Char* end, const char* word)
{
    int i = 0;
    for (; word[i]; ++i) {
        if (p + i >= end || p[i] != Char(word[i]))
            return 0;
    }
    return i;
}

// The first occurrence of the ASCII `word` from p, or none when a NUL or the end comes first.
template <class Char>
inline Char* FindWord(Char* p, Char* end, const char* word)
{
    for (; p < end && *p != 0; ++p) {
        if (Match(p, end, word))
            return p;
    }
    return nullptr;
}

// One entity of character data: its name after the '&' with the ';', and the unit it stands for.
struct Entity
{
    const char* name;
    int unit;
};

// Decodes the entity whose '&' is at p into *unit; returns the units it spans, 0 for no entity.
template <class Char>
inline int DecodeEntity(const Char* p, const Char* end, Char* unit)
{
    constexpr bool wide = sizeof(Char) > 1;
    static const Entity entities[] = {
        {"lt;", '<'},     {"gt;", '>'},     {"amp;", '&'},
        {"apos;", '\''},  {"quot;", '"'},   {"nbsp;", ' '},
        {"middot;", wide ? KXML_MIDDOT_WIDE : KXML_MIDDOT_NARROW},
    };
    for (const Entity& entity : entities) {
        int matched = Match(p + 1, end, entity.name);
        if (matched) {
            *unit = Char(entity.unit);
            return matched + 1;
        }
    }
    return 0;
}

// Where a step of the loop leaves the parse.
enum Step
{
    STEP_GO_ON,         // continue with the next construct
    STEP_END_OF_TEXT,   // nothing more can be read: the parse returns 1
    STEP_STOPPED,       // a delegate returned 0: the parse returns 0
};

// One attribute as found in the tag, before its name and value are terminated.
template <class Char>
struct AttributeSpan
{
    Char* name;
    Char* nameEnd;
    Char* value;
    Char* valueEnd;
};

// Reads the tag whose '<' is at *position, reports it and moves *position past its '>'.
template <class Char, class Delegate>
Step ReadTag(Delegate* delegate, Char** position, Char* end, const Char** element)
{
    Char* p = SkipSpace(*position + 1, end);
    bool closing = false;
    if (At(p, end) == '/') {
        closing = true;
        p = SkipSpace(p + 1, end);
    }
    Char* name = p;
    Char* nameEnd = NameEnd(p, end);
    p = nameEnd;

    // One cursor reads the attributes; where a requirement fails, the list ends and the cursor
    // stays, so "<a flag/>" is still an empty-element tag and an unterminated value ends the text.
    AttributeSpan<Char> spans[KXML_MAX_ATTRIBUTES];
    int count = 0;
    for (;;) {
        p = SkipSpace(p, end);
        Char c = At(p, end);
        if (c == 0 || c == '/' || c == '<' || c == '>')
            break;
        AttributeSpan<Char> span;
        span.name = p;
        span.nameEnd = p = NameEnd(p, end);
        p = SkipSpace(p, end);
        if (At(p, end) != '=')
            break;
        p = SkipSpace(p + 1, end);
        if (At(p, end) != '"')
            break;
        span.value = ++p;
        p = Scan(p, end, '"');
        if (At(p, end) != '"')
            break;
        span.valueEnd = p++;
        if (count < KXML_MAX_ATTRIBUTES)
            spans[count++] = span;
    }

    p = SkipSpace(p, end);
    bool empty = false;
    if (At(p, end) == '/') {
        empty = true;
        p = SkipSpace(p + 1, end);
    }
    Char* close = Scan(p, end, '>');
    if (At(close, end) != '>')
        return STEP_END_OF_TEXT;
    *position = close + 1;

    // Every end below lies at or before `close`, so these writes stay inside the tag.
    *nameEnd = 0;
    const Char* attributes[2 * KXML_MAX_ATTRIBUTES + 2];
    for (int i = 0; i < count; ++i) {
        *spans[i].nameEnd = 0;
        *spans[i].valueEnd = 0;
        attributes[2 * i] = spans[i].name;
        attributes[2 * i + 1] = spans[i].value;
    }
    attributes[2 * count] = nullptr;
    attributes[2 * count + 1] = nullptr;
    *element = name;

    if (!closing && !delegate->OnStartElement(name, attributes))
        return STEP_STOPPED;
    if ((closing || empty) && !delegate->OnEndElement(name))
        return STEP_STOPPED;
    return STEP_GO_ON;
}

// Decodes the character data at *position in place and reports it; *position stops at its '<'.
template <class Char, class Delegate>
Step ReadText(Delegate* delegate, Char** position, Char* end, const Char* element, int options)
{
    Char* start = *position;
    if (!(options & KXML_KEEP_LEADING_SPACE))
        start = SkipSpace(start, end);
    Char* read = start;
    Char* write = start;
    while (read < end && *read != 0 && *read != '<') {
        if (*read == '&') {
            Char unit;
            int span = DecodeEntity(read, end, &unit);
            if (span) {
                *write++ = unit;
                read += span;
                continue;
            }
        }
        *write++ = *read++;
    }
    // Data that runs into a NUL or the end of the text follows the last tag: never reported.
    if (read == end || *read == 0)
        return STEP_END_OF_TEXT;
    *position = read;

    Char* dataEnd = write;
    if (!(options & KXML_KEEP_TRAILING_SPACE)) {
        while (dataEnd > start && IsSpace(dataEnd[-1]))
            --dataEnd;
    }
    if (dataEnd == start)
        return STEP_GO_ON;
    // dataEnd <= read, which holds the '<': the terminator is restored after the call.
    Char saved = *dataEnd;
    *dataEnd = 0;
    int result = delegate->OnText(element, start, (int)(dataEnd - start));
    *dataEnd = saved;
    return result ? STEP_GO_ON : STEP_STOPPED;
}

} // namespace KXmlDetail

// The value of the first attribute pair whose name `compare`s equal to `name`, or none; the list
// is the one OnStartElement receives, ended by a null name.
template <class Char>
const Char* KFindAttributeT(const Char* name, const Char* const* attributes,
                            int (*compare)(const Char*, const Char*))
{
    if (!name || !attributes)
        return nullptr;
    for (; attributes[0]; attributes += 2) {
        if (compare(attributes[0], name) == 0)
            return attributes[1];
    }
    return nullptr;
}

// Parses `length` units of `text` in place and reports to `delegate`; returns 1 when the text was
// read to its end or to the first construct that cannot be read, 0 when a delegate returned 0 (or
// there is no delegate). Wide text (units wider than a byte) skips one leading byte-order mark.
template <class Char, class Delegate>
int KParseXmlT(Delegate* delegate, Char* text, int length)
{
    using namespace KXmlDetail;
    if (!delegate)
        return 0;
    const int options = delegate->GetOptions();
    if (!text || length <= 0)
        return 1;
    Char* end = text + length;
    Char* p = text;
    if constexpr (sizeof(Char) > 1) {
        if (*p == Char(KXML_BYTE_ORDER_MARK))
            ++p;
    }
    p = SkipSpace(p, end);
    const Char* element = nullptr;

    while (p < end) {
        Step step;
        if (*p == 0) {
            ++p;
            continue;
        }
        if (*p == '<' && (At(p + 1, end) == '!' || At(p + 1, end) == '?')) {
            // Comments, declarations and processing instructions: skipped, nothing reported.
            Char* close;
            if (Match(p + 1, end, "!--")) {
                close = FindWord(p + 4, end, "-->");
                if (!close)
                    return 1;
                p = close + 3;
            } else {
                close = Scan(p + 2, end, '>');
                if (At(close, end) != '>')
                    return 1;
                p = close + 1;
            }
            continue;
        }
        if (*p == '<')
            step = ReadTag(delegate, &p, end, &element);
        else
            step = ReadText(delegate, &p, end, element, options);
        if (step == STEP_END_OF_TEXT)
            return 1;
        if (step == STEP_STOPPED)
            return 0;
    }
    return 1;
}
