// Event-driven reader of UTF-16 XML (the rich-text mark-up): the twin of CKXmlParserA for wide
// text. It skips one leading byte-order mark and decodes "&middot;" to a black circle (U+25CF).
#pragma once
#include "foundation/CKObject.h"
#include "foundation/KXmlParseT.h"

// What a class that reads UTF-16 XML implements (next to its CKObject base). Every string handed
// over points into the parse buffer and is valid only during the call. A 0 result stops the parse.
class CKXmlDelegatorW
{
public:
    // `attributes` holds (name, value) pairs, at most KXML_MAX_ATTRIBUTES, ended by two nulls.
    virtual int OnStartElement(const wchar_t* name, const wchar_t** attributes) = 0;
    // Called for a closing tag, and right after OnStartElement for an empty-element tag.
    virtual int OnEndElement(const wchar_t* name) = 0;
    // `element` is the name of the last tag read (none before the first); `text` is decoded and
    // NUL-terminated, `length` units long.
    virtual int OnText(const wchar_t* element, const wchar_t* text, int length) = 0;
    // KXML_KEEP_* bits; none by default.
    virtual int GetOptions();

protected:
    // Delegates are never deleted through this interface.
    ~CKXmlDelegatorW() = default;
};

// Created on the stack around a delegate for one Parse.
class CKXmlParserW : public CKObject
{
    K_DECLARE_CLASS(CKXmlParserW)
public:
    explicit CKXmlParserW(CKXmlDelegatorW* delegate);

    // Parses `length` UTF-16 units of `text`, modifying them in place; nothing at or past
    // text + length is touched, so a file buffer with an odd byte count is parsed over its whole
    // units. Returns 1 when the text was read to its end or to the first construct that cannot be
    // read, 0 when a delegate operation returned 0 or there is no delegate.
    int Parse(wchar_t* text, int length);

    // The value of the first pair named `name` (case-sensitive), or none.
    static const wchar_t* GetAttribute(const wchar_t* name, const wchar_t* const* attributes);

private:
    CKXmlDelegatorW* delegate;   // borrowed
};
