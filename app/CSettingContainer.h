// CSettingContainer: the content of the settings page (CSettingView): one grouped list with the
// browser's file-name filter and the entries about the program (rate, contact, help, version).
// Only the filter is a setting: a tap on it opens an input box, and "确定" stores the text in
// "Settings.ini" at once and shows it as the entry's second line. "联系我们" hands a mail link to
// the system, or, without a mail program, shows the address. The page is left by the title's
// back button (command IDS_SETTINGS_BACK) or the back key.
#pragma once
#include "app/LmIds.h"
#include "controls/CKListBox.h"
#include "ui/CKContainer.h"

// The address "联系我们" writes to.
extern const wchar_t* const LM_CONTACT_ADDRESS;

// Hands a link to whatever opens it; returns the shell's result (above 32: success).
typedef INT_PTR (*LmOpenLinkProc)(const wchar_t* link);
// Replaces the link opener (none: the shell's, ShellExecuteW with the default verb and show
// command 5); returns the previous one. Tests put a recorder here so that no mail program starts.
LmOpenLinkProc SetOpenLinkProc(LmOpenLinkProc proc);
// Opens "mailto://" + address, followed by "?subject=" + subject and "&body=" + body when given
// (the first part present takes the '?'); the texts go into the link as they are. Returns the
// opener's result, 0 when the link could not be built.
INT_PTR OpenMailLink(const wchar_t* address, const wchar_t* subject, const wchar_t* body);

class CSettingContainer : public CKContainer
{
    K_DECLARE_CLASS(CSettingContainer)
public:
    CSettingContainer() = default;

    // After the base: the list's background "LmContainerBkgnd" and its group-mode looks.
    void Initialize(unsigned int style) override;
    // After the base: the list's window and its eight entries with their heights.
    int OnCreate() override;
    // The list fills the container.
    void OnSize() override;
    // Taps on the entries (1281 from the list), and the filter's input box: Enter made its
    // "确定" when it is filled, and its outcome.
    int OnNotify(int id, int code, INT_PTR param) override;
    // IDS_SETTINGS_BACK closes the page.
    int OnCommand(int command) override;
    // As command IDS_SETTINGS_BACK; handled.
    int OnBack() override;

    CKListBox* GetList() { return &list; }
    // The list index of the filter entry, -1 before the list is filled.
    int GetFilterIndex() const { return filterIndex; }

private:
    // Empties the list and adds the entries, icons and heights.
    void FillList();
    // What a tap on the entry with command `command` does.
    void OnEntryTap(int command);
    // "确定" in the filter's input box: stored, written, shown.
    void OnFilterEdited(const wchar_t* text);
    // When no program took the mail link: an alert holding the address, to be copied by hand.
    void ShowAddressAlert();

    CKListBox list;         // owned (a member)
    int filterIndex = -1;
};
