// CHelpContainer: the help text's label, its file chosen by locale, and leaving the page.
#include "app/CHelpContainer.h"

#include "app/LmLocalizedName.h"
#include "app/LmPageTable.h"
#include "app/LmStringIds.h"
#include "foundation/KPaths.h"
#include "ui/CKView.h"

K_IMPLEMENT_CLASS(CHelpContainer, CKContainer)

namespace {

constexpr wchar_t HELP_BASE_NAME[] = L"HelpText";
constexpr wchar_t HELP_EXTENSION[] = L"xml";
// The label scrolls vertically, takes the focus when pressed and lays out as soon as it is sized.
constexpr unsigned int HELP_TEXT_FLAGS = KRLF_LAYOUT | KWF_TABSTOP | KWF_VSCROLL;

} // namespace

int CHelpContainer::OnCreate()
{
    if (!CKContainer::OnCreate())
        return 0;
    if (!label.Create(0, LMID_HELP_TEXT, this, HELP_TEXT_FLAGS))
        return 0;
    LoadHelp(nullptr);
    return 1;
}

int CHelpContainer::LoadHelp(const wchar_t* locale)
{
    wchar_t path[KMAX_PATH];
    if (locale)
        MakeLocalizedNameFor(path, HELP_BASE_NAME, HELP_EXTENSION, locale);
    else
        MakeLocalizedName(path, HELP_BASE_NAME, HELP_EXTENSION);
    return label.LoadText(path);
}

void CHelpContainer::OnSize()
{
    CKContainer::OnSize();
    RECT client;
    if (GetClientRect(&client))
        label.Move(client);
}

int CHelpContainer::OnCommand(int command)
{
    if (command != IDS_HELP_BACK)
        return CKContainer::OnCommand(command);
    if (view)
        view->Close();
    return 1;
}

int CHelpContainer::OnBack()
{
    return OnCommand(IDS_HELP_BACK);
}
