// Storage, growth and conversion of KStringW / KStringA: the header before the characters, the
// shared empty string and the 65,534-unit limit.
#include "foundation/KString.h"

#include <cstdint>
#include <cstring>

#include "foundation/KMemory.h"
#include "foundation/KText.h"

namespace {

// Sits directly before a string's characters.
struct KStringHeader
{
    uint16_t capacity;   // units with the NUL; 0 marks the shared empty string
    uint16_t length;
};

// The one shared empty string: a header of zeros followed by a NUL wide enough for both widths.
// It is const, so a stray write faults instead of corrupting every empty string.
struct KSharedEmpty
{
    KStringHeader header;
    wchar_t nul;
};
const KSharedEmpty SHARED_EMPTY = {{0, 0}, 0};

template <class C>
KStringHeader* HeaderOf(C* text)
{
    return (KStringHeader*)((char*)text - sizeof(KStringHeader));
}

template <class C>
C* TextOf(KStringHeader* header)
{
    return (C*)((char*)header + sizeof(KStringHeader));
}

// Offset of `p` inside [text, text + capacity), or -1 when it points elsewhere: a source inside
// the string's own storage must be found again after a reallocation.
template <class C>
intptr_t OffsetInside(const C* text, int capacity, const C* p)
{
    uintptr_t begin = (uintptr_t)text;
    uintptr_t at = (uintptr_t)p;
    if (at >= begin && at < begin + (uintptr_t)capacity * sizeof(C))
        return (intptr_t)(p - text);
    return -1;
}

// The text routines of each width, picked by overload.
int TextLength(const wchar_t* s) { return KStrLenW(s); }
int TextLength(const char* s) { return KStrLenA(s); }
int TextCompare(const wchar_t* a, const wchar_t* b) { return KStrCmpW(a, b); }
int TextCompare(const char* a, const char* b) { return KStrCmpA(a, b); }
void TextLower(wchar_t* s) { KStrLwrW(s); }
void TextLower(char* s) { KStrLwrA(s); }
void TextUpper(wchar_t* s) { KStrUprW(s); }
void TextUpper(char* s) { KStrUprA(s); }

} // namespace

template <class C>
C* KStringBase<C>::SharedEmpty()
{
    return (C*)const_cast<wchar_t*>(&SHARED_EMPTY.nul);
}

template <class C>
KStringBase<C>::~KStringBase()
{
    if (GetCapacity() > 0)
        KFree(HeaderOf(text));
}

template <class C>
int KStringBase<C>::GetLength() const
{
    return HeaderOf(text)->length;
}

template <class C>
int KStringBase<C>::GetCapacity() const
{
    return HeaderOf(text)->capacity;
}

template <class C>
int KStringBase<C>::Reserve(int n)
{
    if (n < 0 || n > MAX_LENGTH)
        return 0;
    int capacity = GetCapacity();
    if (capacity >= n + 1)
        return 1;
    size_t bytes = sizeof(KStringHeader) + ((size_t)n + 1) * sizeof(C);
    KStringHeader* header;
    if (capacity == 0) {
        // Storage not ours to write (the shared empty string, fixed storage): a copy of our own.
        header = (KStringHeader*)KAlloc(bytes);
        if (!header)
            return 0;
        // As much of the text as the new capacity holds (all of it, unless the caller asked for
        // less room because it is about to replace it).
        const int length = GetLength() < n ? GetLength() : n;
        memcpy(TextOf<C>(header), text, (size_t)length * sizeof(C));
        TextOf<C>(header)[length] = 0;
        header->length = (uint16_t)length;
    } else {
        header = (KStringHeader*)KRealloc(HeaderOf(text), bytes);
        if (!header)
            return 0;
    }
    header->capacity = (uint16_t)(n + 1);
    text = TextOf<C>(header);
    return 1;
}

template <class C>
int KStringBase<C>::Assign(const C* source, int count)
{
    if (!source) {
        Empty();
        return 0;
    }
    if (source == text)
        return GetLength();
    if (count < 0)
        count = TextLength(source);
    if (count > MAX_LENGTH)
        return -1;
    if (count == 0) {
        Empty();
        return 0;
    }
    intptr_t inside = OffsetInside(text, GetCapacity(), source);
    if (!Reserve(count))
        return -1;
    if (inside >= 0)
        source = text + inside;
    memmove(text, source, (size_t)count * sizeof(C));
    text[count] = 0;
    HeaderOf(text)->length = (uint16_t)count;
    return count;
}

template <class C>
int KStringBase<C>::AssignFixed(void* place, const C* source, int count)
{
    if (!source)
        count = 0;
    else if (count < 0)
        count = TextLength(source);
    if (count > MAX_LENGTH)
        return -1;
    KStringHeader* header = (KStringHeader*)place;
    header->capacity = 0;
    header->length = (uint16_t)count;
    C* fixed = TextOf<C>(header);
    if (count)
        memcpy(fixed, source, (size_t)count * sizeof(C));
    fixed[count] = 0;
    if (GetCapacity() > 0)
        KFree(HeaderOf(text));
    text = fixed;
    return count;
}

template <class C>
int KStringBase<C>::Append(const C* source, int count)
{
    int length = GetLength();
    if (!source)
        return length;
    if (count < 0)
        count = TextLength(source);
    if (count == 0)
        return length;
    if (count > MAX_LENGTH - length)
        return -1;
    intptr_t inside = OffsetInside(text, GetCapacity(), source);
    if (!Reserve(length + count))
        return -1;
    if (inside >= 0)
        source = text + inside;
    memmove(text + length, source, (size_t)count * sizeof(C));
    length += count;
    text[length] = 0;
    HeaderOf(text)->length = (uint16_t)length;
    return length;
}

template <class C>
int KStringBase<C>::SetLength(int n)
{
    int capacity = GetCapacity();
    if (n < 0) {
        // The NUL-terminated length, never looking past the storage.
        n = 0;
        while (n < capacity - 1 && text[n])
            ++n;
    }
    if (n == 0 && capacity == 0) {
        text = SharedEmpty();
        return 0;
    }
    if (n > capacity - 1)
        return -1;
    text[n] = 0;
    HeaderOf(text)->length = (uint16_t)n;
    return n;
}

template <class C>
void KStringBase<C>::Empty()
{
    if (GetCapacity() == 0) {
        text = SharedEmpty();
        return;
    }
    text[0] = 0;
    HeaderOf(text)->length = 0;
}

template <class C>
void KStringBase<C>::MakeLower()
{
    if (GetLength() > 0 && Reserve(GetLength()))
        TextLower(text);
}

template <class C>
void KStringBase<C>::MakeUpper()
{
    if (GetLength() > 0 && Reserve(GetLength()))
        TextUpper(text);
}

template <class C>
int KStringBase<C>::Compare(const C* other) const
{
    return TextCompare(text, other);
}

template class KStringBase<wchar_t>;
template class KStringBase<char>;

namespace {

// Assignment from the other width, through UTF-8.
template <class C, class Other>
int AssignConverted(KStringBase<C>& string, const Other* source)
{
    int needed = source ? KConvertText(source, -1, (C*)nullptr, 0) : 0;
    // The count includes the NUL: 1 (or 0 on failure) means no characters.
    if (needed <= 1) {
        string.Empty();
        return 0;
    }
    int length = needed - 1;
    if (length > KStringBase<C>::MAX_LENGTH || !string.Reserve(length))
        return -1;
    KConvertText(source, -1, string.GetBuffer(), needed);
    return string.SetLength(length);
}

} // namespace

int KStringW::Assign(const char* utf8)
{
    return AssignConverted(*this, utf8);
}

int KStringA::Assign(const wchar_t* wide)
{
    return AssignConverted(*this, wide);
}
