"""Playback through Lumo.exe (suite "E2eFlows"): short sox tones listed in "PlayList.txt", played by a
double tap, paused, resumed, skipped forwards and back, run to the end of the list in each loop type,
sought by tapping and by dragging the slider, and the playing row swiped away before next; judged by
the red playing row, the play button's face, the time, the slider and the files Lumo writes.
"""

import os
import subprocess
import time

import flows
import lumo_pages as pages
import player_flows
import playlist_file
from lumo_e2e import FlowFailure, check, flow, wait_for


def tone_folder(suite, seconds, tags=None):
    """A fresh folder whose "PlayList.txt" holds one list "Tones" of tones t0.wav, t1.wav... of the
    given lengths (made by sox beside Lumo.exe, durations measured). With `tags`, one (title, album,
    artist) per tone, the tones are MP3 files t0.mp3... tagged by lame and listed the way the
    browse page adds files (not measured, the base name as title), so that Lumo reads the tags.
    Returns (folder, Windows paths)."""
    folder = suite.fresh_folder()
    paths, records = [], []
    for i, length in enumerate(seconds):
        path = os.path.join(folder, "t%d.wav" % i)
        player_flows.make_tone(path, length)
        if tags:
            title, album, artist = tags[i]
            wave, path = path, os.path.join(folder, "t%d.mp3" % i)
            # lame reads its tag arguments in the locale's encoding.
            subprocess.run(["lame", "--quiet", "--id3v2-utf16", "--tt", title, "--tl", album,
                            "--ta", artist, wave, path], check=True,
                           env=dict(os.environ, LC_ALL="C.UTF-8"))
            os.remove(wave)
        paths.append(playlist_file.windows_path(path))
        if tags:
            records.append((paths[-1], 0, "t%d" % i, "", ""))
        else:
            records.append((paths[-1], length * 1000, "Tone %d" % i, "Tones", "Lumo"))
    with open(os.path.join(folder, "PlayList.txt"), "wb") as f:
        f.write(playlist_file.encode([("Tones", records)]))
    return folder, paths


def wait_playing(lumo, row, playing, what):
    """Waits until row `row` is the red one and the play button shows pause (playing) or play."""
    return lumo.wait_for_screen(lambda s: pages.playing_row(s) == row and pages.is_playing(s) == playing,
                                10.0, what)


def wait_setting(lumo, expected, what):
    wait_for(lambda: lumo.read("Settings.ini") == expected, 10.0, 0.1, what)


# Tags of the MP3 files the first flow plays: (title, album, artist).
SONG_TAGS = [("月亮代表我的心", "淡淡幽情", "邓丽君"), ("甜蜜蜜", "甜蜜蜜", "邓丽君"),
             ("我只在乎你", "我只在乎你", "邓丽君")]


@flow(flows.SUITE)
def a_double_tap_plays_a_row_and_the_buttons_pause_resume_and_skip(suite):
    folder, _ = tone_folder(suite, [6, 6, 6], SONG_TAGS)
    lumo = suite.lumo(folder).start()
    flows.wait_for_player_page(lumo)
    # The files' own tags and lengths replace what the list knew, and the list is saved.
    def read_from_files():
        lists = playlist_file.decode(lumo.read("PlayList.txt") or b"")
        return lists and [(title, album, artist) for _, duration, title, album, artist in lists[0][1]
                          if duration > 5000] == SONG_TAGS
    wait_for(read_from_files, 10.0, 0.1, "PlayList.txt to hold the tags and lengths of the files")
    lumo.double_click(160, pages.player_row_y(1))
    wait_playing(lumo, 1, True, "row 1 playing")
    wait_setting(lumo, pages.settings_file(PlayingFile=1), "Settings.ini to store row 1")
    lumo.screenshot("e2e-player-playing")

    lumo.click(*pages.PLAY_BUTTON)
    shot = wait_playing(lumo, 1, False, "row 1 paused")
    time.sleep(1.2)
    check(player_flows.region(lumo.screenshot(), player_flows.ELAPSED)
          == player_flows.region(shot, player_flows.ELAPSED), "the time moved while paused")
    lumo.click(*pages.PLAY_BUTTON)
    shot = wait_playing(lumo, 1, True, "row 1 resumed")
    wait_for(lambda: player_flows.region(lumo.screenshot(), player_flows.ELAPSED)
             != player_flows.region(shot, player_flows.ELAPSED), 3.0, 0.1, "the time to move again")

    # The pause kept its position; next and previous start their files at 0.
    lumo.click(*pages.NEXT_BUTTON)
    wait_playing(lumo, 2, True, "row 2 playing after next")
    wait_setting(lumo, pages.settings_file(PlayingFile=2, PlayingPosition=0), "Settings.ini to store row 2")
    lumo.click(*pages.PREVIOUS_BUTTON)
    wait_playing(lumo, 1, True, "row 1 playing after previous")
    wait_setting(lumo, pages.settings_file(PlayingFile=1, PlayingPosition=0),
                 "Settings.ini to store row 1 again")
    check(lumo.close() == 0, "Alt+F4 while playing did not end Lumo with exit code 0")


@flow(flows.SUITE)
def each_loop_type_carries_playback_to_the_end_of_the_list_as_it_says(suite):
    folder, _ = tone_folder(suite, [1, 2])
    lumo = suite.lumo(folder).start()
    zero = player_flows.region(flows.wait_for_player_page(lumo), player_flows.ELAPSED)
    # Once in order (the default): from row 0 on to row 1, then playback stops on row 1, its time
    # (past a second by then) and the slider back at 0.
    lumo.double_click(160, pages.player_row_y(0))
    wait_playing(lumo, 0, True, "row 0 playing")
    wait_playing(lumo, 1, True, "row 1 playing after row 0 ended")
    lumo.wait_for_screen(lambda s: player_flows.region(s, player_flows.ELAPSED) != zero, 5.0,
                         "row 1's time to pass 0:00")
    shot = wait_playing(lumo, 1, False, "playback stopped after the last row")
    check(player_flows.region(shot, player_flows.ELAPSED) == zero, "the stopped time does not show 0:00")
    check(pages.slider_thumb(shot) == pages.SLIDER_LEFT, "the stopped slider is not back at its start")

    # Repeat the list: from the last row on to the first.
    lumo.click(*pages.LOOP_BUTTON)
    wait_setting(lumo, pages.settings_file(PlayingFile=1, LoopType=1), "Settings.ini to store loop type 1")
    lumo.double_click(160, pages.player_row_y(1))
    wait_playing(lumo, 1, True, "row 1 playing")
    wait_playing(lumo, 0, True, "row 0 playing after the last row ended, repeating the list")

    # Shuffle: playback goes on from row to row, never stopping at the list's end.
    lumo.click(*pages.LOOP_BUTTON)
    wait_for(lambda: pages.has_setting(lumo.read("Settings.ini"), "LoopType", 2), 10.0, 0.1,
             "Settings.ini to store loop type 2")
    lumo.double_click(160, pages.player_row_y(1))
    wait_playing(lumo, 1, True, "row 1 playing")
    # Three tone lengths later a list played once in order would have stopped.
    time.sleep(3.5)
    lumo.wait_for_screen(pages.is_playing, 1.0, "shuffle still playing")

    lumo.click(*pages.LOOP_BUTTON)
    wait_for(lambda: pages.has_setting(lumo.read("Settings.ini"), "LoopType", 0), 10.0, 0.1,
             "Settings.ini to store loop type 0 after a full cycle")
    check(lumo.close() == 0, "Alt+F4 did not end Lumo with exit code 0")


@flow(flows.SUITE)
def tapping_and_dragging_the_slider_seek_in_the_playing_file(suite):
    folder, _ = tone_folder(suite, [20])
    lumo = suite.lumo(folder).start()
    flows.wait_for_player_page(lumo)
    lumo.double_click(160, pages.player_row_y(0))
    wait_playing(lumo, 0, True, "the tone playing")
    lumo.click(*pages.PLAY_BUTTON)
    shot = wait_playing(lumo, 0, False, "the tone paused")
    check(pages.slider_thumb(shot) < pages.SLIDER_LEFT + 20, "the slider is not near its start")

    # A tap right of the thumb pages forward by the page step, 10 seconds: half of this tone.
    middle = (pages.SLIDER_LEFT + pages.SLIDER_RIGHT) // 2
    lumo.click(240, pages.SLIDER_Y)
    lumo.wait_for_screen(lambda s: abs(pages.slider_thumb(s) - middle) <= 8, 5.0,
                         "the slider paged to the middle")
    # Playing on goes on from there, not from where it was paused.
    lumo.click(*pages.PLAY_BUTTON)
    wait_playing(lumo, 0, True, "the tone playing again")
    shot = lumo.wait_for_screen(lambda s: pages.slider_thumb(s) > middle + 3, 5.0,
                                "the slider moving on from the middle")
    check(pages.slider_thumb(shot) < middle + 40, "the slider ran far past the middle")
    # Dragging the thumb's knob (just right of where the blue part ends) back to x 100 while
    # playing: at the release the file plays from there and the position ticks show it.
    lumo.drag(pages.slider_thumb(shot) + 4, pages.SLIDER_Y, 100, pages.SLIDER_Y)
    lumo.wait_for_screen(lambda s: 85 <= pages.slider_thumb(s) <= 120, 5.0, "the slider where the drag ended")
    lumo.wait_for_screen(lambda s: pages.slider_thumb(s) > 120, 5.0, "the slider moving on after the drag")
    check(lumo.close() == 0, "Alt+F4 did not end Lumo with exit code 0")


def delete_area_open(shot):
    """Row 1 slid aside, showing the red "删除" area at its right end."""
    return shot.near(300, pages.player_row_y(1) - 15, (255, 0, 0), 30)


@flow(flows.SUITE)
def the_playing_row_swiped_away_leaves_the_list_and_next_plays_the_row_after_it(suite):
    folder, paths = tone_folder(suite, [20, 20, 20, 20])
    lumo = suite.lumo(folder).start()
    shot = flows.wait_for_player_page(lumo)
    check(pages.row_count(shot) == 4, "the list does not show four rows")
    lumo.double_click(160, pages.player_row_y(1))
    wait_playing(lumo, 1, True, "row 1 playing")
    lumo.drag(250, pages.player_row_y(1), 60, pages.player_row_y(1))
    # The row slides left and shows the red "删除" area at its right end.
    lumo.wait_for_screen(delete_area_open, 5.0, "the delete area")
    lumo.wait_until_still()
    # The row may already sit at its open offset while its slide animation still runs: the screen
    # stands still, yet the list ignores presses until the animation ends (10 ms steps that a loaded
    # machine stretches). A user taps again when nothing happens, and so does this flow, as long as
    # the delete area still shows.
    for _ in range(5):
        lumo.click(265, pages.player_row_y(1))
        try:
            lumo.wait_for_screen(lambda s: not delete_area_open(s), 2.0, "the delete area to go")
            break
        except FlowFailure:
            pass
    # Its file plays on with no row to show it.
    lumo.wait_for_screen(lambda s: pages.row_count(s) == 3 and pages.playing_row(s) is None
                         and pages.is_playing(s), 5.0, "three rows left, none of them red, playing")
    left = [("Tones", [paths[0], paths[2], paths[3]])]
    wait_for(lambda: playlist_file.names_and_paths(lumo.read("PlayList.txt")) == left, 5.0, 0.1,
             "PlayList.txt to lose the swiped row")
    # Next plays the tone that followed the swiped one, now in row 1.
    lumo.click(*pages.NEXT_BUTTON)
    wait_playing(lumo, 1, True, "row 1 (t2.wav) playing after next")
    wait_setting(lumo, pages.settings_file(PlayingFile=1), "Settings.ini to store row 1")
    check(lumo.close() == 0, "Alt+F4 did not end Lumo with exit code 0")


def thumb_at(second, length):
    """Whether the slider's thumb stands at `second` of a tone `length` seconds long."""
    x = pages.SLIDER_LEFT + (pages.SLIDER_RIGHT - pages.SLIDER_LEFT) * second // length
    return lambda shot: abs(pages.slider_thumb(shot) - x) <= 8


@flow(flows.SUITE)
def the_player_pages_keys_play_the_tapped_row_pause_seek_and_skip(suite):
    folder, _ = tone_folder(suite, [20, 20, 20])
    lumo = suite.lumo(folder).start()
    flows.wait_for_player_page(lumo)
    # A tap only selects the row; Enter plays it, as a double tap does.
    lumo.click(160, pages.player_row_y(1))
    time.sleep(0.8)
    check(pages.playing_row(lumo.screenshot()) is None, "a single tap played a row")
    lumo.key("Return")
    wait_playing(lumo, 1, True, "row 1 playing after Enter")
    # Space pauses; the arrows seek 5 s while paused; Space plays on.
    lumo.key("space")
    wait_playing(lumo, 1, False, "row 1 paused by Space")
    lumo.key("Right", "Right")
    lumo.wait_for_screen(thumb_at(10, 20), 5.0, "the slider 10 s on after Right, Right")
    lumo.key("Left")
    lumo.wait_for_screen(thumb_at(5, 20), 5.0, "the slider back at 5 s after Left")
    lumo.key("space")
    wait_playing(lumo, 1, True, "row 1 playing again after Space")
    # Ctrl with the arrows skips as the next and previous buttons do.
    lumo.key("ctrl+Right")
    wait_playing(lumo, 2, True, "row 2 playing after Ctrl+Right")
    lumo.key("ctrl+Left")
    wait_playing(lumo, 1, True, "row 1 playing after Ctrl+Left")
    # The pause kept its position; previous starts its file at 0.
    wait_setting(lumo, pages.settings_file(PlayingFile=1, PlayingPosition=0), "Settings.ini to store row 1")
    check(lumo.close() == 0, "Alt+F4 while playing did not end Lumo with exit code 0")


def dimmed(shot):
    """A dialog's veil over the page: the empty list right of a centred box turns grey."""
    return shot.near(305, 300, pages.DIMMED, 12)


@flow(flows.SUITE)
def a_double_tap_on_a_missing_file_shows_why_for_the_toasts_whole_time(suite):
    folder, paths = tone_folder(suite, [1])
    os.remove(os.path.join(folder, "t0.wav"))
    lumo = suite.lumo(folder).start()
    flows.wait_for_player_page(lumo)
    lumo.double_click(160, pages.player_row_y(0))
    lumo.wait_for_screen(dimmed, 5.0, "the toast saying the file cannot be opened")
    shown = time.monotonic()
    lumo.screenshot("e2e-player-invalid-file")
    # The release of the second press must not close it: it stays its 3 s.
    time.sleep(2.0)
    check(dimmed(lumo.screenshot()), "the toast went before its time")
    lumo.wait_for_screen(lambda s: not dimmed(s), 5.0, "the toast to go after its time")
    check(time.monotonic() - shown > 2.5, "the toast went before its time")
    check(lumo.close() == 0, "Alt+F4 did not end Lumo with exit code 0")


@flow(flows.SUITE)
def a_double_tap_on_the_partly_hidden_last_row_plays_it(suite):
    # Seven rows: the list shows six whole ones and the top 6 pixels of the last.
    folder, _ = tone_folder(suite, [5] * 7)
    lumo = suite.lumo(folder).start()
    flows.wait_for_player_page(lumo)
    lumo.double_click(160, pages.LIST_TOP + 6 * pages.ROW + 3)
    wait_setting(lumo, pages.settings_file(PlayingFile=6), "Settings.ini to store row 6")
    lumo.wait_for_screen(pages.is_playing, 5.0, "the last row playing")
    check(lumo.close() == 0, "Alt+F4 while playing did not end Lumo with exit code 0")
