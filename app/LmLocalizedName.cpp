// MakeLocalizedName: full locale name, then the language alone, then no locale at all.
#include "app/LmLocalizedName.h"

#include "foundation/CKFile.h"
#include "foundation/KPaths.h"
#include "foundation/KText.h"

int MakeLocalizedNameFor(wchar_t* buffer, const wchar_t* base, const wchar_t* extension,
                         const wchar_t* locale)
{
    if (locale && locale[0]) {
        FormatText(buffer, KMAX_PATH, L"%s.%s.%s", base, locale, extension);
        if (CKFile::Exists(buffer))
            return 1;
        if (locale[1] && locale[2]) {
            // The language alone: the first two characters ("zh" of "zh-HK").
            FormatText(buffer, KMAX_PATH, L"%s.%.2s.%s", base, locale, extension);
            if (CKFile::Exists(buffer))
                return 1;
        }
    }
    FormatText(buffer, KMAX_PATH, L"%s.%s", base, extension);
    return 1;
}

int MakeLocalizedName(wchar_t* buffer, const wchar_t* base, const wchar_t* extension)
{
    wchar_t locale[KLOCALE_NAME_CAPACITY];
    GetUserLocaleName(locale);   // on failure the locale is empty: the plain name is used
    return MakeLocalizedNameFor(buffer, base, extension, locale);
}
