// The XML reader in both widths: what is reported for each construct, in-place decoding,
// options, stopping, and whole-file reading.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "foundation/CKXmlParserA.h"
#include "foundation/CKXmlParserW.h"
#include "foundation/KText.h"
#include "support/KTestSupport.h"

namespace {

// Writes one line per event: "start NAME [n=v ...]", "end NAME", "text ELEMENT 'TEXT'".
class RecorderA : public CKXmlDelegatorA
{
public:
    int OnStartElement(const char* name, const char** attributes) override
    {
        log += std::string("start ") + name + " [";
        for (int i = 0; attributes[2 * i]; ++i)
            log += std::string(i ? " " : "") + attributes[2 * i] + "=" + attributes[2 * i + 1];
        log += "]";
        if (lookup) {
            const char* value = CKXmlParserA::GetAttribute(lookup, attributes);
            log += std::string(" ") + lookup + ":" + (value ? value : "none");
        }
        log += "\n";
        return Go();
    }
    int OnEndElement(const char* name) override
    {
        log += std::string("end ") + name + "\n";
        return Go();
    }
    int OnText(const char* element, const char* text, int length) override
    {
        EXPECT_EQ(KStrLenA(text), length);
        log += std::string("text ") + (element ? element : "(none)") + " '" + text + "'\n";
        return Go();
    }
    int GetOptions() override { return options; }

    std::string log;
    int options = 0;
    const char* lookup = nullptr;   // attribute looked up with GetAttribute at every start tag
    int stopAt = -1;                // event that returns 0

private:
    int Go() { return events++ == stopAt ? 0 : 1; }
    int events = 0;
};

// The wide recorder logs in UTF-8 so that expectations read alike in both widths.
class RecorderW : public CKXmlDelegatorW
{
public:
    int OnStartElement(const wchar_t* name, const wchar_t** attributes) override
    {
        log += "start " + Narrow(name) + " [";
        for (int i = 0; attributes[2 * i]; ++i)
            log += (i ? " " : "") + Narrow(attributes[2 * i]) + "=" + Narrow(attributes[2 * i + 1]);
        log += "]";
        if (lookup) {
            const wchar_t* value = CKXmlParserW::GetAttribute(lookup, attributes);
            log += " " + Narrow(lookup) + ":" + (value ? Narrow(value) : "none");
        }
        log += "\n";
        return 1;
    }
    int OnEndElement(const wchar_t* name) override
    {
        log += "end " + Narrow(name) + "\n";
        return 1;
    }
    int OnText(const wchar_t* element, const wchar_t* text, int length) override
    {
        EXPECT_EQ(KStrLenW(text), length);
        log += "text " + (element ? Narrow(element) : "(none)") + " '" + Narrow(text) + "'\n";
        return 1;
    }
    int GetOptions() override { return options; }

    static std::string Narrow(const wchar_t* text)
    {
        char buffer[4096];
        int written = WideToUtf8(text, -1, buffer, sizeof(buffer));
        return written ? std::string(buffer) : std::string("?");
    }

    std::string log;
    int options = 0;
    const wchar_t* lookup = nullptr;
};

// Parses a copy of `xml` (NUL-terminated at its length, as callers provide it).
std::string ParseA(const std::string& xml, int options = 0, int* result = nullptr)
{
    RecorderA recorder;
    recorder.options = options;
    std::vector<char> buffer(xml.begin(), xml.end());
    buffer.push_back(0);
    CKXmlParserA parser(&recorder);
    int parsed = parser.Parse(buffer.data(), (int)xml.size());
    if (result)
        *result = parsed;
    return recorder.log;
}

std::string ParseW(const std::wstring& xml, int options = 0, int* result = nullptr)
{
    RecorderW recorder;
    recorder.options = options;
    std::vector<wchar_t> buffer(xml.begin(), xml.end());
    buffer.push_back(0);
    CKXmlParserW parser(&recorder);
    int parsed = parser.Parse(buffer.data(), (int)xml.size());
    if (result)
        *result = parsed;
    return recorder.log;
}

} // namespace

TEST(CKXmlParser, AttributesAreReadWithBlanksAroundTheEqualsSign)
{
    EXPECT_EQ(ParseA("<a x=\"1\" y = \"2\"/>"), "start a [x=1 y=2]\nend a\n");
    EXPECT_EQ(ParseW(L"<a x=\"1\" y = \"2\"/>"), "start a [x=1 y=2]\nend a\n");
    // Values take any character but the quote; entities stay as written in values.
    EXPECT_EQ(ParseA("<a v=\"<b> &lt; '='\"></a>"), "start a [v=<b> &lt; '=']\nend a\n");
    // Blanks after '<' and '/' and before '>' are allowed; the name runs up to a blank.
    EXPECT_EQ(ParseA("< a  k=\"v\" / >< / a >"), "start a [k=v]\nend a\nend a\n");
    // A closing tag reports its name only, whatever attributes it carries.
    EXPECT_EQ(ParseA("</a x=\"1\">"), "end a\n");
}

TEST(CKXmlParser, AnAttributeThatIsNotNameEqualsQuotedValueEndsTheList)
{
    EXPECT_EQ(ParseA("<a x='1'>"), "start a []\n");
    EXPECT_EQ(ParseA("<a x=\"1\" y='2' z=\"3\">"), "start a [x=1]\n");
    EXPECT_EQ(ParseA("<a x=\"1\" flag z=\"3\">"), "start a [x=1]\n");
    // Reading stops where the requirement failed: a '/' found there still makes the tag empty.
    EXPECT_EQ(ParseA("<a x=1 z=\"3\"/>"), "start a []\n");
    EXPECT_EQ(ParseA("<a flag/>"), "start a []\nend a\n");
    EXPECT_EQ(ParseA("<a x=\"1\" = \"2\"/>"), "start a [x=1 =2]\nend a\n");
    // An unterminated value runs to the end of the text: the tag is never reported.
    int result = 0;
    EXPECT_EQ(ParseA("<r/><a x=\"1\" y=\"2><b/>", 0, &result), "start r []\nend r\n");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ParseW(L"<a x='1'>"), "start a []\n");
}

TEST(CKXmlParser, ATagWithFortyAttributesReportsTheFirstThirtyTwo)
{
    std::string xml = "<r";
    std::string expected = "start r [";
    for (int i = 0; i < 40; ++i) {
        xml += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
        if (i < 32)
            expected += (i ? " a" : "a") + std::to_string(i) + "=" + std::to_string(i);
    }
    xml += "/><next/>";
    expected += "]\nend r\nstart next []\nend next\n";
    EXPECT_EQ(ParseA(xml), expected);

    RecorderA last;
    last.lookup = "a31";
    std::vector<char> buffer(xml.begin(), xml.end());
    buffer.push_back(0);
    CKXmlParserA(&last).Parse(buffer.data(), (int)xml.size());
    EXPECT_NE(last.log.find(" a31:31\n"), std::string::npos);
    RecorderA dropped;
    dropped.lookup = "a32";
    buffer.assign(xml.begin(), xml.end());
    buffer.push_back(0);
    CKXmlParserA(&dropped).Parse(buffer.data(), (int)xml.size());
    EXPECT_NE(dropped.log.find(" a32:none\n"), std::string::npos);

    std::wstring wide(xml.begin(), xml.end());
    EXPECT_EQ(ParseW(wide), expected);
}

TEST(CKXmlParser, GetAttributeFindsTheFirstPairByExactName)
{
    RecorderA recorder;
    recorder.lookup = "k";
    std::string xml = "<a K=\"upper\" k=\"first\" k=\"second\"/><b/>";
    std::vector<char> buffer(xml.begin(), xml.end());
    buffer.push_back(0);
    CKXmlParserA(&recorder).Parse(buffer.data(), (int)xml.size());
    EXPECT_EQ(recorder.log, "start a [K=upper k=first k=second] k:first\nend a\n"
                            "start b [] k:none\nend b\n");

    const char* pairs[] = {"x", "1", nullptr, nullptr};
    EXPECT_STREQ(CKXmlParserA::GetAttribute("x", pairs), "1");
    EXPECT_EQ(CKXmlParserA::GetAttribute(nullptr, pairs), nullptr);
    EXPECT_EQ(CKXmlParserA::GetAttribute("x", nullptr), nullptr);
    const wchar_t* widePairs[] = {L"x", L"1", L"y", L"2", nullptr, nullptr};
    EXPECT_STREQ(CKXmlParserW::GetAttribute(L"y", widePairs), L"2");
    EXPECT_EQ(CKXmlParserW::GetAttribute(L"Y", widePairs), nullptr);
}

TEST(CKXmlParser, TextIsEntityDecodedAndTrimmedByTheOptions)
{
    // "&middot;" is a black circle in UTF-16 and a '-' in narrow text.
    EXPECT_EQ(ParseA("<p>  a &lt;b&gt; &middot; c  </p>"), "start p []\ntext p 'a <b> - c'\nend p\n");
    EXPECT_EQ(ParseW(L"<p>  a &lt;b&gt; &middot; c  </p>"),
              "start p []\ntext p 'a <b> \xE2\x97\x8F c'\nend p\n");
    EXPECT_EQ(ParseA("<p>&amp;&apos;&quot;&nbsp;x</p>"), "start p []\ntext p '&'\" x'\nend p\n");
    // Unknown, unterminated and differently cased entities are copied unchanged.
    EXPECT_EQ(ParseA("<a>x&foo;y</a>"), "start a []\ntext a 'x&foo;y'\nend a\n");
    EXPECT_EQ(ParseA("<a>&LT; &lt &amp;lt;</a>"), "start a []\ntext a '&LT; &lt &lt;'\nend a\n");

    EXPECT_EQ(ParseA("<p> \t a \r\n</p>", 0), "start p []\ntext p 'a'\nend p\n");
    EXPECT_EQ(ParseA("<p> \t a \r\n</p>", KXML_KEEP_LEADING_SPACE),
              "start p []\ntext p ' \t a'\nend p\n");
    EXPECT_EQ(ParseA("<p> \t a \r\n</p>", KXML_KEEP_TRAILING_SPACE),
              "start p []\ntext p 'a \r\n'\nend p\n");
    EXPECT_EQ(ParseA("<p> \t a \r\n</p>", KXML_KEEP_LEADING_SPACE | KXML_KEEP_TRAILING_SPACE),
              "start p []\ntext p ' \t a \r\n'\nend p\n");
    // White space alone between tags is reported only when both ends are kept.
    EXPECT_EQ(ParseA("<a> \n </a>", 0), "start a []\nend a\n");
    EXPECT_EQ(ParseA("<a> \n </a>", KXML_KEEP_LEADING_SPACE), "start a []\nend a\n");
    EXPECT_EQ(ParseA("<a> \n </a>", KXML_KEEP_LEADING_SPACE | KXML_KEEP_TRAILING_SPACE),
              "start a []\ntext a ' \n '\nend a\n");
    // Leading white space is skipped before decoding and trailing white space dropped after it,
    // so a leading "&nbsp;" stays and a trailing one goes.
    EXPECT_EQ(ParseA("<a>&nbsp;x&nbsp;</a>"), "start a []\ntext a ' x'\nend a\n");
}

TEST(CKXmlParser, ParsingRewritesTheBufferInPlace)
{
    const char xml[] = "<a x=\"1\">b&amp;c</a>";
    std::vector<char> buffer(xml, xml + sizeof(xml));
    RecorderA recorder;
    EXPECT_EQ(CKXmlParserA(&recorder).Parse(buffer.data(), (int)sizeof(xml) - 1), 1);
    const char after[] = "<a\0x\0\"1\0>b&cmp;c</a\0";
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), std::string(after, sizeof(after)));
}

TEST(CKXmlParser, CommentsDeclarationsAndProcessingInstructionsAreSkipped)
{
    EXPECT_EQ(ParseA("<?xml version=\"1.0\"?><!DOCTYPE r><!-- a > b <c/> --><r>t</r>"),
              "start r []\ntext r 't'\nend r\n");
    // A declaration ends at its first '>': what follows it is character data.
    EXPECT_EQ(ParseA("<!DOCTYPE r [<!ENTITY e \"v\">]><r/>"), "text (none) ']>'\nstart r []\nend r\n");
    EXPECT_EQ(ParseA("<![CDATA[<x>]]><r/>"), "text (none) ']]>'\nstart r []\nend r\n");
    // "-->" is searched after the "<!--": "<!-->" opens a comment that the next "-->" closes.
    EXPECT_EQ(ParseA("<a/><!-->--><b/>"), "start a []\nend a\nstart b []\nend b\n");
    EXPECT_EQ(ParseA("<a><!-- x -- y --></a>"), "start a []\nend a\n");
    // Unterminated comments and declarations end the parse quietly.
    int result = 0;
    EXPECT_EQ(ParseA("<a/><!-- <b/>", 0, &result), "start a []\nend a\n");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ParseA("<a/><?pi <b/", 0, &result), "start a []\nend a\n");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ParseW(L"<!-- c --><?p?><w>&middot;</w>"), "start w []\ntext w '\xE2\x97\x8F'\nend w\n");
}

TEST(CKXmlParser, NestingIsNotCheckedAndHasNoDepthLimit)
{
    EXPECT_EQ(ParseA("<a><b></a>"), "start a []\nstart b []\nend a\n");
    // The current element is the last tag read, closing tags included.
    EXPECT_EQ(ParseA("<a><b/>x</a>"), "start a []\nstart b []\nend b\ntext b 'x'\nend a\n");
    EXPECT_EQ(ParseA("<a></z>y</a>"), "start a []\nend z\ntext z 'y'\nend a\n");

    std::string deep;
    for (int i = 0; i < 20000; ++i)
        deep += "<n>";
    for (int i = 0; i < 20000; ++i)
        deep += "</n>";
    std::string log = ParseA(deep);
    size_t starts = 0, ends = 0;
    for (size_t at = 0; (at = log.find("start n", at)) != std::string::npos; ++at)
        ++starts;
    for (size_t at = 0; (at = log.find("end n", at)) != std::string::npos; ++at)
        ++ends;
    EXPECT_EQ(starts, 20000u);
    EXPECT_EQ(ends, 20000u);
}

TEST(CKXmlParser, TextAfterTheLastTagAndUnreadableTagsAreNotReported)
{
    int result = 0;
    EXPECT_EQ(ParseA("<a/>tail", 0, &result), "start a []\nend a\n");
    EXPECT_EQ(result, 1);
    // Text before the first tag is reported with no element.
    EXPECT_EQ(ParseA("lead<a/>"), "text (none) 'lead'\nstart a []\nend a\n");
    for (const char* cut : {"<", "<a", "<a x", "<a x=\"1\"", "<a x=\"1", "</a", "<a/", "  "}) {
        EXPECT_EQ(ParseA(cut, 0, &result), "") << cut;
        EXPECT_EQ(result, 1) << cut;
    }
    EXPECT_EQ(ParseA("<a>open"), "start a []\n");
    EXPECT_EQ(ParseW(L"<"), "");
    EXPECT_EQ(ParseW(L"<a/>tail"), "start a []\nend a\n");
}

TEST(CKXmlParser, NulUnitsAreSteppedOverButEndCharacterData)
{
    const char between[] = "<a/>\0<b/>";
    EXPECT_EQ(ParseA(std::string(between, sizeof(between) - 1)),
              "start a []\nend a\nstart b []\nend b\n");
    // Character data that runs into a NUL ends the parse there.
    const char inText[] = "<a>x\0</a><b/>";
    EXPECT_EQ(ParseA(std::string(inText, sizeof(inText) - 1)), "start a []\n");
    // Length, not the first NUL, bounds the parse: the tail beyond `length` is never read.
    EXPECT_EQ(ParseA(std::string("<a/><b/>").substr(0, 6)), "start a []\nend a\n");
}

TEST(CKXmlParser, OnlyTheWideReaderSkipsOneByteOrderMark)
{
    EXPECT_EQ(ParseW(L"\xFEFF<a>x</a>"), ParseW(L"<a>x</a>"));
    EXPECT_EQ(ParseW(L"\xFEFF  <a/>"), "start a []\nend a\n");
    EXPECT_EQ(ParseW(L"\xFEFF\xFEFF<a/>"), "text (none) '\xEF\xBB\xBF'\nstart a []\nend a\n");
    EXPECT_EQ(ParseA("\xEF\xBB\xBF<a/>"), "text (none) '\xEF\xBB\xBF'\nstart a []\nend a\n");
}

TEST(CKXmlParser, ADelegateReturningZeroStopsTheParseWithZero)
{
    const char xml[] = "<a>t</a><b/>";
    const char* expected[] = {"start a []\n", "start a []\ntext a 't'\n",
                              "start a []\ntext a 't'\nend a\n",
                              "start a []\ntext a 't'\nend a\nstart b []\n"};
    for (int stopAt = 0; stopAt < 4; ++stopAt) {
        RecorderA recorder;
        recorder.stopAt = stopAt;
        std::vector<char> buffer(xml, xml + sizeof(xml));
        EXPECT_EQ(CKXmlParserA(&recorder).Parse(buffer.data(), (int)sizeof(xml) - 1), 0);
        EXPECT_EQ(recorder.log, expected[stopAt]);
        // The unit a text call terminated is restored even when the delegate stops.
        EXPECT_EQ(buffer[4], '<');
    }
    RecorderA recorder;
    std::vector<char> buffer(xml, xml + sizeof(xml));
    EXPECT_EQ(CKXmlParserA(&recorder).Parse(buffer.data(), (int)sizeof(xml) - 1), 1);

    char empty[] = "";
    EXPECT_EQ(CKXmlParserA(nullptr).Parse(buffer.data(), 4), 0);
    EXPECT_EQ(CKXmlParserA(&recorder).Parse(empty, 0), 1);
    EXPECT_EQ(CKXmlParserA(&recorder).Parse(nullptr, 5), 1);
    EXPECT_EQ(CKXmlParserW(nullptr).Parse(nullptr, 0), 0);
}

TEST(CKXmlParser, ParseFileReadsResourcesAndDiskFilesAndFailsOnMissingOnes)
{
    RecorderA recorder;
    CKXmlParserA parser(&recorder);
    EXPECT_EQ(parser.ParseFile(nullptr), 0);
    EXPECT_EQ(CKXmlParserA(nullptr).ParseFile(L"DevMetrics.xml"), 0);
    EXPECT_EQ(parser.ParseFile(L"NoSuchFile.xml"), 0);
    EXPECT_EQ(recorder.log, "");

    // The compiled-in resource.
    EXPECT_EQ(LoadXml(&recorder, L"DevMetrics.xml"), 1);
    EXPECT_NE(recorder.log.find("start DevMetrics []\n"), std::string::npos);
    EXPECT_NE(recorder.log.find("text TitleBarHeight '44LD'\n"), std::string::npos);
    EXPECT_EQ(recorder.log.find("text (none)"), std::string::npos);

    // A file on disk by absolute path; a delegate stopping makes ParseFile return 0.
    std::wstring dir = MakeTempDir(L"xml");
    std::wstring path = dir + L"doc.xml";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const char text[] = "<doc k=\"v\">&lt;x&gt;</doc>";
    DWORD written = 0;
    WriteFile(file, text, sizeof(text) - 1, &written, nullptr);
    CloseHandle(file);
    RecorderA fromDisk;
    EXPECT_EQ(CKXmlParserA(&fromDisk).ParseFile(path.c_str()), 1);
    EXPECT_EQ(fromDisk.log, "start doc [k=v]\ntext doc '<x>'\nend doc\n");
    RecorderA stopping;
    stopping.stopAt = 1;
    EXPECT_EQ(LoadXml(&stopping, path.c_str()), 0);
    RemoveTree(dir);
}
