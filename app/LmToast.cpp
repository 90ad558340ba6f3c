// The music player's toasts of a text or a string-table text.
#include "app/LmToast.h"

#include "dialogs/CKToastDialog.h"
#include "foundation/KResource.h"

namespace {

// Longest toast text taken from the string table, in characters.
constexpr int TOAST_TEXT_MAX = 128;

} // namespace

int ShowToastString(int stringId)
{
    wchar_t text[TOAST_TEXT_MAX + 1];
    if (LoadResString((UINT)stringId, text, TOAST_TEXT_MAX + 1) <= 0)
        return 0;
    return ShowToastText(text);
}

int ShowToastText(const wchar_t* text)
{
    return ShowToast(text, LMTOAST_DURATION_MS, KTOAST_CENTRE);
}
