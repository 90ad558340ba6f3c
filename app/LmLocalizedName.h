// Picks the localised variant of a resource file name by the user's locale: "HelpText.zh-CN.xml",
// else "HelpText.zh.xml", else "HelpText.xml". A variant counts when CKFile::Exists finds it (a
// loose file in AppResDir or a compiled-in resource).
#pragma once

// Fills `buffer` (KMAX_PATH units) with the name for the user's default locale; returns 1.
int MakeLocalizedName(wchar_t* buffer, const wchar_t* base, const wchar_t* extension);
// The same for the locale name `locale` (such as "zh-TW"); an empty or null locale gives
// "base.extension" at once. Returns 1.
int MakeLocalizedNameFor(wchar_t* buffer, const wchar_t* base, const wchar_t* extension,
                         const wchar_t* locale);
