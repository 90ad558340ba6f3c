// CKDrawableXml: the reader of a drawable file. It walks the narrow XML once and turns each
// <Drawable name=".." class=".."> with its child elements into a registered drawable
// (graphics/KDrawableRegistry.h). One reader lives for one GetDrawable call.
//
// The file: <Drawable> elements of class "Text", "Color", "Image", "Icon" or "Null" (element and
// class names in any ASCII case), each holding "Margin", "Padding", "MultiColor", "Border",
// "TextColor", "TextFont", "Image" and "ImgList" elements that apply to the drawable being read;
// other elements are ignored, and so are child elements outside a drawable. Attribute names and
// keywords are case-sensitive; a missing attribute takes its default (graphics/KDrawableValues.h
// reads the values). Reading stops at the first drawable whose key is already registered and at
// the first unknown class: the drawables before it stay registered.
#pragma once
#include "foundation/CKObject.h"
#include "foundation/CKXmlParserA.h"
#include "foundation/KString.h"

class CKDrawable;

class CKDrawableXml : public CKObject, public CKXmlDelegatorA
{
    K_DECLARE_CLASS(CKDrawableXml)
public:
    CKDrawableXml() = default;

    // Creates the drawable `name` of class `className` and registers it under fileName + ":" +
    // name; it becomes `current`, and `found` when it is the first with the wanted name. 0 (and no
    // current drawable) when the key is already registered, for an unknown class, or when memory
    // ran out; a 0 stops the reading.
    virtual int CreateDrawable(const char* className, const char* name);

    // Reads the drawable file `file` (a library path, UTF-8) looking for `name`: 0 when the file
    // cannot be read, else the parser's result (0 when reading stopped early).
    int Load(const char* file, const char* name);
    // The first registered drawable named as asked (case-sensitive), or none; borrowed from the
    // registry.
    CKDrawable* GetFound() const { return found; }

    int OnStartElement(const char* element, const char** attributes) override;
    // </Drawable> ends the current drawable.
    int OnEndElement(const char* element) override;
    // Character data is ignored.
    int OnText(const char* element, const char* text, int length) override;

private:
    // The child elements, each applied to `current` when its class takes it.
    void ApplyInsets(const char* element, const char** attributes);
    void ApplyMultiColor(const char** attributes);
    void ApplyBorder(const char** attributes);
    void ApplyTextColor(const char** attributes);
    void ApplyTextFont(const char** attributes);
    void ApplyImage(const char** attributes);
    void ApplyImgList(const char** attributes);

    KStringA fileName;               // the file being read; the first half of every key
    KStringA wantedName;             // the name asked for
    CKDrawable* current = nullptr;   // borrowed from the registry: the drawable being filled
    CKDrawable* found = nullptr;     // borrowed from the registry
};
