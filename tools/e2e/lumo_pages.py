"""Where things are on Lumo's pages and how a user reaches them, shared by the page flows (drawer,
browse, settings and help, playback, restart): places to tap, colours that tell which page or
dialog shows, the walk to a prepared music folder, and the waits between steps.

All places are client coordinates of the 320 x 480 frame at the shipped 160 dpi (status bar rows
0-23, title bar 24-67). Dialogs dim what lies under them, so a light page background turns grey.
"""

import contextlib
import os
import shutil
import time

import flows
import player_flows
from lumo_e2e import STATUS_BAR, TITLE_BAR, check

# --- The title bar -------------------------------------------------------------------------------
TITLE_LEFT = (22, STATUS_BAR + 22)       # the left button: the menu button, back, or the drawer tree
TITLE_RIGHT = (292, STATUS_BAR + 22)     # the right button of the browse page: "打开"
WHITE = (255, 255, 255)
PAGE = (248, 248, 248)                   # the light background of the pages' lists
DIMMED = (155, 155, 155)                 # PAGE under a dialog's dimming

# --- The player page -----------------------------------------------------------------------------
ROW = player_flows.ROW
LIST_TOP = player_flows.LIST_TOP
LOOP_BUTTON = (40, 453)
PREVIOUS_BUTTON = (108, 453)
PLAY_BUTTON = (160, 453)                 # its centre: white in the play triangle, blue between the pause bars
NEXT_BUTTON = (212, 453)
ADD_FILES_BUTTON = (279, 453)
SLIDER_Y = 387
SLIDER_LEFT, SLIDER_RIGHT = 47, 274      # the track's ends

# --- The drawer (213 pixels wide, over the left of the page) --------------------------------------
DRAWER_ADD = (84, STATUS_BAR + 22)
DRAWER_EDIT = (133, STATUS_BAR + 22)
DRAWER_DELETE = (183, STATUS_BAR + 22)
DRAWER_MENU = (236, STATUS_BAR + 22)     # the page's menu button, moved right by the open drawer
DRAWER_FIRST_LIST = 106                  # the middle of the first playlist row
DRAWER_ROW = 31                          # rows of the drawer, 30 pixels and a separator line
SELECTED_BAR_X = 1                       # the selected playlist's accent bar, at the row's left edge


def drawer_list_y(index):
    """The middle of playlist row `index` under "播放列表"."""
    return DRAWER_FIRST_LIST + index * DRAWER_ROW


def drawer_command_y(lists, command):
    """The middle of command row `command` with `lists` playlists above: 0..3 the four sorts
    (file name up, down, artist up, down), 4 "清空当前列表", 5 "选项设置", 6 "关于软件"."""
    # The sort group's header row comes after the lists, the system group's after the sorts.
    return drawer_list_y(lists) + DRAWER_ROW * (command + 1 + (1 if command >= 4 else 0))


SORT_NAME_UP, SORT_NAME_DOWN, SORT_ARTIST_UP, SORT_ARTIST_DOWN, CLEAR, SETTINGS, HELP = range(7)

# --- Dialogs --------------------------------------------------------------------------------------
INPUT_EDIT_FRAME = (40, 180, 44, 260)    # where the input box's edit shows its blue left frame line
INPUT_LEFT_BUTTON = (92, 278)            # "添加" / "确定" of the playlist boxes
SETTING_OK_BUTTON = (228, 256)           # "确定" of the filter box (its buttons are the other way)
ALERT_LEFT_BUTTON = (92, 298)            # "删除" / "清空" of the two-button alerts
DIALOG_FREE = (300, 420)                 # a place no dialog covers, on the dimmed page

# --- The browse page ------------------------------------------------------------------------------
BROWSE_ROW = 50                          # the list's rows
BROWSE_FRAME = (202, 202, 202)           # the path label's frame lines, and the list's top line
BROWSE_FRAME_X = 300
CHECK_BOX_X = 304
ICON_X = 20

# --- The settings page ----------------------------------------------------------------------------
SETTING_FILTER = (150, 128)              # the "音频文件扩展名" entry
SETTING_FILTER_ICON = (24, 120)          # its blue icon
SETTING_FILTER_LINE = (52, 136, 290, 150)  # its second line, the filter text (x0, y0, x1, y1)
SETTING_HELP = (150, 302)                # the "使用帮助" entry

# The prepared music folder: directly under C:\ of the Wine prefix, named to sort first among
# C:\'s folders ("Program Files", "users", "windows"...), so the walk to it is two taps.
MUSIC_FOLDER = "0 Lumo E2e"


def dark(colour, limit=110):
    return sum(colour) < 3 * limit


def count(shot, box, test):
    """How many pixels of box (x0, y0, x1, y1) pass test(colour)."""
    x0, y0, x1, y1 = box
    return sum(1 for y in range(y0, y1) for x in range(x0, x1) if test(shot.probe(x, y)))


def blue(colour):
    r, g, b = colour
    return b > 150 and b > r + 60


# --- Which page shows -----------------------------------------------------------------------------

def shows_drawer(shot):
    """The drawer is open: its tool bar's white add button, its dark panel, and beside it the page's
    title band, painted there and not a copy of the panel."""
    return (shot.near(*DRAWER_ADD, WHITE, 12) and dark(shot.probe(150, 440), 80)
            and shot.near(260, STATUS_BAR + 2, flows.TITLE_BAND, 2)
            and shot.near(*DRAWER_MENU, flows.MENU_BAR, 12)
            and shot.near(260, 250, PAGE, 8))


def shows_settings(shot):
    return (shot.near(160, STATUS_BAR + 2, flows.TITLE_BAND, 2)
            and shot.near(*SETTING_FILTER_ICON, flows.ACCENT, 8) and shot.near(200, 128, WHITE, 3))


def shows_help(shot):
    """The help page: the title band, and many dark text pixels on white where the text starts."""
    return (shot.near(160, STATUS_BAR + 2, flows.TITLE_BAND, 2) and shot.near(300, 400, PAGE, 3)
            and not shot.near(*SETTING_FILTER_ICON, flows.ACCENT, 40)
            and count(shot, (0, 72, 320, 132), lambda c: dark(c, 120)) > 300)


def shows_browse(shot):
    """The browse page: the title band, the bottom band of five buttons instead of the player's blue
    play button, and the light list."""
    return (shot.near(160, STATUS_BAR + 2, flows.TITLE_BAND, 2)
            and not shot.near(*flows.PLAY_BUTTON, flows.ACCENT, 40)
            and count(shot, (276, 38, 310, 56), lambda c: sum(c) > 600) > 5
            and shot.near(160, 430, PAGE, 8))


def has_edit(shot):
    return count(shot, INPUT_EDIT_FRAME, blue) > 20


def shows_input(shot):
    return shot.near(*DIALOG_FREE, DIMMED, 12) and has_edit(shot)


def shows_alert(shot):
    return shot.near(*DIALOG_FREE, DIMMED, 12) and not has_edit(shot)


def wait_page(lumo, predicate, what, name=None):
    """Waits for the page or dialog, then for its animations to end; returns the still screenshot."""
    lumo.wait_for_screen(predicate, 10.0, what)
    shot = lumo.wait_until_still()
    check(predicate(shot), "%s went away again" % what)
    if name:
        lumo.screenshot(name)
    return shot


# --- The player page's rows -----------------------------------------------------------------------

def player_row_y(row):
    """The middle of row `row` of the player's list."""
    return LIST_TOP + row * ROW + ROW // 2


def title_width(shot):
    """How wide the player page's title text is written (0 without one): which list is selected."""
    columns = flows.title_text_columns(shot)
    return columns[-1] - columns[0] if columns else 0


def row_has_icon(shot, row):
    """Row `row` of the player's list shows its blue file icon."""
    top = LIST_TOP + row * ROW
    return count(shot, (8, top + 10, 32, top + 40), blue) > 20


def row_count(shot, limit=6):
    n = 0
    while n < limit and row_has_icon(shot, n):
        n += 1
    return n


def playing_row(shot, rows=6):
    """The row whose texts are red (the playing file's), or None."""
    for row in range(rows):
        top = LIST_TOP + row * ROW
        if count(shot, (40, top + 4, 200, top + 44),
                 lambda c: c[0] > 180 and c[1] < 130 and c[2] < 150) > 10:
            return row
    return None


def is_playing(shot):
    """The play button shows the pause bars (a file plays) rather than the triangle."""
    return shot.near(*PLAY_BUTTON, flows.ACCENT, 10)


def slider_thumb(shot):
    """The right end of the slider's blue, played part: how far the position is (SLIDER_LEFT when
    nothing is played yet)."""
    xs = [x for x in range(SLIDER_LEFT, SLIDER_RIGHT + 1) if blue(shot.probe(x, SLIDER_Y))]
    return xs[-1] if xs else SLIDER_LEFT


# --- Steps a user takes ---------------------------------------------------------------------------

def open_drawer(lumo, name=None):
    lumo.click(*TITLE_LEFT)
    return wait_page(lumo, shows_drawer, "the drawer", name)


def back_to_player(lumo, name=None):
    lumo.key("Escape")
    return wait_page(lumo, flows.shows_player_page, "the player page", name)


def answer_input(lumo, text, button, erase=0, name=None):
    """In the open input box: erases `erase` characters before the cursor at the end, types `text`
    and taps `button`."""
    if erase:
        lumo.key("End", *["BackSpace"] * erase)
    lumo.type_text(text)
    time.sleep(0.1)
    if name:
        lumo.screenshot(name)
    lumo.click(*button)


@contextlib.contextmanager
def music_folder():
    """For the length of a with block: C:\\0 Lumo E2e\\ in the Wine prefix, with a.mp3, b.wav, c.wav,
    notes.txt (not audio) and the folder Album holding d.mp3 and e.wav, all one-second tones.
    Yields its Windows path, ending in a backslash; the folder is removed at the end."""
    path = os.path.join(os.environ["WINEPREFIX"], "drive_c", MUSIC_FOLDER)
    shutil.rmtree(path, ignore_errors=True)
    try:
        os.makedirs(os.path.join(path, "Album"))
        for name in ("a.mp3", "b.wav", "c.wav", os.path.join("Album", "d.mp3"),
                     os.path.join("Album", "e.wav")):
            player_flows.make_tone(os.path.join(path, name), 1)
        with open(os.path.join(path, "notes.txt"), "wb") as f:
            f.write(b"not audio\r\n")
        yield "C:\\%s\\" % MUSIC_FOLDER
    finally:
        shutil.rmtree(path, ignore_errors=True)


def browse_row_y(shot, index):
    """The middle of row `index` of the browse list. The list starts below the path label, whose
    height follows the path shown when the page was laid out: three pixels below the label's frame."""
    bottom = next((y for y in range(STATUS_BAR + TITLE_BAR + 5, 200)
                   if shot.near(BROWSE_FRAME_X, y, BROWSE_FRAME, 3)), STATUS_BAR + TITLE_BAR + 10)
    return bottom + 3 + BROWSE_ROW // 2 + index * BROWSE_ROW


def walk_to_music_folder(lumo, name=None):
    """From the player page: the add-files button, then (the browse page showing the drives, saved
    as screenshot `name`) drive C:, the first of them, and the music folder, the first row after "..".
    Returns the still browse page."""
    lumo.click(*ADD_FILES_BUTTON)
    shot = wait_page(lumo, shows_browse, "the browse page", name)
    lumo.click(100, browse_row_y(shot, 0))
    shot = lumo.wait_until_still()
    lumo.click(100, browse_row_y(shot, 1))
    time.sleep(0.2)
    return lumo.wait_until_still()


def tick(lumo, shot, rows):
    """Taps the check boxes of `rows` on the browse page `shot`; returns the still page once the last
    one shows its tick."""
    for row in rows:
        lumo.click(CHECK_BOX_X, browse_row_y(shot, row))
    return wait_page(lumo, lambda s: is_ticked(s, rows[-1]), "the ticks")


def browse_icons(shot, rows=7):
    """For each row of the browse list: 'folder' (yellow icon), 'file' (blue icon) or None."""
    kinds = []
    for row in range(rows):
        y = browse_row_y(shot, row)
        if count(shot, (ICON_X - 12, y - 12, ICON_X + 12, y + 12), blue) > 20:
            kinds.append("file")
        elif count(shot, (ICON_X - 12, y - 12, ICON_X + 12, y + 12),
                   lambda c: c[0] > 200 and c[1] > 150 and c[2] < 80) > 20:
            kinds.append("folder")
        else:
            kinds.append(None)
    return kinds


def is_ticked(shot, row):
    return shot.near(CHECK_BOX_X, browse_row_y(shot, row), flows.ACCENT, 10)


def has_setting(data, name, value):
    """Whether "Settings.ini" bytes `data` hold the line "name = value"."""
    return data is not None and ("\n%s = %s\n" % (name, value)).encode("utf-16-le") in data


def settings_file(**entries):
    """The "Settings.ini" Lumo writes: UTF-16LE with mark, a line feed, "[Default]", then
    "name = value" lines in the order given."""
    return flows.utf16_file("\n[Default]\n" + "".join("%s = %s\n" % item for item in entries.items()))
