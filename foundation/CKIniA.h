// The narrow (UTF-8) twin of CKIniW's storage: sections of keys with values. Nothing in the program
// reads or writes a narrow INI file, so the class holds and frees its storage and no more.
//
// Storage: a singly linked list of sections, each with a singly linked list of keys; every record,
// name and value belongs to the object, and Clear and the destructor free them all.
#pragma once
#include "foundation/CKObject.h"

// One key: a single allocation carrying its name inline.
struct KIniKeyA
{
    KIniKeyA* next;    // owned by the list: the next key of the section
    char* value;       // owned: a KAlloc copy of the value
    char name[1];      // the name and its NUL, allocated to length
};

// One section: a single allocation carrying its name inline.
struct KIniSectionA
{
    KIniSectionA* next;    // owned by the list: the next section
    KIniKeyA* keys;        // owned: first key, or none
    char name[1];          // the name and its NUL, allocated to length
};

class CKIniA : public CKObject
{
    K_DECLARE_CLASS(CKIniA)
public:
    CKIniA() = default;
    ~CKIniA() override;

    // Drops every section and key.
    void Clear();

private:
    KIniSectionA* sections = nullptr;    // owned: first section, or none
};
