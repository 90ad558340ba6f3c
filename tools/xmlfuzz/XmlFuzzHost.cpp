// Host (Linux) build of the XML reading loop, fed the mutation corpus of the Windows robustness
// test under AddressSanitizer and UBSan. Every input lies in a heap block of exactly its size with
// no terminator, so any read or write at or past its end is reported. Not part of the Windows
// build; tools/xmlfuzz/run.sh builds and runs it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "foundation/KXmlParseT.h"
#include "tests/foundation/XmlMutationCorpus.h"

namespace {

template <class Unit>
int RunCorpus(const std::vector<std::vector<Unit>>& seeds, const char* label)
{
    int violations = 0;
    long events = 0;
    size_t longest = 0;
    for (uint32_t i = 0; i < XmlCorpus::INPUTS_PER_WIDTH; ++i) {
        std::vector<Unit> input = XmlCorpus::MakeInput(seeds, i);
        size_t count = input.size();
        if (count > longest)
            longest = count;
        Unit* buffer = static_cast<Unit*>(std::malloc(count ? count * sizeof(Unit) : 1));
        if (count)
            std::memcpy(buffer, input.data(), count * sizeof(Unit));
        XmlCorpus::BoundsChecker<Unit> checker(buffer, buffer + count, KXML_MAX_ATTRIBUTES,
                                               XmlCorpus::StopAtFor(i));
        checker.options = XmlCorpus::OptionsFor(i);
        int result = KParseXmlT(&checker, buffer, (int)count);
        violations += checker.violations + (result != checker.ExpectedResult());
        events += checker.events;
        std::free(buffer);
    }
    std::printf("%s: %u inputs from %zu seeds, longest %zu units, %ld events, %d violations\n",
                label, XmlCorpus::INPUTS_PER_WIDTH, seeds.size(), longest, events, violations);
    return violations;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s RESOURCES_DIR\n", argv[0]);
        return 2;
    }
    XmlCorpus::SeedSet<char16_t> seeds;
    int files = 0;
    for (const char* path : XmlCorpus::ResourceXmlPaths()) {
        std::ifstream file(std::string(argv[1]) + "/" + path, std::ios::binary);
        if (!file)
            continue;
        std::stringstream bytes;
        bytes << file.rdbuf();
        seeds.Add(bytes.str());
        ++files;
    }
    std::printf("resource files: %d\n", files);
    int violations = RunCorpus(seeds.narrow, "narrow") + RunCorpus(seeds.wide, "wide (char16_t)");
    return violations ? 1 : 0;
}
