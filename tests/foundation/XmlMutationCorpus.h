// Deterministic malformed XML for the reader's robustness checks: seeds (hand-written samples and
// the real resource files), random mutations of them in both widths, and a delegate that checks
// every string the reader hands over lies inside the parse buffer. Plain C++ only, so the same
// corpus also drives the host build of the reading loop under the address and UB sanitizers
// (tools/xmlfuzz).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace XmlCorpus {

// Tricky constructs every mutation starts from, besides the resource files.
inline std::vector<std::string> HandWrittenSamples()
{
    std::string forty = "<r";
    for (int i = 0; i < 40; ++i)
        forty += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    forty += "/>";
    std::string deep;
    for (int i = 0; i < 500; ++i)
        deep += "<d a=\"1\">";
    deep += "x";
    for (int i = 0; i < 500; ++i)
        deep += "</d>";
    return {
        "<a x=\"1\" y = \"2\"/>",
        "<a x='1'>t</a>",
        forty,
        deep,
        "<p>  a &lt;b&gt; &middot; c &amp; &apos; &quot; &nbsp; &foo; &</p>",
        "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e \"v\">]><!-- a > b --><r>t</r>",
        "<a><b></a>tail",
        "<", "<!", "<!--", "<?", "<a", "</", "<a x", "<a x=", "<a x=\"", "<a x=\"1", "<a/",
        "<!-- -- ->", "<a>&", "<a>&middot", "< / a / >", "<a b=\"c\"d=\"e\"/>",
        "<Root><Item name=\"one\" value=\"&lt;1&gt;\">text</Item><Item/></Root>",
    };
}

// Library paths of the XML resource files used as seeds when they exist (narrow files, then the
// UTF-16 help texts), in the order both runners read them; spelled as in resources/ so that the
// host, whose file names are case-sensitive, finds the same files.
inline const std::vector<const char*>& ResourceXmlPaths()
{
    static const std::vector<const char*> paths = {
        "DevMetrics.xml",          "LmDrawable.xml",       "res/DrawableBT.xml",
        "res/DrawableCtrl.xml",    "res/DrawableDlg.xml",  "res/DrawableDot.xml",
        "res/DrawableLB.xml",      "res/DrawableMenu.xml", "res/DrawableSD.xml",
        "res/DrawableTB.xml",      "res/DrawableTC.xml",   "res/DrawableTitle.xml",
        "res/DrawableView.xml",    "HelpText.xml",         "HelpText.zh-CN.xml",
        "HelpText.zh-TW.xml",
    };
    return paths;
}

template <class Unit>
std::vector<Unit> Widen(const std::string& text)
{
    std::vector<Unit> units;
    for (unsigned char c : text)
        units.push_back(Unit(c));
    return units;
}

// The seeds of both widths. `Wide` is the platform's UTF-16 unit type.
template <class Wide>
struct SeedSet
{
    SeedSet()
    {
        for (const std::string& sample : HandWrittenSamples())
            Add(sample);
    }
    // A file's bytes: UTF-16LE with its mark becomes a wide seed (an odd last byte dropped); any
    // other file a narrow seed and, widened unit by unit, a wide one.
    void Add(const std::string& bytes)
    {
        if (bytes.size() >= 2 && (unsigned char)bytes[0] == 0xFF && (unsigned char)bytes[1] == 0xFE) {
            std::vector<Wide> units;
            for (size_t i = 0; i + 1 < bytes.size(); i += 2)
                units.push_back(Wide((unsigned char)bytes[i] | ((unsigned char)bytes[i + 1] << 8)));
            wide.push_back(units);
            return;
        }
        narrow.push_back(std::vector<char>(bytes.begin(), bytes.end()));
        wide.push_back(Widen<Wide>(bytes));
    }

    std::vector<std::vector<char>> narrow;
    std::vector<std::vector<Wide>> wide;
};

// xorshift32: the same sequence on every platform and every run.
class Random
{
public:
    explicit Random(uint32_t seed) : state(seed ? seed : 1) {}
    uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    // A number in 0..count-1 (0 for a count of 0).
    size_t Below(size_t count) { return count ? Next() % count : 0; }

private:
    uint32_t state;
};

// Units the mutations insert: the reader's syntax, white space, NUL, and (in wide text) the
// byte-order mark, the black circle and a lone surrogate.
template <class Unit>
std::vector<Unit> SpecialUnits()
{
    std::vector<Unit> units = {'<', '>', '/', '=', '"', '\'', '!', '?', '-', '&', ';',
                               ' ', '\t', '\r', '\n', 0, 'a', 'x'};
    if (sizeof(Unit) > 1) {
        units.push_back(Unit(0xFEFF));
        units.push_back(Unit(0x25CF));
        units.push_back(Unit(0xD800));
    } else {
        units.push_back(Unit(0xEF));
        units.push_back(Unit(0xFF));
    }
    return units;
}

// Fragments the mutations splice in.
inline const std::vector<std::string>& Snippets()
{
    static const std::vector<std::string> snippets = {
        "<!--", "-->", "<?", "<!", "<![CDATA[", "&lt;", "&middot;", "&amp", "=\"", "\"",
        "<a", "</", "/>", "<a x=\"1\"", " k = \"v\"", "<a b c d e f g h>",
    };
    return snippets;
}

// Applies one to eight random edits: replace, insert, delete or duplicate a range, cut the text,
// splice a snippet, a long attribute list or deep nesting in, or flip bits of a unit.
template <class Unit>
void Mutate(std::vector<Unit>& text, Random& random)
{
    static const std::vector<Unit> specials = SpecialUnits<Unit>();
    int edits = 1 + (int)random.Below(8);
    for (int e = 0; e < edits; ++e) {
        size_t at = random.Below(text.size() + 1);
        switch (random.Below(8)) {
        case 0:
            if (at < text.size())
                text[at] = specials[random.Below(specials.size())];
            break;
        case 1:
            text.insert(text.begin() + at, specials[random.Below(specials.size())]);
            break;
        case 2: {
            size_t count = 1 + random.Below(16);
            size_t last = at + count < text.size() ? at + count : text.size();
            text.erase(text.begin() + at, text.begin() + last);
            break;
        }
        case 3: {
            size_t from = random.Below(text.size() + 1);
            size_t count = random.Below(64);
            if (from + count > text.size())
                count = text.size() - from;
            std::vector<Unit> chunk(text.begin() + from, text.begin() + from + count);
            text.insert(text.begin() + at, chunk.begin(), chunk.end());
            break;
        }
        case 4:
            text.resize(at);
            break;
        case 5: {
            std::vector<Unit> snippet = Widen<Unit>(Snippets()[random.Below(Snippets().size())]);
            text.insert(text.begin() + at, snippet.begin(), snippet.end());
            break;
        }
        case 6: {
            std::string splice;
            if (random.Next() & 1) {
                splice = "<m";
                for (int i = 0, n = 30 + (int)random.Below(20); i < n; ++i)
                    splice += " n" + std::to_string(i) + "=\"v\"";
            } else {
                for (int i = 0, n = (int)random.Below(200); i < n; ++i)
                    splice += "<n>";
            }
            std::vector<Unit> units = Widen<Unit>(splice);
            text.insert(text.begin() + at, units.begin(), units.end());
            break;
        }
        default:
            if (at < text.size())
                text[at] = Unit(text[at] ^ Unit(1u << random.Below(8 * sizeof(Unit))));
            break;
        }
    }
}

// Short texts drawn from the special units alone: they reach the reader's corner states faster
// than mutations of well-formed files.
template <class Unit>
std::vector<Unit> RandomText(Random& random)
{
    static const std::vector<Unit> specials = SpecialUnits<Unit>();
    std::vector<Unit> text(random.Below(65));
    for (Unit& unit : text)
        unit = specials[random.Below(specials.size())];
    return text;
}

// The i-th input of the corpus built on `seeds`: mostly mutations of a seed, every fourth a
// random text. Deterministic in (seeds, index).
template <class Unit>
std::vector<Unit> MakeInput(const std::vector<std::vector<Unit>>& seeds, uint32_t index)
{
    Random random(0x9E3779B9u * (index + 1));
    if (index % 4 == 3 || seeds.empty())
        return RandomText<Unit>(random);
    std::vector<Unit> text = seeds[random.Below(seeds.size())];
    Mutate(text, random);
    return text;
}

// Inputs generated per width by both runners.
constexpr uint32_t INPUTS_PER_WIDTH = 3000;

// The delegate options the i-th input is parsed with: all four combinations in turn.
inline int OptionsFor(uint32_t index)
{
    return (int)(index % 4);
}

// The event at which the i-th input's delegate stops the parse: one input in seven stops early.
inline int StopAtFor(uint32_t index)
{
    return index % 7 == 0 ? (int)(index / 7 % 40) : -1;
}

// A delegate that checks every reported string against the buffer [begin, end): each must start
// inside it and find its NUL inside it, the attribute list must end with a null pair after at most
// `maxPairs` pairs, and the text length must match. It stops the parse at event `stopAt` (never
// when negative). Plug it into the reader directly (host) or behind the interfaces (Windows).
template <class Char>
class BoundsChecker
{
public:
    BoundsChecker(const Char* begin, const Char* end, int maxPairs, int stopAt)
        : begin(begin), end(end), maxPairs(maxPairs), stopAt(stopAt)
    {
    }

    int OnStartElement(const Char* name, const Char** attributes)
    {
        CheckString(name);
        int pairs = 0;
        for (; attributes[2 * pairs]; ++pairs) {
            if (pairs == maxPairs) {
                ++violations;
                return Event();
            }
            CheckString(attributes[2 * pairs]);
            CheckString(attributes[2 * pairs + 1]);
        }
        if (attributes[2 * pairs + 1])
            ++violations;
        return Event();
    }
    int OnEndElement(const Char* name)
    {
        CheckString(name);
        return Event();
    }
    int OnText(const Char* element, const Char* text, int length)
    {
        if (element)
            CheckString(element);
        if (CheckString(text) != length || length <= 0)
            ++violations;
        return Event();
    }
    int GetOptions() { return options; }
    // What the parse must return: 0 when this delegate stopped it, else 1.
    int ExpectedResult() const { return stopAt >= 0 && events > stopAt ? 0 : 1; }

    int options = 0;
    int events = 0;
    int violations = 0;

private:
    // The string's length when it lies inside the buffer with its NUL, else -1 (counted).
    int CheckString(const Char* s)
    {
        if (!s || s < begin || s >= end) {
            ++violations;
            return -1;
        }
        for (const Char* p = s; p < end; ++p) {
            if (*p == 0)
                return (int)(p - s);
        }
        ++violations;
        return -1;
    }
    int Event() { return events++ == stopAt ? 0 : 1; }

    const Char* begin;
    const Char* end;
    int maxPairs;
    int stopAt;
};

} // namespace XmlCorpus
