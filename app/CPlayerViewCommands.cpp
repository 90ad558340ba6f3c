// CPlayerView: the commands of the playlist panel. Names are asked for and confirmations given
// through input boxes and alerts owned by the view; their first button comes back here with code
// KDLG_BUTTON1 (an input box passing the entered text), and a failed add or rename offers "重试". The
// name boxes take no more than a playlist file line holds.
#include "app/CPlayerView.h"

#include "app/CLmPlayListFile.h"
#include "app/CLmPlayListView.h"
#include "app/LmIds.h"
#include "app/LmPageTable.h"
#include "app/LmStringIds.h"
#include "controls/CKButton.h"
#include "dialogs/CKAlertDialog.h"
#include "dialogs/CKInputDialog.h"
#include "ui/KViewStack.h"

namespace {

// The entered text an input box passes with its button; empty for none.
const wchar_t* EnteredText(INT_PTR param)
{
    const wchar_t* text = reinterpret_cast<const wchar_t*>(param);
    return text ? text : L"";
}

// An alert with "重试" and "取消", answered with `dialogId`.
void ShowRetryAlert(int textId, int dialogId, CKWindow* owner)
{
    ShowAlertById(textId, IDS_NONE, IDS_RETRY, IDS_CANCEL, IDS_NONE, dialogId, owner);
}

} // namespace

int CPlayerView::OnNotify(int notifyId, int code, INT_PTR param)
{
    CLmPlayListCtrl* lists = container.GetPlayListCtrl();
    if (notifyId < LMCMD_FIRST || notifyId > LMCMD_LAST || !lists)
        return CKView::OnNotify(notifyId, code, param);
    CLmPlayList* selected = lists->GetSelectedPlayList();

    if (code == KDLG_FILL && (notifyId == LMID_ADD_LIST || notifyId == LMID_EDIT_LIST)) {
        CKDialog* dialog = reinterpret_cast<CKDialog*>(param);
        if (dialog && dialog->IsKindOf(K_RUNTIME_CLASS(CKInputDialog)))
            static_cast<CKInputDialog*>(dialog)->GetInputContainer()->GetEdit()->SetLimit(
                PLAYLIST_MAX_NAME);
        return 1;
    }
    if (code == KNOTIFY_TREE_SELECTED && notifyId == LMID_PLAYLIST_CTRL) {
        container.RefreshTitle();
        container.ReloadList();
        return 1;
    }
    if (code == KNOTIFY_CLICK) {
        switch (notifyId) {
        case LMID_ADD_LIST:
            ShowInputById(IDS_NAME_PROMPT, IDS_ADD_TITLE, IDS_ADD, IDS_CANCEL, L"", LMID_ADD_LIST,
                          this);
            return 1;
        case LMID_EDIT_LIST:
            if (selected)
                ShowInputById(IDS_NAME_PROMPT, IDS_EDIT_TITLE, IDS_OK, IDS_CANCEL,
                              selected->GetName(), LMID_EDIT_LIST, this);
            return 1;
        case LMID_DELETE_LIST:
            if (lists->GetPlayListCount() < 2)
                ShowAlertById(IDS_LAST_LIST, IDS_NONE, IDS_OK, IDS_NONE, IDS_NONE,
                              LMDLG_UNANSWERED, nullptr);
            else
                ShowAlertById(IDS_CONFIRM_DELETE, IDS_NONE, IDS_DELETE, IDS_CANCEL, IDS_NONE,
                              LMID_DELETE_LIST, this);
            return 1;
        case LMCMD_SORT_NAME_UP:
        case LMCMD_SORT_NAME_DOWN:
        case LMCMD_SORT_ARTIST_UP:
        case LMCMD_SORT_ARTIST_DOWN: {
            // The four sorts in order: by name up, down, by artist up, down.
            const int order = notifyId - LMCMD_SORT_NAME_UP;
            container.SortPlayList(order / 2, order % 2);
            return 1;
        }
        case LMCMD_CLEAR_LIST:
            if (container.GetListBox()->GetCount() > 0)
                ShowAlertById(IDS_CONFIRM_CLEAR, IDS_NONE, IDS_CLEAR, IDS_CANCEL, IDS_NONE,
                              LMCMD_CLEAR_LIST, this);
            return 1;
        case LMCMD_SETTINGS:
            ShowPage(IDS_PAGE_SETTINGS);
            return 1;
        case LMCMD_ABOUT:
            ShowPage(IDS_PAGE_HELP);
            return 1;
        default:
            return 0;
        }
    }
    if (code != KDLG_BUTTON1)
        return 0;
    switch (notifyId) {
    case LMID_ADD_LIST: {
        const wchar_t* name = EnteredText(param);
        if (!*name) {
            ShowRetryAlert(IDS_NAME_EMPTY_ADD, LMDLG_ADD_FAILED, this);
        } else if (lists->NameExists(name)) {
            ShowRetryAlert(IDS_NAME_EXISTS_ADD, LMDLG_ADD_FAILED, this);
        } else if (lists->AddPlayList(name)) {
            lists->SelectPlayListByIndex(lists->GetPlayListCount() - 1);
            lists->SavePlayLists();
            container.RefreshTitle();
            container.ReloadList();
        }
        return 1;
    }
    case LMDLG_ADD_FAILED:
        return OnNotify(LMID_ADD_LIST, KNOTIFY_CLICK, 0);
    case LMID_EDIT_LIST: {
        const wchar_t* name = EnteredText(param);
        if (!*name) {
            ShowRetryAlert(IDS_NAME_EMPTY_RENAME, LMDLG_RENAME_FAILED, this);
        } else if (!selected || CompareNames(name, selected->GetName()) == 0) {
            // The same name, perhaps in other capitals: nothing to change.
        } else if (lists->NameExists(name)) {
            ShowRetryAlert(IDS_NAME_EXISTS_RENAME, LMDLG_RENAME_FAILED, this);
        } else if (lists->RenamePlayList(name)) {
            lists->SavePlayLists();
            container.RefreshTitle();
        }
        return 1;
    }
    case LMDLG_RENAME_FAILED:
        return OnNotify(LMID_EDIT_LIST, KNOTIFY_CLICK, 0);
    case LMID_DELETE_LIST: {
        const bool playingDeleted = selected && selected == container.GetPlayingList();
        if (lists->GetPlayListCount() > 1 && lists->DeletePlayList()) {
            container.OnPlayListDeleted(playingDeleted);
            lists->SavePlayLists();
            container.RefreshTitle();
            container.ReloadList();
        }
        return 1;
    }
    case LMCMD_CLEAR_LIST:
        if (selected) {
            selected->RemoveAll();
            container.OnPlayListCleared();
            lists->SavePlayLists();
            container.ReloadList();
        }
        return 1;
    default:
        return 0;
    }
}
