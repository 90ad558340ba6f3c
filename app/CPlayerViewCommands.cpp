// CPlayerView: the commands of the playlist panel. Names are asked for and confirmations given
// through input boxes and alerts owned by the view; their first button comes back here with code
// 2561 (an input box passing the entered text), and a failed add or rename offers "重试". The
// name boxes take no more than a playlist file line holds.
#include "app/CPlayerView.h"

#include "app/CLmPlayListFile.h"
#include "app/CLmPlayListView.h"
#include "app/LmPageTable.h"
#include "controls/CKButton.h"
#include "dialogs/CKAlertDialog.h"
#include "dialogs/CKInputDialog.h"
#include "ui/KViewStack.h"

namespace {

// Dialog ids beyond the panel's own commands: the alerts after a failed add and rename.
constexpr int LMDLG_ADD_FAILED = 5055;
constexpr int LMDLG_RENAME_FAILED = 5056;
// The range of ids the panel's commands and dialogs use.
constexpr int LMCMD_FIRST = LMID_PLAYLIST_CTRL;
constexpr int LMCMD_LAST = LMCMD_ABOUT;

// Texts of the string table.
constexpr int IDS_OK = 3013;
constexpr int IDS_ADD = 3014;
constexpr int IDS_DELETE = 3015;
constexpr int IDS_CLEAR = 3016;
constexpr int IDS_RETRY = 3017;
constexpr int IDS_CANCEL = 3018;
constexpr int IDS_NAME_EXISTS_ADD = 3032;     // "列表名称已经存在！添加失败！"
constexpr int IDS_NAME_EMPTY_ADD = 3033;      // "列表名称不能为空！添加失败！"
constexpr int IDS_NAME_EXISTS_RENAME = 3035;  // "列表名称已经存在！修改失败！"
constexpr int IDS_NAME_EMPTY_RENAME = 3036;   // "列表名称不能为空！修改失败！"
constexpr int IDS_LAST_LIST = 3037;           // "就剩最后一个列表了，别再删啦！"
constexpr int IDS_ADD_TITLE = 3053;           // "添加播放列表"
constexpr int IDS_EDIT_TITLE = 3054;          // "编辑播放列表"
constexpr int IDS_NAME_PROMPT = 3056;         // "请输入列表名称："
constexpr int IDS_CONFIRM_DELETE = 3057;      // "你确认要删除当前播放列表吗？"
constexpr int IDS_CONFIRM_CLEAR = 3058;       // "你确认要清空当前播放列表吗？"
// An alert without a title, or a button that is not there.
constexpr int IDS_NONE = 0;
// Dialog id of an alert without owner: nothing answers it.
constexpr int LMDLG_UNANSWERED = 0;

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
