// CKDrawableXml: creating and registering drawables from a drawable file and applying their child
// elements.
#include "graphics/CKDrawableXml.h"

#include "foundation/KDevMetrics.h"
#include "foundation/KText.h"
#include "graphics/CKColorDrawable.h"
#include "graphics/CKFont.h"
#include "graphics/CKIconDrawable.h"
#include "graphics/CKImageDrawable.h"
#include "graphics/CKImgList.h"
#include "graphics/CKNullDrawable.h"
#include "graphics/CKTextDrawable.h"
#include "graphics/KDrawableRegistry.h"
#include "graphics/KDrawableValues.h"
#include "graphics/KImageCache.h"

K_IMPLEMENT_CLASS(CKDrawableXml, CKObject)

namespace {

const char* Attribute(const char* name, const char** attributes)
{
    return CKXmlParserA::GetAttribute(name, attributes);
}

// A library path from the file (UTF-8) into `path` (MAX_PATH units); false when it does not fit.
bool ToWidePath(const char* text, wchar_t* path)
{
    return text && Utf8ToWide(text, -1, path, MAX_PATH) > 0;
}

// The four lengths "left", "top", "right", "bottom" (missing: 0).
RECT ReadInsets(const char** attributes)
{
    const RECT insets = {ParseLengthValue(Attribute("left", attributes)),
                         ParseLengthValue(Attribute("top", attributes)),
                         ParseLengthValue(Attribute("right", attributes)),
                         ParseLengthValue(Attribute("bottom", attributes))};
    return insets;
}

// The six nine-patch values of "ninepatch" (missing: -1).
void ReadNinePatch(const char** attributes, int values[KPATCH_VALUES])
{
    for (int i = 0; i < KPATCH_VALUES; ++i)
        values[i] = -1;
    ParseLengthList(Attribute("ninepatch", attributes), values, KPATCH_VALUES);
}

} // namespace

int CKDrawableXml::Load(const char* file, const char* name)
{
    current = nullptr;
    found = nullptr;
    wchar_t path[MAX_PATH];
    if (!ToWidePath(file, path) || fileName.Assign(file) < 0 || wantedName.Assign(name) < 0)
        return 0;
    return LoadXml(this, path);
}

int CKDrawableXml::CreateDrawable(const char* className, const char* name)
{
    current = nullptr;
    KStringA key;
    if (key.Assign(fileName.GetBuffer(), fileName.GetLength()) < 0 || key.Append(":") < 0 ||
        key.Append(name) < 0 || LookupDrawable(key))
        return 0;
    CKDrawable* drawable = nullptr;
    if (KStrICmpA(className, "Text") == 0)
        drawable = new CKTextDrawable();
    else if (KStrICmpA(className, "Color") == 0)
        drawable = new CKColorDrawable();
    else if (KStrICmpA(className, "Image") == 0)
        drawable = new CKImageDrawable();
    else if (KStrICmpA(className, "Icon") == 0)
        drawable = new CKIconDrawable();
    else if (KStrICmpA(className, "Null") == 0)
        drawable = new CKNullDrawable();
    if (!drawable)
        return 0;
    if (!drawable->SetName(name) || !RegisterDrawable(key, drawable)) {
        delete drawable;
        return 0;
    }
    if (!found && wantedName.Compare(name) == 0)
        found = drawable;
    current = drawable;
    return 1;
}

int CKDrawableXml::OnStartElement(const char* element, const char** attributes)
{
    if (KStrICmpA(element, "Drawable") == 0) {
        const char* name = Attribute("name", attributes);
        const char* className = Attribute("class", attributes);
        if (!name || !className)
            return 1;
        return CreateDrawable(className, name);
    }
    if (!current)
        return 1;
    if (KStrICmpA(element, "Margin") == 0 || KStrICmpA(element, "Padding") == 0)
        ApplyInsets(element, attributes);
    else if (KStrICmpA(element, "MultiColor") == 0)
        ApplyMultiColor(attributes);
    else if (KStrICmpA(element, "Border") == 0)
        ApplyBorder(attributes);
    else if (KStrICmpA(element, "TextColor") == 0)
        ApplyTextColor(attributes);
    else if (KStrICmpA(element, "TextFont") == 0)
        ApplyTextFont(attributes);
    else if (KStrICmpA(element, "Image") == 0)
        ApplyImage(attributes);
    else if (KStrICmpA(element, "ImgList") == 0)
        ApplyImgList(attributes);
    return 1;
}

int CKDrawableXml::OnEndElement(const char* element)
{
    if (KStrICmpA(element, "Drawable") == 0)
        current = nullptr;
    return 1;
}

int CKDrawableXml::OnText(const char*, const char*, int)
{
    return 1;
}

void CKDrawableXml::ApplyInsets(const char* element, const char** attributes)
{
    const RECT insets = ReadInsets(attributes);
    if (KStrICmpA(element, "Margin") == 0)
        current->SetMargin(insets);
    else
        current->SetPadding(insets);
}

void CKDrawableXml::ApplyMultiColor(const char** attributes)
{
    if (!current->IsKindOf(K_RUNTIME_CLASS(CKColorDrawable)))
        return;
    CKColorDrawable* color = static_cast<CKColorDrawable*>(current);
    KFace face = {};
    face.flags = ParseModeKeyword(Attribute("mode", attributes)) |
                 ParseGradientKeyword(Attribute("gradient", attributes));
    ParseColorList(Attribute("color", attributes), face.color);
    int round[2] = {0, 0};   // one value: the height stays 0
    ParseLengthList(Attribute("round", attributes), round, 2);
    face.roundW = round[0];
    face.roundH = round[1];
    const char* lines = Attribute("lines", attributes);
    if (lines) {
        // The stripe thicknesses of "l2c2" live in the last two colour slots.
        int thickness[2] = {0, 0};
        ParseLengthList(lines, thickness, 2);
        face.color[2] = (KColor)thickness[0];
        face.color[3] = (KColor)thickness[1];
    }
    const char* corners = Attribute("redge", attributes);
    unsigned int cornerBits = 0;
    if (corners)
        cornerBits = ParseCornerList(corners);
    else if (face.roundW > 0)
        cornerBits = KCORNER_ALL;
    color->SetFace(ParseStateKeyword(Attribute("state", attributes)), face);
    color->SetStyle(color->GetStyle() | cornerBits);
}

void CKDrawableXml::ApplyBorder(const char** attributes)
{
    if (!current->IsKindOf(K_RUNTIME_CLASS(CKColorDrawable)))
        return;
    CKColorDrawable* color = static_cast<CKColorDrawable*>(current);
    const char* size = Attribute("size", attributes);
    const char* sides = Attribute("edge", attributes);
    KColor colors[KSLOT_COUNT] = {};
    ParseColorList(Attribute("color", attributes), colors);
    // Without "size" the border is one pixel wide; without "edge" it runs on all four sides.
    color->SetBorder(size ? ParseLengthValue(size) : 1, colors);
    color->SetStyle(color->GetStyle() | (sides ? ParseEdgeList(sides) : KEDGE_ALL));
}

void CKDrawableXml::ApplyTextColor(const char** attributes)
{
    if (!current->IsKindOf(K_RUNTIME_CLASS(CKTextDrawable)))
        return;
    KColor colors[KSLOT_COUNT] = {};
    ParseColorList(Attribute("color", attributes), colors);
    static_cast<CKTextDrawable*>(current)->SetTextColors(colors);
}

void CKDrawableXml::ApplyTextFont(const char** attributes)
{
    if (!current->IsKindOf(K_RUNTIME_CLASS(CKTextDrawable)))
        return;
    float size = ParseFontSize(Attribute("size", attributes));
    if (size > KDRAWABLE_MAX_FONT_SIZE)
        size = KDRAWABLE_MAX_FONT_SIZE;
    CKFont* font = GetFont(size, ParseBool(Attribute("bold", attributes), 0),
                           ParseBool(Attribute("underline", attributes), 0),
                           ParseBool(Attribute("italic", attributes), 0));
    static_cast<CKTextDrawable*>(current)->SetFont(font);
}

void CKDrawableXml::ApplyImage(const char** attributes)
{
    const bool isImage = current->IsKindOf(K_RUNTIME_CLASS(CKImageDrawable)) != 0;
    if (!isImage && !current->IsKindOf(K_RUNTIME_CLASS(CKIconDrawable)))
        return;
    wchar_t path[MAX_PATH];
    CKImage* image = nullptr;
    if (ToWidePath(Attribute("src", attributes), path))
        image = GetImage(path, KIMG_TYPE_AUTO, ParseDensityKeyword(Attribute("auto", attributes)));
    int bounds[4] = {0, 0, 0, 0};
    ParseLengthList(Attribute("rect", attributes), bounds, 4);
    const RECT srcRect = {bounds[0], bounds[1], bounds[2], bounds[3]};
    if (isImage) {
        CKImageDrawable* drawable = static_cast<CKImageDrawable*>(current);
        int ninePatch[KPATCH_VALUES];
        ReadNinePatch(attributes, ninePatch);
        drawable->SetImage(image);
        drawable->SetSrcRect(srcRect);
        drawable->SetNinePatch(ninePatch, ParseBool(Attribute("hascenter", attributes), 1));
    } else {
        CKIconDrawable* drawable = static_cast<CKIconDrawable*>(current);
        drawable->SetImage(image);
        drawable->SetSrcRect(srcRect);
    }
}

void CKDrawableXml::ApplyImgList(const char** attributes)
{
    const bool isImage = current->IsKindOf(K_RUNTIME_CLASS(CKImageDrawable)) != 0;
    if (!isImage && !current->IsKindOf(K_RUNTIME_CLASS(CKIconDrawable)))
        return;
    // "n" stands for the grid "1,n": one column of n cells.
    int grid[2] = {0, 0};
    if (ParseIntList(Attribute("count", attributes), grid, 2) == 1) {
        grid[1] = grid[0];
        grid[0] = 1;
    }
    int cellSize[2] = {0, 0};
    ParseIntList(Attribute("size", attributes), cellSize, 2);
    // The first index fills all four slots; later ones replace the second, third and fourth.
    int values[KSLOT_COUNT] = {0, 0, 0, 0};
    int cells[KSLOT_COUNT] = {0, 0, 0, 0};
    const int given = ParseIntList(Attribute("index", attributes), values, KSLOT_COUNT);
    for (int slot = 0; slot < KSLOT_COUNT && given > 0; ++slot)
        cells[slot] = slot < given ? values[slot] : values[0];

    wchar_t path[MAX_PATH];
    CKImgList* imgList = nullptr;
    if (ToWidePath(Attribute("src", attributes), path)) {
        const unsigned int density = ParseDensityKeyword(Attribute("auto", attributes));
        if (grid[1] >= 1)
            imgList = GetImgListByGrid(grid[0], grid[1], path, KIMG_TYPE_AUTO, density);
        else if (cellSize[0] >= 1 && cellSize[1] >= 1)
            imgList = GetImgListByCell(cellSize[0], cellSize[1], path, KIMG_TYPE_AUTO, density);
    }
    if (isImage) {
        CKImageDrawable* drawable = static_cast<CKImageDrawable*>(current);
        int ninePatch[KPATCH_VALUES];
        ReadNinePatch(attributes, ninePatch);
        drawable->SetImageList(imgList, cells);
        drawable->SetNinePatch(ninePatch, ParseBool(Attribute("hascenter", attributes), 1));
    } else {
        static_cast<CKIconDrawable*>(current)->SetImageList(imgList, cells);
    }
}
