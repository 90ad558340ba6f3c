// Event-driven reader of narrow (UTF-8 or ASCII) XML: walks the text once, in place, and reports
// start tags, end tags and character data to a CKXmlDelegatorA. Builds no tree, reports no errors.
#pragma once
#include "foundation/CKObject.h"
#include "foundation/KXmlParseT.h"

// What a class that reads narrow XML implements (next to its CKObject base). Every string handed
// over points into the parse buffer and is valid only during the call. A 0 result stops the parse.
class CKXmlDelegatorA
{
public:
    // `attributes` holds (name, value) pairs, at most KXML_MAX_ATTRIBUTES, ended by two nulls.
    virtual int OnStartElement(const char* name, const char** attributes) = 0;
    // Called for a closing tag, and right after OnStartElement for an empty-element tag.
    virtual int OnEndElement(const char* name) = 0;
    // `element` is the name of the last tag read (none before the first); `text` is decoded and
    // NUL-terminated, `length` units long.
    virtual int OnText(const char* element, const char* text, int length) = 0;
    // KXML_KEEP_* bits; none by default.
    virtual int GetOptions();

protected:
    // Delegates are never deleted through this interface.
    ~CKXmlDelegatorA() = default;
};

// Created on the stack around a delegate for one Parse or ParseFile.
class CKXmlParserA : public CKObject
{
    K_DECLARE_CLASS(CKXmlParserA)
public:
    explicit CKXmlParserA(CKXmlDelegatorA* delegate);

    // Parses `length` bytes of `text`, modifying them (names, values and text are terminated and
    // entity-decoded in place); nothing at or past text + length is touched. Returns 1 when the
    // text was read to its end or to the first construct that cannot be read, 0 when a delegate
    // operation returned 0 or there is no delegate.
    int Parse(char* text, int length);
    // Reads the whole file with CKFile::ReadAll (library paths resolve through "AppRes" and the
    // resources), parses it and frees it. 0 when `path` or the delegate is missing or the file
    // cannot be read; otherwise the parse's result.
    int ParseFile(const wchar_t* path);

    // The value of the first pair named `name` (case-sensitive), or none.
    static const char* GetAttribute(const char* name, const char* const* attributes);

private:
    CKXmlDelegatorA* delegate;   // borrowed
};

// Parses the file at `path` into `delegate` (the CKXmlDelegatorA part of a reader object).
int LoadXml(CKXmlDelegatorA* delegate, const wchar_t* path);
