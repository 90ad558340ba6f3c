// An INI file held in memory (UTF-16): sections of "key = value" lines, loaded from and saved to
// UTF-16LE files with the byte-order mark. The application's "Settings.ini" and the file list's
// extension map ("res/FileExt.ini") are read through it.
//
// Storage: a singly linked list of sections in the order they were first seen or created, each
// with a singly linked list of keys in order of creation. Names are unique within their list under
// exact, case-sensitive comparison. Every record, name and value belongs to the object; Clear and
// the destructor free them all. Beside the lists, an index of the sections by name and of the keys
// by section and name finds any record at once, so that reading a file of n keys costs O(n) even
// when it holds tens of thousands (a damaged or hostile "Settings.ini").
#pragma once
#include <windows.h>

#include <cstddef>
#include <string_view>
#include <unordered_map>

#include "foundation/CKObject.h"

// One key: a single allocation carrying its name inline.
struct KIniKeyW
{
    KIniKeyW* next;    // owned by the list: the next key of the section
    wchar_t* value;    // owned: a KAlloc copy of the value
    wchar_t name[1];   // the name and its NUL, allocated to length
};

// One section: a single allocation carrying its name inline.
struct KIniSectionW
{
    KIniSectionW* next;    // owned by the list: the next section
    KIniKeyW* keys;        // owned: first key, or none
    KIniKeyW* lastKey;     // borrowed: the last key of `keys`, where the next one is appended
    wchar_t name[1];       // the name and its NUL, allocated to length
};

class CKIniW : public CKObject
{
    K_DECLARE_CLASS(CKIniW)
public:
    CKIniW() = default;
    ~CKIniW() override;

    // Reads a file (any path CKFile opens; relative paths resolve through "AppRes" and the
    // resources) into the object, merging with what is there. The first two bytes are taken as
    // the byte-order mark without being examined. Lines: "[name]" starts a section (the rest after
    // ']' is ignored; no ']' ignores the line); "key = value" inside a section sets a key (the
    // name ends at the first '=' or white space, white space around '=' is skipped, the value is
    // the rest of the line with its trailing blanks); anything else is ignored. Lines longer than
    // 1023 units are skipped whole. Does not mark the object modified. Returns the
    // number of section header lines, 0 when the file cannot be opened.
    int Load(const wchar_t* path);
    // Writes the byte-order mark, then "\n[name]\n" per section and "key = value\n" per key, to the
    // absolute `path`, through a temporary file that replaces it only when fully written. Returns
    // 1 and clears the modified flag, or 0 (flag and previous file unchanged).
    int Save(const wchar_t* path);

    // The section record, or none; a null name gives the first section.
    KIniSectionW* FindSection(const wchar_t* section) const;
    // The key record of a section, or none.
    KIniKeyW* FindKey(const KIniSectionW* section, const wchar_t* key) const;

    // The stored value (owned by the object: valid until the key changes or the object is
    // cleared), or `def` when the section or key is missing.
    const wchar_t* GetString(const wchar_t* section, const wchar_t* key, const wchar_t* def) const;
    // The stored value as decimal text (white space, sign, digits; no digits gives 0), or `def`
    // when the section or key is missing.
    int GetInt(const wchar_t* section, const wchar_t* key, int def) const;
    // Creates the section and key when missing and stores a copy of `value` when it differs from
    // the stored one (only then is the object marked modified). Returns 1 when the key exists
    // afterwards, 0 when memory ran out.
    int SetString(const wchar_t* section, const wchar_t* key, const wchar_t* value);
    // SetString with the value as decimal text.
    int SetInt(const wchar_t* section, const wchar_t* key, int value);

    int IsModified() const { return modified; }
    // Drops every section and key and clears the modified flag.
    void Clear();

private:
    // The section of that name, appended (empty) when missing; none when memory ran out.
    KIniSectionW* AddSection(const wchar_t* name);
    // Stores a copy of `value` under `key`: appends a missing key, replaces a different value in
    // place. Returns 1 when something changed, 0 when the value was already there, -1 when memory
    // ran out (the section is then as it was).
    int PutValue(KIniSectionW* section, const wchar_t* key, const wchar_t* value);
    // Parses one line read from a file (the line is cut in place); `current` is the section keys
    // go to (none: keys are ignored). Returns 1 for a section header line, else 0.
    int LoadLine(wchar_t* line, KIniSectionW*& current);

    // A key of the index: its section and its name (a view of the record's inline name).
    struct KKeyRef
    {
        const KIniSectionW* section;
        std::wstring_view name;
        bool operator==(const KKeyRef& other) const
        {
            return section == other.section && name == other.name;
        }
    };
    struct KKeyRefHash
    {
        size_t operator()(const KKeyRef& key) const
        {
            return std::hash<std::wstring_view>()(key.name) ^ (size_t)key.section;
        }
    };

    KIniSectionW* sections = nullptr;    // owned: first section, or none
    KIniSectionW* lastSection = nullptr;    // borrowed: the last of `sections`
    // Borrowed records by name; the views point at the records' own names.
    std::unordered_map<std::wstring_view, KIniSectionW*> sectionIndex;
    std::unordered_map<KKeyRef, KIniKeyW*, KKeyRefHash> keyIndex;
    int modified = 0;                    // 1 after a change by SetString or SetInt
};
