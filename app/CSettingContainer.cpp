// CSettingContainer: the settings list, its entries and what a tap on each does, the filter's
// input box, the mail link and the way back.
#include "app/CSettingContainer.h"

#include <shellapi.h>

#include "app/LmPageTable.h"
#include "app/LmSettings.h"
#include "app/LmStringIds.h"
#include "dialogs/CKAlertDialog.h"
#include "dialogs/CKDialog.h"
#include "dialogs/CKInputDialog.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KResource.h"
#include "foundation/KString.h"
#include "graphics/CKImage.h"
#include "graphics/CKStateBoxDrawable.h"
#include "graphics/KDrawableRegistry.h"
#include "graphics/KImageCache.h"
#include "ui/CKView.h"
#include "ui/KViewStack.h"

K_IMPLEMENT_CLASS(CSettingContainer, CKContainer)

const wchar_t* const LM_CONTACT_ADDRESS = L"lumo@example.org";

namespace {

// The filter's input box: "确定" is its second button.
constexpr int FILTER_OK_BUTTON = 2;
// ShellExecuteW's results up to this value are failures.
constexpr INT_PTR SHELL_LAST_FAILURE = 32;

// Ready to repaint, a tab stop, scrolling vertically, painting its whole area.
constexpr unsigned int LIST_FLAGS = KWF_REPAINT_ON_CHANGE | KWF_TABSTOP | KWF_VSCROLL | KWF_OPAQUE;
// An entry that leads somewhere: the arrow box at the right edge.
constexpr unsigned int LINK_ROW = KBOX_SUBVIEW | KLI_BOX_RIGHT;
// Group headers are this high, in base units (horizontal resolution).
constexpr int HEADER_HEIGHT_UNITS = 20;
// Rows are this much higher than their content, in base units (horizontal resolution).
constexpr int ROW_PADDING_UNITS = 4;
// Show command of the shell's open: SW_SHOW.
constexpr int OPEN_SHOW_COMMAND = 5;
// The icons, 32 x 32 cells.
const wchar_t ICON_FILE[] = L"SettingImg.png";
constexpr int ICON_CELL_SIZE = 32;
constexpr int NO_ICON = -1;

// One entry of the list, in list order.
struct LmSettingEntry
{
    unsigned int flags;   // KLI_* row flags
    int textId;           // first line; 0: none
    int iconCell;         // cell of ICON_FILE, or NO_ICON
    int command;          // the row's user data; 0 for headers
};

const LmSettingEntry ENTRIES[] = {
    {KLI_HEADER, IDS_GROUP_GENERAL, NO_ICON, 0},
    {LINK_ROW, IDS_EXT_FILTER, 0, LMID_SETTING_FILTER},
    {KLI_HEADER, IDS_GROUP_ABOUT, NO_ICON, 0},
    {LINK_ROW, IDS_RATE, 3, LMID_SETTING_RATE},
    {LINK_ROW, IDS_CONTACT, 2, LMID_SETTING_CONTACT},
    {LINK_ROW, IDS_HELP, 4, LMID_SETTING_HELP},
    {0, IDS_VERSION_LABEL, 5, LMID_SETTING_VERSION},
    {KLI_HEADER, 0, NO_ICON, 0},
};
constexpr int ENTRY_COUNT = (int)(sizeof(ENTRIES) / sizeof(ENTRIES[0]));
// The entry whose natural height sets the rows' default height: the version, second-to-last.
constexpr int MEASURED_ENTRY = ENTRY_COUNT - 2;

INT_PTR OpenWithShell(const wchar_t* link)
{
    return (INT_PTR)ShellExecuteW(nullptr, nullptr, link, nullptr, nullptr, OPEN_SHOW_COMMAND);
}

LmOpenLinkProc g_openLink = OpenWithShell;

// The text of string `id` appended to `text`; a missing string adds nothing.
void AppendString(KStringW& text, int id)
{
    KStringW part;
    if (id && LoadResString((UINT)id, part) > 0)
        text.Append(part);
}

} // namespace

LmOpenLinkProc SetOpenLinkProc(LmOpenLinkProc proc)
{
    LmOpenLinkProc previous = g_openLink;
    g_openLink = proc ? proc : OpenWithShell;
    return previous;
}

INT_PTR OpenMailLink(const wchar_t* address, const wchar_t* subject, const wchar_t* body)
{
    KStringW link(L"mailto://");
    bool ok = link.Append(address ? address : L"") >= 0;
    const wchar_t* separator = L"?";
    if (ok && subject) {
        ok = link.Append(separator) >= 0 && link.Append(L"subject=") >= 0
             && link.Append(subject) >= 0;
        separator = L"&";
    }
    if (ok && body)
        ok = link.Append(separator) >= 0 && link.Append(L"body=") >= 0 && link.Append(body) >= 0;
    return ok ? g_openLink(link) : 0;
}

// ---- Creation and layout ------------------------------------------------------------------------

void CSettingContainer::Initialize(unsigned int newStyle)
{
    CKContainer::Initialize(newStyle);
    list.SetBackground(GetDrawable("LmDrawable.xml", "LmContainerBkgnd"));
    list.Initialize(KLBS_GROUP);
}

int CSettingContainer::OnCreate()
{
    if (!CKContainer::OnCreate())
        return 0;
    if (list.GetHwnd())
        return 1;
    if (!list.Create(KLBS_GROUP, LMID_SETTING_LIST, this, LIST_FLAGS))
        return 0;
    FillList();
    return 1;
}

void CSettingContainer::FillList()
{
    list.SetRedraw(0);
    list.RemoveAllItems();
    filterIndex = -1;
    CKImgList* icons =
        GetImgListByCell(ICON_CELL_SIZE, ICON_CELL_SIZE, ICON_FILE, KIMG_TYPE_PNG, KIMG_AUTO);
    for (const LmSettingEntry& entry : ENTRIES) {
        const int index = list.AddItem(entry.flags);
        if (index < 0)
            break;
        KStringW text;
        AppendString(text, entry.textId);
        if (entry.command == LMID_SETTING_VERSION)
            AppendString(text, IDS_VERSION);
        const bool filter = entry.command == LMID_SETTING_FILTER;
        list.SetItemText(index, text, -1, filter ? LmSettings::GetBrowseExtFilter() : nullptr, -1);
        if (entry.flags & KLI_HEADER) {
            list.SetItemHeight(index, UnitToPixels(HEADER_HEIGHT_UNITS, 1));
            continue;
        }
        if (icons)
            list.SetItemIcon(index, icons, entry.iconCell);
        list.SetItemData(index, entry.command);
        if (filter)
            filterIndex = index;
    }
    const int padding = UnitToPixels(ROW_PADDING_UNITS, 1);
    SIZE size = {0, 0};
    if (list.CalcItemSize(MEASURED_ENTRY, size))
        list.SetDefaultItemHeight(size.cy + padding);
    size = {0, 0};
    if (list.CalcItemSize(filterIndex, size))
        list.SetItemHeight(filterIndex, size.cy + padding);
    list.SetRedraw(1);
}

void CSettingContainer::OnSize()
{
    CKContainer::OnSize();
    RECT client;
    if (GetClientRect(&client))
        list.Move(client);
}

// ---- Input --------------------------------------------------------------------------------------

int CSettingContainer::OnNotify(int notifyId, int code, INT_PTR param)
{
    if (notifyId == LMID_SETTING_LIST && code == KNOTIFY_LB_TAP) {
        OnEntryTap((int)list.GetItemData((int)param));
        return 1;
    }
    if (notifyId == LMID_SETTING_FILTER && code == KDLG_BUTTON2 && param) {
        OnFilterEdited((const wchar_t*)param);
        return 1;
    }
    if (notifyId == LMID_SETTING_FILTER && code == KDLG_FILL && param) {
        // Its buttons are "取消" and "确定", in that order: Enter confirms with the second.
        reinterpret_cast<CKDialog*>(param)->SetDefaultButton(FILTER_OK_BUTTON);
        return 1;
    }
    return CKContainer::OnNotify(notifyId, code, param);
}

void CSettingContainer::OnEntryTap(int command)
{
    switch (command) {
    case LMID_SETTING_FILTER:
        ShowInputById(IDS_EXT_FILTER, 0, IDS_CANCEL, IDS_OK, LmSettings::GetBrowseExtFilter(),
                      LMID_SETTING_FILTER, this);
        break;
    case LMID_SETTING_CONTACT:
        if (OpenMailLink(LM_CONTACT_ADDRESS, nullptr, nullptr) <= SHELL_LAST_FAILURE)
            ShowAddressAlert();
        break;
    case LMID_SETTING_HELP:
        ShowPage(IDS_PAGE_HELP);
        break;
    default:   // rate and version: the selection only
        break;
    }
}

void CSettingContainer::ShowAddressAlert()
{
    KStringW text, title, ok;
    AppendString(text, IDS_NO_MAIL_PROGRAM);
    text.Append(L"\n");
    text.Append(LM_CONTACT_ADDRESS);
    AppendString(title, IDS_CONTACT);
    AppendString(ok, IDS_OK);
    ShowAlert(text, title, ok, nullptr, nullptr, LMID_SETTING_CONTACT, nullptr);
}

void CSettingContainer::OnFilterEdited(const wchar_t* text)
{
    LmSettings::SetBrowseExtFilter(text);
    // Written at once: an edited filter survives a run that ends without a clean exit.
    LmSettings::SaveSettings();
    KStringW label;
    AppendString(label, IDS_EXT_FILTER);
    list.SetItemText(filterIndex, label, -1, LmSettings::GetBrowseExtFilter(), -1);
}

int CSettingContainer::OnCommand(int command)
{
    if (command != IDS_SETTINGS_BACK)
        return CKContainer::OnCommand(command);
    if (view)
        view->Close();
    return 1;
}

int CSettingContainer::OnBack()
{
    OnCommand(IDS_SETTINGS_BACK);
    return 1;
}
