"""The player page's flows through Lumo.exe (suite "E2eFlows"): real audio files made by sox beside
Lumo.exe and listed in its "PlayList.txt", played with a real double click, watched on screenshots
(the title, the elapsed time) and in the files Lumo writes.
"""

import os
import subprocess

import flows
import playlist_file
from lumo_e2e import STATUS_BAR, TITLE_BAR, check, flow, wait_for

# Rows of the playing list are 50 pixels high at the shipped 160 dpi; the list starts below the
# title bar.
ROW = 50
LIST_TOP = STATUS_BAR + TITLE_BAR
# The elapsed time label: the left end of the time row above the title label and the button bar.
ELAPSED = (0, 378, 40, 400)


def make_tone(path, seconds):
    """A quiet mono tone of `seconds` written by sox (played into the null sound device)."""
    subprocess.run(["sox", "-n", "-r", "8000", "-c", "1", "-b", "16", path, "synth", str(seconds),
                    "sine", "440", "vol", "0.1"], check=True)


def region(shot, box):
    x0, y0, x1, y1 = box
    return [shot.probe(x, y) for y in range(y0, y1) for x in range(x0, x1)]


@flow(flows.SUITE)
def double_clicking_a_row_plays_its_file_shows_the_time_advancing_and_stores_the_row(suite):
    folder = suite.fresh_folder()
    first, second = os.path.join(folder, "first.wav"), os.path.join(folder, "second.wav")
    make_tone(first, 20)
    make_tone(second, 20)
    stored = [playlist_file.windows_path(first), playlist_file.windows_path(second)]
    with open(os.path.join(folder, "PlayList.txt"), "wb") as f:
        f.write(playlist_file.encode([("Flow", [(stored[0], 20000, "First", "", ""),
                                                (stored[1], 20000, "Second", "B", "A")])]))
    lumo = suite.lumo(folder).start()
    before = flows.wait_for_player_page(lumo, "e2e-player-list")
    columns = flows.title_text_columns(before)
    check(columns and 25 <= columns[-1] - columns[0] <= 60,
          "the title does not show the four letters of \"Flow\": columns %r" % (columns[:1] + columns[-1:],))

    lumo.double_click(160, LIST_TOP + ROW + ROW // 2)
    settings = flows.utf16_file("\n[Default]\nPlayingFile = 1\n")
    wait_for(lambda: lumo.read("Settings.ini") == settings, 10.0, 0.1,
             "Settings.ini to store the row played")
    started = region(lumo.screenshot("e2e-player-playing"), ELAPSED)
    wait_for(lambda: region(lumo.screenshot(), ELAPSED) != started, 5.0, 0.2,
             "the elapsed time to advance")
    lumo.screenshot("e2e-player-advanced")

    check(lumo.close() == 0, "Alt+F4 while playing did not end Lumo with exit code 0")
    # At exit only the position in the playing file is added, for the next start to go on from.
    position = flows.setting(lumo.read("Settings.ini"), "PlayingPosition") or 0
    check(lumo.read("Settings.ini") == flows.utf16_file("\n[Default]\nPlayingFile = 1\nPlayingPosition = %d\n"
                                                         % position) and 0 < position < 20000,
          "Settings.ini at exit: %r" % lumo.read("Settings.ini"))
    check(playlist_file.names_and_paths(lumo.read("PlayList.txt"))
          == [("Flow", stored)],
          "PlayList.txt lost its playlist")
