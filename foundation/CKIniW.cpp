// CKIniW: the in-memory INI file, its reader and its writer.
#include "foundation/CKIniW.h"

#include <cstddef>
#include <cwchar>

#include "foundation/CKFile.h"
#include "foundation/CKSafeFile.h"
#include "foundation/KIniStorage.h"
#include "foundation/KMemory.h"
#include "foundation/KText.h"

K_IMPLEMENT_CLASS(CKIniW, CKObject)

namespace {

// Units of the line buffer: lines of up to 1023 units are read, longer ones skipped whole.
constexpr int LINE_CAPACITY = 1024;
// The UTF-16 byte-order mark, written as the file's first unit (bytes FF FE).
const wchar_t BYTE_ORDER_MARK = 0xFEFF;

// One allocation holding a record whose last field is `name`, sized for `name` and its NUL; none
// when out of memory. The other fields are left for the caller to set.
template <class Record>
Record* NewNamedRecord(const wchar_t* name)
{
    int length = KStrLenW(name);
    size_t bytes = offsetof(Record, name) + ((size_t)length + 1) * sizeof(wchar_t);
    Record* record = static_cast<Record*>(KAlloc(bytes));
    if (record)
        wmemcpy(record->name, name, (size_t)length + 1);
    return record;
}

bool IsBlank(const wchar_t* at)
{
    return KSkipSpaceW(at) != at;
}

} // namespace

CKIniW::~CKIniW()
{
    Clear();
}

void CKIniW::Clear()
{
    sectionIndex.clear();
    keyIndex.clear();
    KFreeIniSections(sections);
    lastSection = nullptr;
    modified = 0;
}

KIniSectionW* CKIniW::FindSection(const wchar_t* section) const
{
    if (!section)
        return sections;
    const auto found = sectionIndex.find(section);
    return found != sectionIndex.end() ? found->second : nullptr;
}

KIniKeyW* CKIniW::FindKey(const KIniSectionW* section, const wchar_t* key) const
{
    if (!section || !key)
        return nullptr;
    const auto found = keyIndex.find(KKeyRef{section, key});
    return found != keyIndex.end() ? found->second : nullptr;
}

KIniSectionW* CKIniW::AddSection(const wchar_t* name)
{
    KIniSectionW* found = FindSection(name);
    if (found)
        return found;
    KIniSectionW* section = NewNamedRecord<KIniSectionW>(name);
    if (!section)
        return nullptr;
    section->next = nullptr;
    section->keys = nullptr;
    section->lastKey = nullptr;
    sectionIndex[section->name] = section;
    (lastSection ? lastSection->next : sections) = section;
    lastSection = section;
    return section;
}

int CKIniW::PutValue(KIniSectionW* section, const wchar_t* key, const wchar_t* value)
{
    KIniKeyW* item = FindKey(section, key);
    if (item && !KStrCmpW(item->value, value))
        return 0;
    wchar_t* copy = KStrDupW(value);
    if (!copy)
        return -1;
    if (item) {
        KFree(item->value);
        item->value = copy;
        return 1;
    }
    item = NewNamedRecord<KIniKeyW>(key);
    if (!item) {
        KFree(copy);
        return -1;
    }
    item->next = nullptr;
    item->value = copy;
    keyIndex[KKeyRef{section, item->name}] = item;
    (section->lastKey ? section->lastKey->next : section->keys) = item;
    section->lastKey = item;
    return 1;
}

const wchar_t* CKIniW::GetString(const wchar_t* section, const wchar_t* key,
                                 const wchar_t* def) const
{
    if (!section)
        return def;
    KIniKeyW* item = FindKey(FindSection(section), key);
    return item ? item->value : def;
}

int CKIniW::GetInt(const wchar_t* section, const wchar_t* key, int def) const
{
    const wchar_t* value = GetString(section, key, nullptr);
    return value ? KStrToIntW(value) : def;
}

int CKIniW::SetString(const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    if (!section || !key)
        return 0;
    KIniSectionW* item = AddSection(section);
    if (!item)
        return 0;
    int result = PutValue(item, key, value ? value : L"");
    if (result > 0)
        modified = 1;
    return result >= 0;
}

int CKIniW::SetInt(const wchar_t* section, const wchar_t* key, int value)
{
    wchar_t text[KINT_TEXT_CAPACITY];
    KIntToStrW(value, text, 10);
    return SetString(section, key, text);
}

// ---- Reading and writing files -------------------------------------------------------------------

int CKIniW::LoadLine(wchar_t* line, KIniSectionW*& current)
{
    if (line[0] == L'[') {
        int close = KStrChrW(line, L']', 1);
        if (close < 0)
            return 0;
        line[close] = 0;
        current = AddSection(line + 1);   // none when out of memory: keys until the next header are lost
        return 1;
    }
    if (!current)
        return 0;
    int nameEnd = 0;
    while (line[nameEnd] && line[nameEnd] != L'=' && !IsBlank(line + nameEnd))
        ++nameEnd;
    const wchar_t* equals = KSkipSpaceW(line + nameEnd);
    if (*equals != L'=')
        return 0;
    const wchar_t* value = KSkipSpaceW(equals + 1);
    line[nameEnd] = 0;
    PutValue(current, line, value);   // a key that finds no memory is dropped
    return 0;
}

int CKIniW::Load(const wchar_t* path)
{
    CKFile file;
    if (!file.Open(path, KFILE_READ | KFILE_SHARE_READ))
        return 0;
    wchar_t mark;
    file.Read(&mark, sizeof(mark));
    wchar_t line[LINE_CAPACITY];
    KIniSectionW* current = nullptr;
    int headers = 0;
    int length;
    while ((length = file.ReadLine(line, LINE_CAPACITY)) >= 0) {
        if (length > 0)
            headers += LoadLine(line, current);
    }
    return headers;
}

int CKIniW::Save(const wchar_t* path)
{
    CKSafeFile file;
    if (!file.Open(path))
        return 0;
    file.WriteText(&BYTE_ORDER_MARK, 1);
    for (KIniSectionW* section = sections; section; section = section->next) {
        file.WriteText(L"\n[", 2);
        file.WriteText(section->name, -1);
        file.WriteText(L"]\n", 2);
        for (KIniKeyW* key = section->keys; key; key = key->next) {
            file.WriteText(key->name, -1);
            file.WriteText(L" = ", 3);
            file.WriteText(key->value, -1);
            file.WriteText(L"\n", 1);
        }
    }
    if (!file.Commit())
        return 0;
    modified = 0;
    return 1;
}
