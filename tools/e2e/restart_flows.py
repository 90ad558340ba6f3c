"""Quit and restart through Lumo.exe (suite "E2eFlows"): a first run sets everything a user can set (a
playlist added from a folder and selected, a file played, the loop type, the browse path, the
filter), ends with the back key, and a second run finds all of it as it was; a file quit at 0:07
goes on from 0:07 after a restart.
"""

import time

import flows
import lumo_pages as pages
import player_flows
import playlist_file
from lumo_e2e import check, flow
from playback_flows import tone_folder, wait_playing

LOOP_ICON = (pages.LOOP_BUTTON[0] - 14, pages.LOOP_BUTTON[1] - 14,
             pages.LOOP_BUTTON[0] + 14, pages.LOOP_BUTTON[1] + 14)


def what_the_player_shows(shot):
    """What must survive a restart on the player page: the title's width (the selected list), the
    rows and the loop button's icon."""
    return pages.title_width(shot), pages.row_count(shot), player_flows.region(shot, LOOP_ICON)


@flow(flows.SUITE)
def quit_and_restart_finds_the_lists_the_playing_file_the_loop_type_and_the_browse_settings(suite):
    with pages.music_folder() as music:
        lumo = suite.lumo(suite.fresh_folder()).start()
        flows.wait_for_player_page(lumo)
        # A folder becomes the playlist "Album" beside the default list, which gets a.mp3 and c.wav.
        pages.tick(lumo, pages.walk_to_music_folder(lumo), (1, 2, 4))
        lumo.click(*pages.TITLE_RIGHT)
        pages.wait_page(lumo, flows.shows_player_page, "the player page")
        # Select "Album" and play its last file once to the end: it stays the playing file.
        pages.open_drawer(lumo)
        lumo.click(100, pages.drawer_list_y(1))
        pages.wait_page(lumo, lambda s: s.near(pages.SELECTED_BAR_X, pages.drawer_list_y(1), flows.ACCENT, 8),
                        "Album selected")
        pages.back_to_player(lumo)
        lumo.double_click(160, pages.player_row_y(1))
        lumo.wait_for_screen(lambda s: pages.playing_row(s) == 1 and pages.is_playing(s), 10.0,
                             "e.wav playing")
        lumo.wait_for_screen(lambda s: not pages.is_playing(s), 10.0, "the list played once")
        # Repeat the list, and the MP3 filter.
        lumo.click(*pages.LOOP_BUTTON)
        pages.open_drawer(lumo)
        lumo.click(100, pages.drawer_command_y(2, pages.SETTINGS))
        pages.wait_page(lumo, pages.shows_settings, "the settings page")
        lumo.click(*pages.SETTING_FILTER)
        pages.wait_page(lumo, pages.shows_input, "the filter box")
        pages.answer_input(lumo, "*.mp3;", pages.SETTING_OK_BUTTON, erase=80)
        pages.wait_page(lumo, pages.shows_settings, "the settings page after the filter")
        lumo.key("Escape")
        pages.wait_page(lumo, pages.shows_drawer, "the drawer")
        before = what_the_player_shows(pages.back_to_player(lumo, "e2e-restart-before"))
        lumo.key("Escape")
        check(lumo.wait_exit() == 0, "the back key did not end the first run with exit code 0")

        settings = lumo.read("Settings.ini")
        for name, value in (("LoopType", "1"), ("PlayListSelected", "1"), ("PlayingList", "1"),
                            ("PlayingFile", "1"), ("BrowsePath", music), ("BrowseExtFilter", "*.mp3;")):
            check(pages.has_setting(settings, name, value),
                  "Settings.ini lacks %s = %s: %r" % (name, value, settings))
        lists = [("默认列表", [music + "a.mp3", music + "c.wav"]),
                 ("Album", [music + "Album\\d.mp3", music + "Album\\e.wav"])]
        check(playlist_file.names_and_paths(lumo.read("PlayList.txt")) == lists,
              "PlayList.txt after the first run: %r" % lumo.read("PlayList.txt"))

        lumo = suite.lumo(lumo.folder).start()
        flows.wait_for_player_page(lumo)
        after = what_the_player_shows(lumo.wait_until_still())
        check(after[:2] == before[:2], "the second run shows title width and rows %r, not %r"
              % (after[:2], before[:2]))
        check(after[2] == before[2], "the loop button shows another loop type after the restart")
        # The play button continues at the stored file: e.wav, the second row of "Album".
        lumo.click(*pages.PLAY_BUTTON)
        lumo.wait_for_screen(lambda s: pages.playing_row(s) == 1 and pages.is_playing(s), 5.0,
                             "the stored file playing")
        lumo.click(*pages.PLAY_BUTTON)
        shot = pages.open_drawer(lumo)
        check(shot.near(pages.SELECTED_BAR_X, pages.drawer_list_y(1), flows.ACCENT, 8),
              "Album is not the selected list after the restart")
        pages.back_to_player(lumo)
        # The browse page opens at the stored folder, filtered: "..", Album, a.mp3.
        lumo.click(*pages.ADD_FILES_BUTTON)
        shot = pages.wait_page(lumo, pages.shows_browse, "the browse page")
        check(pages.browse_icons(shot, 4) == ["folder", "folder", "file", None],
              "the browse page does not open at the stored folder with the filter: %r"
              % pages.browse_icons(shot, 4))
        lumo.key("Escape")
        pages.wait_page(lumo, flows.shows_player_page, "the player page")
        lumo.key("Escape")
        check(lumo.wait_exit() == 0, "the back key did not end the second run with exit code 0")
        # Only the position of the file it paused may have been added.
        position = flows.setting(lumo.read("Settings.ini"), "PlayingPosition")
        kept = b"" if position is None else ("PlayingPosition = %d\n" % position).encode("utf-16-le")
        check(lumo.read("Settings.ini") == settings + kept, "the second run changed Settings.ini: %r"
              % lumo.read("Settings.ini"))
        check(playlist_file.names_and_paths(lumo.read("PlayList.txt")) == lists,
              "the second run lost playlists: %r" % lumo.read("PlayList.txt"))


@flow(flows.SUITE)
def a_restart_goes_on_playing_from_where_the_last_run_was_left(suite):
    folder, _ = tone_folder(suite, [20])
    lumo = suite.lumo(folder).start()
    flows.wait_for_player_page(lumo)
    lumo.double_click(160, pages.player_row_y(0))
    wait_playing(lumo, 0, True, "the tone playing")
    # The elapsed time as it shows 0:00, 0:01 ... 0:07; quit at 0:07.
    times = [player_flows.region(lumo.screenshot(), player_flows.ELAPSED)]
    deadline = time.monotonic() + 30.0
    while len(times) < 8:
        check(time.monotonic() < deadline, "the elapsed time did not reach 0:07")
        shown = player_flows.region(lumo.screenshot(), player_flows.ELAPSED)
        if shown != times[-1]:
            times.append(shown)
        time.sleep(0.05)
    check(lumo.close() == 0, "Alt+F4 did not end the first run with exit code 0")
    position = flows.setting(lumo.read("Settings.ini"), "PlayingPosition")
    check(position is not None and 7000 <= position < 9000,
          "Settings.ini kept the position %r, not 0:07" % position)

    lumo = suite.lumo(folder).start()
    flows.wait_for_player_page(lumo)
    lumo.click(*pages.PLAY_BUTTON)
    shot = wait_playing(lumo, 0, True, "the tone playing after the restart")
    shown = player_flows.region(shot, player_flows.ELAPSED)
    check(shown not in times[:7], "the time after the restart shows 0:0%d, not 0:07 or later"
          % (times.index(shown) if shown in times else -1))
    lumo.screenshot("e2e-resumed")
    check(lumo.close() == 0, "Alt+F4 did not end the second run with exit code 0")
