// The ids of the music player's string table (resources/StringTable.rc, which includes this file
// and names every entry by these macros). Plain #defines, so that the resource compiler's
// preprocessor reads them as the C++ code does. A page's id is the id of its title, and a title
// button's command is the id of its text (app/LmPageTable.h).
#pragma once

// No text: an alert without a title, or a dialog button that is not there.
#define IDS_NONE 0

// Pages (their titles) and their title buttons.
#define IDS_PAGE_PLAYER 3000          // "Lumo"
#define IDS_PLAYER_MENU 3001          // "菜单": opens or closes the playlist panel
#define IDS_PAGE_BROWSE 3002          // "添加文件"
#define IDS_BROWSE_FOLDERS 3003       // "目录": opens or closes the folder tree
#define IDS_BROWSE_OPEN 3004          // "打开": adds the ticked items
#define IDS_PAGE_SETTINGS 3005        // "选项设置"
#define IDS_SETTINGS_BACK 3006        // "返回"
#define IDS_PAGE_HELP 3007            // "使用帮助"
#define IDS_HELP_BACK 3008            // "返回"

// About the program. The version is also the one the help texts and the release carry.
#define IDS_APP_NAME 3009             // "Lumo"
#define IDS_APP_CAPTION 3010          // "Lumo"
#define IDS_VERSION 3011              // "V1.3"
#define IDS_LANGUAGE 3012             // "zh-CN"

// Dialog buttons.
#define IDS_OK 3013                   // "确定"
#define IDS_ADD 3014                  // "添加"
#define IDS_DELETE 3015               // "删除"
#define IDS_CLEAR 3016                // "清空"
#define IDS_RETRY 3017                // "重试"
#define IDS_CANCEL 3018               // "取消"

// The playlist panel: its groups, tool bar and command rows.
#define IDS_GROUP_PLAYLISTS 3019      // "播放列表"
#define IDS_ADD_LIST 3020             // "添加"
#define IDS_EDIT_LIST 3021            // "编辑"
#define IDS_DELETE_ROW 3022           // "删除", also the text of a list row's swipe delete area
#define IDS_GROUP_SORT 3023           // "排序"
#define IDS_SORT_NAME_UP 3024         // "按文件名升序排列"
#define IDS_SORT_NAME_DOWN 3025       // "按文件名降序排列"
#define IDS_SORT_ARTIST_UP 3026       // "按表演者升序排列"
#define IDS_SORT_ARTIST_DOWN 3027     // "按表演者降序排列"
#define IDS_GROUP_SYSTEM 3028         // "系统"
#define IDS_CLEAR_LIST 3029           // "清空当前列表"
#define IDS_SETTINGS 3030             // "选项设置"
#define IDS_ABOUT 3031                // "关于软件"

// What adding, renaming and deleting playlists and playing files can answer.
#define IDS_NAME_EXISTS_ADD 3032      // "列表名称已经存在！添加失败！"
#define IDS_NAME_EMPTY_ADD 3033       // "列表名称不能为空！添加失败！"
#define IDS_TOO_MANY_LISTS 3034       // "列表数已经达到最大限制，无法添加！"
#define IDS_NAME_EXISTS_RENAME 3035   // "列表名称已经存在！修改失败！"
#define IDS_NAME_EMPTY_RENAME 3036    // "列表名称不能为空！修改失败！"
#define IDS_LAST_LIST 3037            // "就剩最后一个列表了，别再删啦！"
#define IDS_FILE_MISSING 3038         // "文件不存在, 打开文件失败!" (not shown: a missing file is
                                      // told as an invalid one)
#define IDS_INVALID_FILE 3039         // "无效的音频文件! 打开文件失败!"
#define IDS_EMPTY_LIST 3040           // "当前列表为空，没有可以播放的项目！"
#define IDS_NO_MEDIA_INFO 3041        // "获取音乐信息失败！无效的音频文件！" (not shown)

// The settings page.
#define IDS_GROUP_GENERAL 3042        // "通用"
#define IDS_EXT_FILTER 3043           // "音频文件扩展名"
#define IDS_ALLOW_SAME_NAMES 3044     // "允许添加同名文件"
#define IDS_GROUP_ABOUT 3045          // "关于"
#define IDS_RATE 3046                 // "评价"
#define IDS_CONTACT 3047              // "联系我们"
#define IDS_HELP 3048                 // "使用帮助"
#define IDS_VERSION_LABEL 3049        // "软件版本："

// The player page's rows and the playlist dialogs.
#define IDS_UNKNOWN_ARTIST 3050       // "未知表演者"
#define IDS_UNKNOWN_ALBUM 3051        // "未知专辑"
#define IDS_DEFAULT_PLAYLIST 3052     // "默认列表"
#define IDS_ADD_TITLE 3053            // "添加播放列表"
#define IDS_EDIT_TITLE 3054           // "编辑播放列表"
#define IDS_DELETE_TITLE 3055         // "删除播放列表"
#define IDS_NAME_PROMPT 3056          // "请输入列表名称："
#define IDS_CONFIRM_DELETE 3057       // "你确认要删除当前播放列表吗？"
#define IDS_CONFIRM_CLEAR 3058        // "你确认要清空当前播放列表吗？"

// The browse page's buttons.
#define IDS_BROWSE_REFRESH 3059       // "刷 新"
#define IDS_BROWSE_ALL 3060           // "全 选"
#define IDS_BROWSE_INVERT 3061        // "反 选"
#define IDS_BROWSE_NONE 3062          // "不 选"
#define IDS_BROWSE_PARENT 3063        // "上 级"

// Toasts and alerts.
#define IDS_NO_MAIL_PROGRAM 3070      // "没有可以写邮件的程序。请写信到这个地址："
#define IDS_ADDED_AS_PLAYLISTS 3090   // "已添加为新的播放列表：%s"
#define IDS_NO_PLAYABLE_FILES 3091    // "文件夹中没有可以播放的文件：%s"
#define IDS_NAME_SEPARATOR 3092       // "、", between the names of those two toasts
#define IDS_SAVE_FAILED 3100          // "保存文件失败！磁盘已满或没有写入权限，下次更改时将重试！"
#define IDS_PATH_TOO_LONG 3101        // "文件路径太长！添加失败！"
#define IDS_PATH_UNSAVABLE 3102       // "文件名含有列表文件无法保存的字符！添加失败！"
#define IDS_NOTHING_TO_OPEN 3120      // "没有可以添加的音频文件！"
