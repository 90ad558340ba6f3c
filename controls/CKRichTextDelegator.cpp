// CKRichTextDelegator: the mark-up's elements and character data turned into a label's runs
// through the format stack.
#include "controls/CKRichTextDelegator.h"

#include "controls/CKRichLabel.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KText.h"
#include "graphics/CKFont.h"
#include "graphics/CKImage.h"
#include "graphics/CKImgList.h"
#include "graphics/KDrawableValues.h"
#include "graphics/KImageCache.h"

K_IMPLEMENT_CLASS(CKRichTextDelegator, CKObject)

namespace {

// Format entries are added this many at a time.
constexpr int FORMATS_GROW_BY = 8;
// Longest attribute value read as narrow text (a colour or a density name), bytes with the NUL.
constexpr int VALUE_CAPACITY = 64;

// The elements that push a format and whose end tags pop it.
bool IsFormatElement(const wchar_t* name)
{
    return KStrICmpW(name, L"Format") == 0 || KStrICmpW(name, L"B") == 0
        || KStrICmpW(name, L"U") == 0 || KStrICmpW(name, L"I") == 0
        || KStrICmpW(name, L"Notify") == 0;
}

// "a,b" into first and second; a text without ',' gives only `first` and `second` = 0.
void ParsePair(const wchar_t* text, int* first, int* second, bool* hasSecond)
{
    *first = KStrToIntW(text);
    const int comma = KStrChrW(text, L',', 0);
    *hasSecond = comma >= 0;
    *second = comma >= 0 ? KStrToIntW(text + comma + 1) : 0;
}

// The font of a format's level and style bits.
CKFont* FontOf(const KRichFormat& format)
{
    return GetFont(format.size, (format.flags & KRI_BOLD) != 0, (format.flags & KRI_UNDERLINE) != 0,
                   (format.flags & KRI_ITALIC) != 0);
}

} // namespace

CKRichTextDelegator::CKRichTextDelegator(CKRichLabel* label)
    : label(label), formats((int)sizeof(KRichFormat), FORMATS_GROW_BY)
{
    KRichFormat* bottom = static_cast<KRichFormat*>(formats.Add());
    if (bottom) {
        bottom->size = GetDevMetricF(FontSizeSmall);
        bottom->color = KCOLOR_BLACK;
        bottom->font = GetSmallFont();
    }
}

const KRichFormat* CKRichTextDelegator::GetTop() const
{
    return static_cast<const KRichFormat*>(formats.GetAt(formats.GetCount() - 1));
}

int CKRichTextDelegator::GetOptions()
{
    return KXML_KEEP_LEADING_SPACE | KXML_KEEP_TRAILING_SPACE;
}

int CKRichTextDelegator::ParseRichColor(const wchar_t* text, KColor* color)
{
    if (!text)
        return 0;
    // The drawable files' reader takes a colour in braces: the braces are added when missing.
    char narrow[VALUE_CAPACITY];
    narrow[0] = '{';
    if (!WideToUtf8(KSkipSpaceW(text), -1, narrow + 1, VALUE_CAPACITY - 1))
        return 0;
    const char* end = nullptr;
    return ParseColor(narrow[1] == '{' ? narrow + 1 : narrow, color, &end);
}

KRichFormat* CKRichTextDelegator::PushTop(unsigned int addFlags)
{
    const int count = formats.GetCount();
    KRichFormat* entry = static_cast<KRichFormat*>(formats.Add());
    if (!entry)
        return nullptr;
    *entry = *static_cast<const KRichFormat*>(formats.GetAt(count - 1));
    entry->flags |= addFlags;
    if (addFlags & (KRI_BOLD | KRI_UNDERLINE | KRI_ITALIC))
        entry->font = FontOf(*entry);
    return entry;
}

void CKRichTextDelegator::ApplyFormat(KRichFormat* format, const wchar_t* const* attributes)
{
    const wchar_t* align = CKXmlParserW::GetAttribute(L"align", attributes);
    if (align) {
        if (KStrCmpW(align, L"left") == 0)
            format->flags &= ~KRI_ALIGN_MASK;
        else if (KStrCmpW(align, L"right") == 0)
            format->flags = (format->flags & ~KRI_ALIGN_MASK) | KRI_ALIGN_RIGHT;
        else if (KStrCmpW(align, L"center") == 0)
            format->flags = (format->flags & ~KRI_ALIGN_MASK) | KRI_ALIGN_CENTER;
    }
    ParseRichColor(CKXmlParserW::GetAttribute(L"color", attributes), &format->color);
    const wchar_t* size = CKXmlParserW::GetAttribute(L"size", attributes);
    if (size) {
        // The font key keeps the level x 100 in 16 bits.
        const float level = ParseFontSize(size);
        format->size = level > KDRAWABLE_MAX_FONT_SIZE ? KDRAWABLE_MAX_FONT_SIZE : level;
    }
    format->font = FontOf(*format);
}

void CKRichTextDelegator::AddImage(const wchar_t* const* attributes)
{
    const wchar_t* name = CKXmlParserW::GetAttribute(L"name", attributes);
    if (!name || !name[0])
        return;
    int columns = 0;
    int rows = 0;
    bool hasSecond = false;
    const wchar_t* count = CKXmlParserW::GetAttribute(L"count", attributes);
    if (count) {
        ParsePair(count, &columns, &rows, &hasSecond);
        if (!hasSecond) {
            // "n": one column of n rows.
            rows = columns;
            columns = 1;
        }
    }
    int cellWidth = 0;
    int cellHeight = 0;
    const wchar_t* size = CKXmlParserW::GetAttribute(L"size", attributes);
    if (size)
        ParsePair(size, &cellWidth, &cellHeight, &hasSecond);
    const wchar_t* index = CKXmlParserW::GetAttribute(L"index", attributes);
    unsigned int density = 0;
    char keyword[VALUE_CAPACITY];
    const wchar_t* autoDensity = CKXmlParserW::GetAttribute(L"auto", attributes);
    if (autoDensity && WideToUtf8(autoDensity, -1, keyword, VALUE_CAPACITY))
        density = ParseDensityKeyword(keyword);

    CKImage* image;
    if (columns >= 1 && rows >= 1)
        image = GetImgListByGrid(columns, rows, name, KIMG_TYPE_AUTO, density);
    else if (cellWidth >= 1 && cellHeight >= 1)
        image = GetImgListByCell(cellWidth, cellHeight, name, KIMG_TYPE_AUTO, density);
    else
        image = GetImage(name, KIMG_TYPE_AUTO, density);
    if (image)
        label->AddImage(GetTop()->flags, image, index ? KStrToIntW(index) : -1);
}

void CKRichTextDelegator::AddRule(const wchar_t* const* attributes)
{
    const wchar_t* size = CKXmlParserW::GetAttribute(L"size", attributes);
    KColor color = KCOLOR_BLACK;
    ParseRichColor(CKXmlParserW::GetAttribute(L"color", attributes), &color);
    label->AddRule(0, size ? KStrToFloatW(size) : 1.0f, color);
}

int CKRichTextDelegator::OnStartElement(const wchar_t* name, const wchar_t** attributes)
{
    if (!label || !GetTop())
        return 0;
    if (KStrICmpW(name, L"Format") == 0) {
        KRichFormat* format = PushTop(0);
        if (!format)
            return 0;
        ApplyFormat(format, attributes);
    } else if (KStrICmpW(name, L"B") == 0) {
        return PushTop(KRI_BOLD) ? 1 : 0;
    } else if (KStrICmpW(name, L"U") == 0) {
        return PushTop(KRI_UNDERLINE) ? 1 : 0;
    } else if (KStrICmpW(name, L"I") == 0) {
        return PushTop(KRI_ITALIC) ? 1 : 0;
    } else if (KStrICmpW(name, L"Notify") == 0) {
        KRichFormat* format = PushTop(KRI_NOTIFY);
        if (!format)
            return 0;
        format->notifyId = KStrToIntW(CKXmlParserW::GetAttribute(L"ID", attributes));
    } else if (KStrICmpW(name, L"Image") == 0) {
        AddImage(attributes);
    } else if (KStrICmpW(name, L"Line") == 0) {
        AddRule(attributes);
    } else if (name[0] == L't') {
        // "t2": two tab stops; no digits (or fewer than one) gives one.
        label->AddTab(0, KStrToIntW(name + 1));
    }
    return 1;
}

int CKRichTextDelegator::OnEndElement(const wchar_t* name)
{
    if (IsFormatElement(name) && formats.GetCount() > 1)
        formats.RemoveAt(formats.GetCount() - 1, nullptr, nullptr);
    return 1;
}

int CKRichTextDelegator::OnText(const wchar_t*, const wchar_t* text, int length)
{
    const KRichFormat* top = GetTop();
    if (!label || !top)
        return 0;
    label->AddText(top->flags, text, length, top->font, top->color, top->notifyId);
    return 1;
}
