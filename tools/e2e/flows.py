"""The user's flows through Lumo.exe, one function each (suite "E2eFlows"): what a user does with real
X input, and what the user or a later run can see of it.

A new flow is a function taking the suite (lumo_e2e.Suite), decorated with @flow(SUITE); it makes a
fresh folder, starts Lumo in it, acts, checks with lumo_e2e.check / wait_for / screenshots, and leaves
Lumo ended (a flow that fails leaves it to the runner, which ends what it started).
"""

import re

from lumo_e2e import CLIENT_CX, CLIENT_CY, STATUS_BAR, TITLE_BAR, check, flow
import playlist_file

SUITE = "E2eFlows"

# Colours of the screen (r, g, b) and places to probe them.
STATUS_BAR_TOP = (0x4A, 0x4A, 0x4A)   # the status bar's lightest row, its first
TITLE_BAND = (46, 50, 65)             # the title bar's band
PICTURE_ICON = (160, STATUS_BAR + 190)  # the start-up picture's blue icon, middle of the page area
ACCENT = (35, 114, 204)               # the player page's blue: title accent bar, play button
ACCENT_BAR = (48, STATUS_BAR + 22)    # the accent bar left of the playlist's name in the title
MENU_BAR = (248, 248, 248)            # the menu button's three bars, at x 22 and these rows
MENU_BARS_X = 22
MENU_BARS_Y = (STATUS_BAR + 16, STATUS_BAR + 22, STATUS_BAR + 28)
PLAY_BUTTON = (150, 453)              # the left half of the play button's disc (its triangle is white)


def shows_picture(shot):
    """The start-up picture: its blue icon in the middle of the page area."""
    r, _, b = shot.probe(*PICTURE_ICON)
    return b > 150 and b > r + 60


def title_text_columns(shot):
    """The columns of the title band right of the accent bar that hold (nearly) white pixels: where
    the selected playlist's name is written."""
    return [x for x in range(ACCENT_BAR[0] + 4, CLIENT_CX)
            if any(shot.near(x, y, (255, 255, 255), 40) for y in range(STATUS_BAR, STATUS_BAR + TITLE_BAR))]


def shows_player_page(shot):
    """The player page painted whole: its title band with the menu button's three bars at the left,
    and the blue play button in the bar at the bottom; no trace of the picture's icon."""
    return (shot.near(250, STATUS_BAR + 2, TITLE_BAND, 2) and shot.near(*PLAY_BUTTON, ACCENT, 8)
            and all(shot.near(MENU_BARS_X, y, MENU_BAR, 12) for y in MENU_BARS_Y)
            and shot.near(MENU_BARS_X, MENU_BARS_Y[0] + 3, TITLE_BAND, 12) and not shows_picture(shot))


def wait_for_player_page(lumo, name=None):
    lumo.check_screen_size()
    shot = lumo.wait_for_screen(shows_player_page, 10.0, "the player page")
    if name:
        lumo.screenshot(name)
    check(shot.near(60, 0, STATUS_BAR_TOP), "status bar not painted: %r" % (shot.probe(60, 0),))
    return shot


def sample_playlists():
    """A "PlayList.txt" as Lumo writes it: two lists, Chinese names, measured records (a record
    with duration 0 would be measured at start and the file rewritten)."""
    return playlist_file.encode([
        ("我的最爱", [(r"C:\Music\周杰伦 - 晴天.mp3", 269000, "晴天", "叶惠美", "周杰伦"),
                      (r"C:\Music\Miles Davis - So What.wav", 562000, "So What", "Kind of Blue",
                       "Miles Davis")]),
        ("Jazz", [(r"D:\Jazz\Take Five.mp3", -1, "Take Five", "", "")]),
    ])


SAMPLE_SETTINGS = "[Default]\r\nLoopType=1\r\nPlayListSelected=1\r\nPlayingList=0\r\nPlayingFile=1\r\n"


def utf16_file(text):
    return b"\xff\xfe" + text.encode("utf-16-le")


def setting(data, name):
    """The integer value of "name = value" in "Settings.ini" bytes `data`, or None."""
    text = data.decode("utf-16-le", "replace") if data else ""
    found = re.search(r"\n%s = (-?\d+)\n" % re.escape(name), text)
    return int(found.group(1)) if found else None


@flow(SUITE)
def first_start_on_an_empty_folder_shows_the_picture_then_the_player_page_and_writes_nothing(suite):
    lumo = suite.lumo(suite.fresh_folder()).start()
    shot = lumo.wait_for_screen(shows_picture, 10.0, "the start-up picture")
    lumo.screenshot("e2e-startup")
    check(shot.near(60, 0, STATUS_BAR_TOP), "status bar not painted over the picture")
    check(shot.probe(160, STATUS_BAR + 5)[2] < 90, "the picture's dark top is missing")
    shot = wait_for_player_page(lumo, "e2e-player-empty")
    # The title names the default list "默认列表": four Chinese characters, about 80 pixels wide.
    columns = title_text_columns(shot)
    check(columns and 70 <= columns[-1] - columns[0] <= 100,
          "the title does not show a four-character name: columns %r" % (columns[:1] + columns[-1:],))
    check(lumo.close() == 0, "Alt+F4 did not end Lumo with exit code 0")
    # The default list lives in memory until the user changes something; settings at their
    # defaults are not written either.
    check(lumo.read("PlayList.txt") is None, "a first start wrote PlayList.txt")
    check(lumo.read("Settings.ini") is None, "a first start wrote Settings.ini")


@flow(SUITE)
def closing_the_window_during_the_start_up_picture_ends_with_exit_code_0(suite):
    lumo = suite.lumo(suite.fresh_folder()).start()
    lumo.wait_for_screen(shows_picture, 10.0, "the start-up picture")
    check(lumo.close() == 0, "closing during the picture did not end Lumo with exit code 0")


@flow(SUITE)
def the_back_key_on_the_player_page_ends_the_program_with_exit_code_0(suite):
    lumo = suite.lumo(suite.fresh_folder()).start()
    wait_for_player_page(lumo)
    lumo.key("Escape")
    check(lumo.wait_exit() == 0, "the back key did not end Lumo with exit code 0")


@flow(SUITE)
def quit_and_restart_finds_playlists_and_settings_as_they_were(suite):
    playlists = sample_playlists()
    settings = utf16_file(SAMPLE_SETTINGS)
    folder = suite.fresh_folder({"PlayList.txt": playlists, "Settings.ini": settings})
    pages = []
    for run in (1, 2):
        lumo = suite.lumo(folder).start()
        shot = wait_for_player_page(lumo)
        # Settings.ini selects the second list, "Jazz": four narrow letters, not "我的最爱".
        columns = title_text_columns(shot)
        check(columns and columns[-1] - columns[0] < 60, "run %d does not show the list Jazz" % run)
        # The page below the status bar (whose clock moves): the selected list "Jazz" in the title,
        # its rows, the loop button showing "repeat the list".
        pages.append(lumo.wait_until_still().rows(STATUS_BAR, CLIENT_CY))
        check(lumo.close() == 0, "run %d did not end with exit code 0" % run)
        check(lumo.read("PlayList.txt") == playlists, "run %d changed PlayList.txt" % run)
        check(lumo.read("Settings.ini") == settings, "run %d changed Settings.ini" % run)
    check(pages[0] == pages[1], "the restarted program shows another page than before")
