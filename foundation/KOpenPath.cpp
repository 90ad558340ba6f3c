// MakeOpenPath: reserved device names and over-long paths reach their files in the verbatim form.
#include "foundation/KOpenPath.h"

#include <windows.h>

#include "foundation/KText.h"

namespace {

// Names the platform turns into a device whatever folder they stand in.
const wchar_t* const DEVICE_NAMES[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
// Names that are a device when followed by one of DEVICE_DIGITS.
const wchar_t* const NUMBERED_DEVICES[] = {L"COM", L"LPT"};
constexpr int NUMBERED_DEVICE_LENGTH = 3;
// The digits of numbered devices, superscripts one to three included.
constexpr wchar_t DEVICE_DIGITS[] = L"0123456789\x00B9\x00B2\x00B3";
// Longest device name, in units.
constexpr int DEVICE_NAME_MAX = 7;

bool IsSeparator(wchar_t unit)
{
    return unit == L'\\' || unit == L'/';
}

bool IsDriveLetter(wchar_t unit)
{
    return (unit >= L'A' && unit <= L'Z') || (unit >= L'a' && unit <= L'z');
}

// The component starting at `name` and running to a separator or the end: whether the platform
// takes it for a device. It decides on the part before the first '.', blanks at its end ignored,
// without regard to case ("aux.wav", "Com1 .mp3", "nul").
bool IsDeviceComponent(const wchar_t* name)
{
    int length = 0;
    while (name[length] && name[length] != L'.' && !IsSeparator(name[length]))
        length++;
    while (length > 0 && name[length - 1] == L' ')
        length--;
    if (length == 0 || length > DEVICE_NAME_MAX)
        return false;
    wchar_t stem[DEVICE_NAME_MAX + 1];
    KStrNCpyW(stem, name, length);
    stem[length] = 0;
    for (const wchar_t* device : DEVICE_NAMES) {
        if (KStrICmpW(stem, device) == 0)
            return true;
    }
    if (length != NUMBERED_DEVICE_LENGTH + 1 || KStrChrW(DEVICE_DIGITS, stem[length - 1], 0) < 0)
        return false;
    stem[NUMBERED_DEVICE_LENGTH] = 0;
    for (const wchar_t* device : NUMBERED_DEVICES) {
        if (KStrICmpW(stem, device) == 0)
            return true;
    }
    return false;
}

// The start of the last component; a drive ("C:aux.wav") ends one too.
const wchar_t* LastComponent(const wchar_t* path)
{
    const wchar_t* last = path;
    for (const wchar_t* at = path; *at; at++) {
        if (IsSeparator(*at) || *at == L':')
            last = at + 1;
    }
    return last;
}

// "C:" and then components, each after one separator, none empty, "." or "..": a path the
// verbatim form holds as written.
bool IsPlainDrivePath(const wchar_t* path)
{
    if (!IsDriveLetter(path[0]) || path[1] != L':' || !IsSeparator(path[2]))
        return false;
    const wchar_t* component = path + 3;
    for (;;) {
        int length = 0;
        while (component[length] && !IsSeparator(component[length]))
            length++;
        const bool dots = (length == 1 && component[0] == L'.')
                          || (length == 2 && component[0] == L'.' && component[1] == L'.');
        if (length == 0 || dots)
            return false;
        if (!component[length])
            return true;
        component += length + 1;
    }
}

bool IsVerbatim(const wchar_t* path)
{
    return KStrNCmpW(path, KVERBATIM_PREFIX, KVERBATIM_PREFIX_LENGTH) == 0;
}

} // namespace

int MakeOpenPath(const wchar_t* path, KStringW& out)
{
    out.Empty();
    if (!path)
        return -1;
    const int length = KStrLenW(path);
    if (IsVerbatim(path))
        return out.Assign(path, length);
    const bool device = IsDeviceComponent(LastComponent(path));
    if (!device && length <= MAX_PATH - 1)
        return out.Assign(path, length);
    if (!IsPlainDrivePath(path))
        return device ? -1 : out.Assign(path, length);
    if (!out.Reserve(KVERBATIM_PREFIX_LENGTH + length))
        return -1;
    out.Assign(KVERBATIM_PREFIX, KVERBATIM_PREFIX_LENGTH);
    const int at = out.Append(path, length);
    if (at < 0) {
        out.Empty();
        return -1;
    }
    wchar_t* units = out.GetBuffer();
    for (int i = KVERBATIM_PREFIX_LENGTH; i < at; i++) {
        if (units[i] == L'/')
            units[i] = L'\\';
    }
    return at;
}
