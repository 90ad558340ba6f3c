// Readers fed hostile but plausible inputs, each read on the one UI thread as the program reads it:
// an INI file ("Settings.ini" is one) of 10,000 to 150,000 keys or sections, loaded and saved, and
// a drawable file ("LmDrawable.xml" is one) of 10,000 to 100,000 drawables read through GetDrawable.
// Each is held to a second for ten times the largest size a real user has (10,000 keys, 10,000
// drawables), and the cost per item at each size shows whether it grows faster than the input.
#include <windows.h>

#include <cstdio>
#include <string>

#include "KBench.h"
#include "foundation/CKIniW.h"
#include "foundation/KPaths.h"
#include "graphics/KDrawableRegistry.h"

namespace {

constexpr double STEP_TARGET_MS = 1000;
const int KEY_COUNTS[] = {10000, 20000, 40000, 150000};
constexpr int SECTION_COUNT = 150000;
const int DRAWABLE_COUNTS[] = {10000, 20000, 100000};
// The real size each target is ten times of.
constexpr int TARGET_SIZE = 10000;

bool WriteBytes(const std::wstring& path, const void* data, size_t bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, data, (DWORD)bytes, &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes;
}

std::wstring ModulePath(const wchar_t* name)
{
    wchar_t path[KMAX_PATH];
    MakeModulePath(path, name);
    return path;
}

// The time of one step over `count` items and the time an item (`item` names one).
void PrintTimes(const char* what, int count, const char* item, double ms)
{
    char label[128];
    snprintf(label, sizeof(label), "%s, %d %ss", what, count, item);
    PrintFigure(label, ms, "ms");
    snprintf(label, sizeof(label), "  a %s", item);
    PrintFigure(label, ms * 1000.0 / count, "us");
    if (count == TARGET_SIZE)
        printf("  target: under %.0f ms: %s\n", STEP_TARGET_MS, ms < STEP_TARGET_MS ? "met" : "missed");
}

// An INI file of `sections` sections holding `keys` keys in all, in the program's layout.
void BenchIni(const char* what, int sections, int keys)
{
    std::wstring text = L"\xFEFF";
    for (int s = 0; s < sections; s++) {
        text += L"\n[Section" + std::to_wstring(s) + L"]\n";
        for (int k = s; k < keys; k += sections)
            text += L"Key" + std::to_wstring(k) + L" = C:\\Music\\值 " + std::to_wstring(k) + L"\n";
    }
    const std::wstring path = ModulePath(L"bench-readers.ini");
    if (!WriteBytes(path, text.data(), text.size() * sizeof(wchar_t))) {
        printf("  the INI file could not be written\n");
        return;
    }
    CKIniW ini;
    double begin = NowMs();
    ini.Load(path.c_str());
    const double loaded = NowMs() - begin;
    ini.SetString(L"Section0", L"Changed", L"1");
    begin = NowMs();
    ini.Save(path.c_str());
    const double saved = NowMs() - begin;
    char label[96];
    snprintf(label, sizeof(label), "INI %s: load", what);
    PrintTimes(label, sections > 1 ? sections : keys, sections > 1 ? "section" : "key", loaded);
    snprintf(label, sizeof(label), "INI %s: save", what);
    PrintTimes(label, sections > 1 ? sections : keys, sections > 1 ? "section" : "key", saved);
    DeleteFileW(path.c_str());
}

// A drawable file under "AppRes" beside the program: `count` drawables made of the kinds the
// program's own file holds, then the one asked for.
void BenchDrawables(int count)
{
    static const char* const BODIES[] = {
        "class=\"Color\"><MultiColor mode=\"solid\" color=\"{248, 248, 248}\"/>",
        "class=\"Color\"><Padding left=\"2\" top=\"2\" right=\"2\" bottom=\"2\"/>"
        "<MultiColor state=\"normal\" mode=\"solid\" color=\"{248, 248, 248}\"/>"
        "<MultiColor state=\"pressed\" mode=\"g2c3\" gradient=\"vert\" color=\"{77, 151, 245}, "
        "{34, 107, 228}, {77, 151, 245}\"/><Border size=\"1px\" edge=\"bottom\" "
        "color=\"{202, 202, 202}\"/>",
        "class=\"Text\"><Padding left=\"1\" top=\"2\" right=\"1\" bottom=\"2\"/>"
        "<TextColor color=\"{32, 32, 32}, {32, 32, 32}, {248, 248, 248}, {255, 45, 85}\"/>"
        "<TextFont size=\"12\"/>",
        "class=\"Null\">",
    };
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Drawables>\n";
    for (int i = 0; i <= count; i++) {
        text += "<Drawable name=\"" + (i < count ? "LmBench" + std::to_string(i) : std::string("Wanted"))
                + "\" " + BODIES[i % 4] + "</Drawable>\n";
    }
    text += "</Drawables>\n";
    wchar_t folder[KMAX_PATH];
    MakeModulePath(folder, L"AppRes");
    CreateDirectoryW(folder, nullptr);
    const std::string file = "bench-drawables-" + std::to_string(count) + ".xml";
    const std::wstring path = std::wstring(folder) + L"\\" + std::wstring(file.begin(), file.end());
    if (!WriteBytes(path, text.data(), text.size())) {
        printf("  the drawable file could not be written\n");
        return;
    }
    const double begin = NowMs();
    const bool found = GetDrawable(file.c_str(), "Wanted") != nullptr;
    const double ms = NowMs() - begin;
    PrintTimes("drawable file read through GetDrawable", count, "drawable", ms);
    if (!found)
        printf("  the drawable asked for was not found\n");
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder);
}

} // namespace

int main()
{
    KBenchLibrary library;
    printf("INI files: one section of N keys, then N sections of one key (load, then save)\n");
    for (int keys : KEY_COUNTS)
        BenchIni("of one section", 1, keys);
    BenchIni("of one key a section", SECTION_COUNT, SECTION_COUNT);
    printf("Drawable files of N drawables, the one asked for last\n");
    for (int count : DRAWABLE_COUNTS)
        BenchDrawables(count);
    return 0;
}
