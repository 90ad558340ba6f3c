// The XML reader against thousands of malformed inputs in both widths: every call returns with the
// right result, hands over only strings inside the buffer, and touches nothing outside it. Each
// input sits against a no-access page, after its last unit (an overread faults) or before its
// first (an underread faults), and the bytes around it are compared before and after.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/CKFile.h"
#include "foundation/CKXmlParserA.h"
#include "foundation/CKXmlParserW.h"
#include "foundation/KMemory.h"
#include "tests/foundation/XmlMutationCorpus.h"

namespace {

// A read-write area between two no-access pages.
class GuardedArea
{
public:
    explicit GuardedArea(size_t bytes)
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        page = info.dwPageSize;
        size = (bytes + page - 1) / page * page;
        base = static_cast<BYTE*>(
            VirtualAlloc(nullptr, size + 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        if (base) {
            VirtualProtect(base, page, PAGE_NOACCESS, &old);
            VirtualProtect(base + page + size, page, PAGE_NOACCESS, &old);
        }
    }
    ~GuardedArea()
    {
        if (base)
            VirtualFree(base, 0, MEM_RELEASE);
    }
    GuardedArea(const GuardedArea&) = delete;
    GuardedArea& operator=(const GuardedArea&) = delete;

    bool IsValid() const { return base != nullptr; }
    size_t Size() const { return size; }
    BYTE* Begin() const { return base + page; }
    BYTE* End() const { return base + page + size; }

private:
    BYTE* base = nullptr;   // owned: the reservation, guard pages included
    size_t page = 0;
    size_t size = 0;        // bytes between the guards
};

const char* Lookup(const char* name, const char** attributes)
{
    return CKXmlParserA::GetAttribute(name, attributes);
}

const wchar_t* Lookup(const wchar_t* name, const wchar_t** attributes)
{
    return CKXmlParserW::GetAttribute(name, attributes);
}

// The corpus checker behind a width's delegate interface; it also asks GetAttribute for the
// first attribute, which must come back as the first value.
template <class Char, class Interface>
class CheckingDelegate : public Interface
{
public:
    CheckingDelegate(const Char* begin, const Char* end, uint32_t index)
        : check(begin, end, KXML_MAX_ATTRIBUTES, XmlCorpus::StopAtFor(index))
    {
        check.options = XmlCorpus::OptionsFor(index);
    }
    int OnStartElement(const Char* name, const Char** attributes) override
    {
        if (attributes[0] && Lookup(attributes[0], attributes) != attributes[1])
            ++check.violations;
        return check.OnStartElement(name, attributes);
    }
    int OnEndElement(const Char* name) override { return check.OnEndElement(name); }
    int OnText(const Char* element, const Char* text, int length) override
    {
        return check.OnText(element, text, length);
    }
    int GetOptions() override { return check.GetOptions(); }

    XmlCorpus::BoundsChecker<Char> check;
};

int Parse(CKXmlDelegatorA* delegate, char* text, int length)
{
    return CKXmlParserA(delegate).Parse(text, length);
}

int Parse(CKXmlDelegatorW* delegate, wchar_t* text, int length)
{
    return CKXmlParserW(delegate).Parse(text, length);
}

// Bytes that must not change around a placed input: everything of the area outside the parsed
// units, compared with a snapshot taken after placing.
struct Surroundings
{
    std::vector<BYTE> snapshot;
    size_t from = 0;   // offset of the parsed units in the area
    size_t bytes = 0;  // their size

    void Take(const GuardedArea& area, const void* units, size_t unitBytes)
    {
        snapshot.assign(area.Begin(), area.End());
        from = static_cast<const BYTE*>(units) - area.Begin();
        bytes = unitBytes;
    }
    bool Unchanged(const GuardedArea& area) const
    {
        const BYTE* now = area.Begin();
        return std::memcmp(now, snapshot.data(), from) == 0 &&
               std::memcmp(now + from + bytes, snapshot.data() + from + bytes,
                           snapshot.size() - from - bytes) == 0;
    }
};

// Parses every input of the corpus twice: flush against the guard after it (no terminator, and
// in one input of three a trailing unit outside the length, as a file with an odd byte count is
// read), then flush against the guard before it with a NUL after it. Returns the failed checks.
template <class Char, class Interface>
int RunCorpus(const std::vector<std::vector<Char>>& seeds, size_t* longest)
{
    int failures = 0;
    std::unique_ptr<GuardedArea> area;
    Surroundings around;
    for (uint32_t i = 0; i < XmlCorpus::INPUTS_PER_WIDTH; ++i) {
        std::vector<Char> input = XmlCorpus::MakeInput(seeds, i);
        size_t count = input.size();
        size_t bytes = count * sizeof(Char);
        if (count > *longest)
            *longest = count;
        if (!area || area->Size() < bytes + 2 * sizeof(Char)) {
            area.reset(new GuardedArea(bytes + 2 * sizeof(Char)));
            if (!area->IsValid())
                return failures + 1;
        }
        for (int placement = 0; placement < 2; ++placement) {
            std::memset(area->Begin(), 0xA5, area->Size());
            Char* text;
            if (placement == 0) {
                bool oddTail = i % 3 == 1;
                text = reinterpret_cast<Char*>(area->End()) - count - (oddTail ? 1 : 0);
                if (oddTail)
                    text[count] = Char(0x5A);
            } else {
                text = reinterpret_cast<Char*>(area->Begin());
                text[count] = 0;
            }
            if (count)
                std::memcpy(text, input.data(), bytes);
            around.Take(*area, text, bytes);

            CheckingDelegate<Char, Interface> delegate(text, text + count, i);
            int result = Parse(&delegate, text, (int)count);
            if (result != delegate.check.ExpectedResult())
                ++failures;
            if (delegate.check.violations)
                ++failures;
            if (!around.Unchanged(*area))
                ++failures;
        }
    }
    return failures;
}

} // namespace

TEST(CKXmlParserRobustness, MalformedInputsOfBothWidthsStayInsideTheirBuffers)
{
    XmlCorpus::SeedSet<wchar_t> seeds;
    int files = 0;
    for (const char* path : XmlCorpus::ResourceXmlPaths()) {
        std::wstring widePath(path, path + std::strlen(path));
        void* data = nullptr;
        int size = 0;
        if (!CKFile::ReadAll(widePath.c_str(), &data, &size))
            continue;
        seeds.Add(std::string(static_cast<char*>(data), size));
        KFree(data);
        ++files;
    }
    ASSERT_GE(files, 1) << "DevMetrics.xml is compiled in";

    size_t longestNarrow = 0, longestWide = 0;
    EXPECT_EQ((RunCorpus<char, CKXmlDelegatorA>(seeds.narrow, &longestNarrow)), 0);
    EXPECT_EQ((RunCorpus<wchar_t, CKXmlDelegatorW>(seeds.wide, &longestWide)), 0);
    // The corpus reaches beyond one page, so the guards sit far from the start of long inputs.
    EXPECT_GT(longestNarrow, 4096u);
    EXPECT_GT(longestWide, 2048u);
}
