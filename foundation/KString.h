// The library's counted strings: KStringW (UTF-16) and KStringA (narrow, UTF-8), twins built on
// one template. A string object is one pointer to its characters; two unsigned 16-bit fields sit
// just before them: capacity (in units, the NUL included) and length.
//
// Rules:
// - Every string that has never held text points to one shared static empty string (capacity 0,
//   shared by both widths). Storage of capacity 0 is never written and never freed: a change to
//   a string over such storage first gives it storage of its own (copying its text), an Empty
//   points it back at the shared empty string.
// - AssignFixed places a text in storage the caller provides, of capacity 0: an object can carry
//   its strings' texts in its own allocation (a playlist record: one block instead of five).
// - Growth is exact: a string grows to the length asked for plus its NUL, no spare room, so
//   repeated appends reallocate each time (Reserve first when building a long text).
//   Empty() keeps the storage; nothing but the destructor gives it back.
// - The 16-bit header limits a string to MAX_LENGTH (65,534) units. An Assign, Append, Reserve
//   or SetLength that would go past it (or past the capacity, for SetLength) fails: the string is
//   left as it was and the failure returned (-1, or 0 for Reserve).
// - Case changes are ASCII-only; comparisons are case-sensitive (see foundation/KText.h).
// - Writing through GetBuffer() is allowed up to the capacity after Reserve(n); SetLength then
//   records the new length. Never write through the buffer of an empty string that was never
//   reserved: it is the shared static one.
#pragma once
#include <cstddef>

template <class C>
class KStringBase
{
public:
    // Longest text a string can hold, in units.
    static constexpr int MAX_LENGTH = 65534;

    ~KStringBase();

    // Copies `count` units of `text` (count < 0: up to its NUL). A null text empties the string;
    // assigning the string's own buffer only returns the length. Returns the new length, -1 when
    // the text is too long or memory ran out (string unchanged).
    int Assign(const C* text, int count = -1);
    // Appends `count` units of `text` (count < 0: up to its NUL); returns the new length, -1 on
    // failure (string unchanged).
    int Append(const C* text, int count = -1);
    // Copies `count` units of `text` (count < 0: up to its NUL) into `place`, which the caller
    // provides with at least FixedBytes(count) bytes and keeps for the string's whole life, and
    // points the string at it (capacity 0: never written or freed). The previous storage is let
    // go. Returns the length, -1 (unchanged) when the text is too long.
    int AssignFixed(void* place, const C* text, int count);
    // Bytes AssignFixed needs for a text of `count` units: the header, the units and the NUL,
    // rounded so that another string's storage can follow.
    static constexpr size_t FixedBytes(int count)
    {
        return (2 * sizeof(unsigned short) + ((size_t)count + 1) * sizeof(C) + 1) / 2 * 2;
    }
    // Ensures a capacity of n + 1: allocates when the capacity is 0 (the shared empty string or
    // fixed storage, whose text is copied), otherwise reallocates to exactly n + 1 when the
    // capacity is smaller; never shrinks. 1 on success, 0 for n outside 0..MAX_LENGTH or when
    // memory ran out.
    int Reserve(int n);
    // Sets the length to n (n < 0: to the NUL-terminated length of the buffer) and writes a NUL
    // there. Returns the new length, -1 (unchanged) when n does not fit the capacity.
    int SetLength(int n);
    // Length 0 and a NUL at the start; the storage is kept (storage of capacity 0 is left for the
    // shared empty string).
    void Empty();

    int GetLength() const;
    // Units the storage holds with the NUL; 0 for the shared empty string and fixed storage.
    int GetCapacity() const;
    C* GetBuffer() const { return text; }
    operator const C*() const { return text; }

    // ASCII-only case change in place; nothing happens to an empty string.
    void MakeLower();
    void MakeUpper();
    // Case-sensitive: the difference of the first differing units, 0 when equal.
    int Compare(const C* other) const;

    // The shared static empty string every unused string points to.
    static C* SharedEmpty();

    KStringBase(const KStringBase&) = delete;
    KStringBase& operator=(const KStringBase&) = delete;

protected:
    KStringBase() : text(SharedEmpty()) {}

private:
    C* text;   // owned unless its capacity is 0 (the shared empty string, fixed storage)
};

// UTF-16 string. Narrow text assigned to it is UTF-8 and converted.
class KStringW : public KStringBase<wchar_t>
{
public:
    KStringW() = default;
    explicit KStringW(const wchar_t* text) { Assign(text); }
    KStringW(const KStringW& other) : KStringBase()
    {
        Assign(other.GetBuffer(), other.GetLength());
    }
    KStringW& operator=(const KStringW& other)
    {
        Assign(other.GetBuffer(), other.GetLength());
        return *this;
    }
    KStringW& operator=(const wchar_t* text)
    {
        Assign(text);
        return *this;
    }

    using KStringBase<wchar_t>::Assign;
    // Converts UTF-8 text; returns the new length. A null or empty text empties the string; -1
    // (unchanged) when the result would be too long or memory ran out.
    int Assign(const char* utf8);
};

// Narrow (UTF-8) string. Wide text assigned to it is converted to UTF-8.
class KStringA : public KStringBase<char>
{
public:
    KStringA() = default;
    explicit KStringA(const char* text) { Assign(text); }
    KStringA(const KStringA& other) : KStringBase()
    {
        Assign(other.GetBuffer(), other.GetLength());
    }
    KStringA& operator=(const KStringA& other)
    {
        Assign(other.GetBuffer(), other.GetLength());
        return *this;
    }
    KStringA& operator=(const char* text)
    {
        Assign(text);
        return *this;
    }

    using KStringBase<char>::Assign;
    // Converts UTF-16 text to UTF-8; returns the new length. A null or empty text empties the
    // string; -1 (unchanged) when the result would be too long or memory ran out.
    int Assign(const wchar_t* wide);
};
