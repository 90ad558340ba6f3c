"""Lumo as a Windows desktop program (suite "E2eFlows"): a second Lumo.exe started in the same folder
hands the files on its command line to the running one and ends, twenty of them in a row while the
first is still adding a large folder; the keyboard's media keys through X pause and skip, also while
another program has the focus.
"""

import os
import signal
import subprocess
import time
import wave

import flows
import lumo_pages as pages
import player_flows
import playlist_file
from lumo_e2e import FlowFailure, check, flow, wait_for, xdotool
from playback_flows import tone_folder, wait_playing

# How long a second start may take to hand its files over and end (a Wine process start included).
HANDOVER_TIMEOUT = 60.0


def write_silence(path, ms):
    """A silent mono 8-bit 8000 Hz WAV file of `ms` milliseconds (faster than sox for many files)."""
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(1)
        out.setframerate(8000)
        out.writeframes(b"\x80" * (8 * ms))


def second_start(lumo, args, cwd):
    """Runs another Lumo.exe of the same folder with `args` from `cwd`; returns its exit code."""
    process = lumo.launch(args, cwd)
    try:
        return process.wait(HANDOVER_TIMEOUT)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
        raise FlowFailure("a second Lumo.exe did not end within %.0f s" % HANDOVER_TIMEOUT)


def lumo_windows():
    """The visible windows named "Lumo" on the display."""
    code, out = xdotool("search", "--onlyvisible", "--name", "^Lumo$", may_fail=True)
    return out.split() if code == 0 else []


@flow(flows.SUITE)
def a_second_start_hands_its_files_and_folder_to_the_first_which_plays_the_first_of_them(suite):
    folder = suite.fresh_folder()
    music = os.path.join(folder, "music")
    os.makedirs(os.path.join(music, "Album"))
    for name in ("one.wav", "两首 歌.wav", os.path.join("Album", "b.wav"), os.path.join("Album", "A.wav")):
        player_flows.make_tone(os.path.join(music, name), 20)
    with open(os.path.join(music, "Album", "notes.txt"), "wb") as f:
        f.write(b"not audio\r\n")
    lumo = suite.lumo(folder).start()
    flows.wait_for_player_page(lumo)

    # Relative paths, one with a space and Chinese, resolved in the folder the second one started in.
    check(second_start(lumo, ["one.wav", "两首 歌.wav", "Album"], music) == 0,
          "the second Lumo.exe did not end with exit code 0")
    check(lumo.running() and lumo_windows() == [lumo.window], "not exactly the first Lumo remains: %r"
          % lumo_windows())
    lumo.wait_for_screen(lambda s: pages.playing_row(s) == 0 and pages.is_playing(s), 10.0,
                         "the first file playing in the first Lumo")
    lumo.screenshot("e2e-open-with")
    windows = playlist_file.windows_path(music)
    expected = [("默认列表", [windows + "\\one.wav", windows + "\\两首 歌.wav", windows + "\\Album\\A.wav",
                          windows + "\\Album\\b.wav"])]
    wait_for(lambda: playlist_file.names_and_paths(lumo.read("PlayList.txt") or b"\xff\xfe") == expected,
             10.0, 0.1, "PlayList.txt to hold the new rows once: %r" % lumo.read("PlayList.txt"))
    check(lumo.close() == 0, "Alt+F4 did not end Lumo with exit code 0")


@flow(flows.SUITE)
def twenty_starts_in_a_row_while_the_first_adds_a_large_folder_lose_no_playlist(suite):
    big, starts = 20000, 20
    folder = suite.fresh_folder()
    music = os.path.join(folder, "music")
    os.makedirs(os.path.join(music, "Big"))
    for i in range(big):
        write_silence(os.path.join(music, "Big", "b%05d.wav" % i), 100)
    for i in range(starts):
        write_silence(os.path.join(music, "s%02d.wav" % i), 100)
    kept = ("Kept", [("C:\\Kept\\k.mp3", 1000, "k", "", "")])
    with open(os.path.join(folder, "PlayList.txt"), "wb") as f:
        f.write(playlist_file.encode([("默认列表", []), kept]))

    lumo = suite.lumo(folder).start(["Big"], cwd=music)
    flows.wait_for_player_page(lumo)
    each = []
    for i in range(starts):
        began = time.monotonic()
        check(second_start(lumo, ["s%02d.wav" % i], music) == 0,
              "start %d did not end with exit code 0" % (i + 1))
        each.append(time.monotonic() - began)
    check(lumo.running() and lumo_windows() == [lumo.window], "not exactly the first Lumo remains")

    windows = playlist_file.windows_path(music)
    expected = [("默认列表", ["%s\\Big\\b%05d.wav" % (windows, i) for i in range(big)]
                 + ["%s\\s%02d.wav" % (windows, i) for i in range(starts)]),
                ("Kept", ["C:\\Kept\\k.mp3"])]
    wait_for(lambda: playlist_file.names_and_paths(lumo.read("PlayList.txt")) == expected, 30.0, 0.2,
             "PlayList.txt to hold every file once and the other playlist")
    check(lumo.close() == 0, "Alt+F4 did not end Lumo with exit code 0")
    each.sort()
    print("second starts: median %.2f s, slowest %.2f s" % (each[len(each) // 2], each[-1]), flush=True)


@flow(flows.SUITE)
def media_keys_pause_and_skip_also_while_another_program_has_the_focus(suite):
    folder, _ = tone_folder(suite, [20, 20, 20])
    lumo = suite.lumo(folder).start()
    flows.wait_for_player_page(lumo)
    lumo.double_click(160, pages.player_row_y(0))
    wait_playing(lumo, 0, True, "row 0 playing")
    lumo.key("XF86AudioPlay")
    wait_playing(lumo, 0, False, "row 0 paused by the play key")
    lumo.key("XF86AudioPlay")
    wait_playing(lumo, 0, True, "row 0 playing again")
    lumo.key("XF86AudioNext")
    wait_playing(lumo, 1, True, "row 1 playing after the next key")

    # Another program in front, with the keyboard's focus: the keys still reach Lumo. Wine's
    # notepad runs in a process of its own, started by the one `wine` runs.
    launcher = subprocess.Popen(["wine", "notepad"], stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    notepad = None
    try:
        window = wait_for(lambda: xdotool("search", "--onlyvisible", "--classname", "notepad.exe",
                                          may_fail=True)[1].split(), 40.0, 0.1, "notepad's window")[0]
        notepad = int(xdotool("getwindowpid", window)[1])
        for key, row, playing in (("XF86AudioNext", 2, True), ("XF86AudioPlay", 2, False)):
            xdotool("windowfocus", "--sync", window)
            xdotool("key", "--clearmodifiers", key)
            xdotool("windowraise", lumo.window)
            wait_playing(lumo, row, playing, "%s pressed in notepad" % key)
        # Closed as a user closes it, so that the focus goes back to Lumo the usual way.
        xdotool("windowfocus", "--sync", window)
        xdotool("key", "--clearmodifiers", "alt+F4")
        wait_for(lambda: not xdotool("search", "--onlyvisible", "--classname", "notepad.exe",
                                     may_fail=True)[1], 20.0, 0.1, "notepad to close")
    finally:
        for process in (notepad, launcher.pid):
            try:
                if process:
                    os.kill(process, signal.SIGKILL)
            except ProcessLookupError:
                pass
        launcher.wait()
    check(lumo.close() == 0, "Alt+F4 did not end Lumo with exit code 0")
