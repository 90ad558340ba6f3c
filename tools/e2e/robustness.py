"""Hostile inputs, each fed to a fresh start of Lumo.exe in a fresh folder (suite "E2eRobustness"):
loose "AppRes" overrides of every XML and PNG file the program ships, absurd device metrics, damaged
"PlayList.txt" and "Settings.ini", files that only look like audio, odd file names, songs named like
devices. For each, the program must start, show its window and paint it (the screenshot is not
blank), end with exit code 0 when closed, and keep every playlist the user had. Every input is
generated here, from a fixed seed, from the names under resources/ (a file added there is covered
without a change here).
"""

import os
import random
import struct
import time
import zlib

from lumo_e2e import FlowFailure, check, flow, wait_for
import flows
import lumo_pages as pages
import player_flows
import playlist_file

SUITE = "E2eRobustness"
RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources")
# Absurd device metrics can leave the frame a sliver of client area (a zero or huge screen height
# gives a window of caption only); below this many pixels a side nothing is expected to paint.
USABLE_CLIENT = 32
# After this long the start-up picture has given way to the pages (it stays 500 ms after painting).
PAGES_SETTLED = 1.5
# The drawer's menu button during a drive walk: taps given, and how long each may take to answer.
DRIVE_TAPS = 3
DRIVE_TAP_WAIT_S = 3.0


def resource_names(suffix):
    """Relative paths ("res/DrawableCtrl.xml") of the shipped resources ending with suffix."""
    names = []
    for folder, _, files in os.walk(RESOURCES):
        for name in files:
            if name.lower().endswith(suffix):
                relative = os.path.relpath(os.path.join(folder, name), RESOURCES)
                names.append(relative.replace(os.sep, "/"))
    return sorted(names)


def shipped(relative):
    with open(os.path.join(RESOURCES, *relative.split("/")), "rb") as f:
        return f.read()


def garbage(seed, size):
    return random.Random(seed).randbytes(size)


# --- Damage ------------------------------------------------------------------------------------------
# Each takes the shipped file's bytes and returns the damaged bytes.

def empty(_):
    return b""


def first_half(original):
    return original[:len(original) // 2]


def random_bytes(original):
    return garbage(len(original), max(len(original), 64))


def nested_100000_deep(_):
    depth = 100000
    return b'<?xml version="1.0" encoding="utf-8"?>\n' + b"<a>" * depth + b"x" + b"</a>" * depth


def tags_never_closed(original):
    """Every '>' removed: tags and comments that never close."""
    return original.replace(b">", b"")


def huge_attributes(_):
    value = b"9" * 200000
    return (b'<?xml version="1.0"?><Drawables><Drawable name="' + value + b'" class="' + value
            + b'"><MultiColor mode="solid" color="{' + value + b'}"/></Drawable></Drawables>')


def header_only(original):
    return original[:33]  # signature and IHDR, no image data


def claiming_65535_squared(original):
    """A well-formed header claiming 65535 x 65535 pixels, then the original's data."""
    body = b"IHDR" + struct.pack(">IIBBBBB", 65535, 65535, 8, 6, 0, 0, 0)
    ihdr = struct.pack(">I", 13) + body + struct.pack(">I", zlib.crc32(body))
    return original[:8] + ihdr + original[33:]


def flipped_bits(original):
    data = bytearray(original)
    rng = random.Random(len(original))
    for _ in range(max(1, len(data) // 50)):
        data[rng.randrange(8, len(data))] ^= 0xFF
    return bytes(data)


XML_DAMAGE = [empty, first_half, random_bytes, nested_100000_deep, tags_never_closed, huge_attributes]
PNG_DAMAGE = [empty, header_only, claiming_65535_squared, flipped_bits, random_bytes]


# --- Running one case ---------------------------------------------------------------------------------

def start_paint_and_close(suite, folder, keep_playlists=None, settle=PAGES_SETTLED, look_intact=False,
                          usable_client=False):
    """Starts Lumo in `folder` (from suite.fresh_folder), waits `settle` seconds for the pages, checks
    that the window is painted (not one flat colour) unless absurd device metrics left it no usable
    client area, closes it and checks the exit code. When the look-and-feel files are intact
    (look_intact, implied by keep_playlists) the player page itself must show. With keep_playlists
    (the bytes of the valid "PlayList.txt" it was given) every playlist and record must still be
    there after the exit. With usable_client the window must have a usable client area whatever the
    files said."""
    lumo = suite.lumo(folder).start()
    time.sleep(settle)
    if usable_client:
        check(min(lumo.client) >= USABLE_CLIENT, "no usable client area: %d x %d" % lumo.client)
    if look_intact or keep_playlists is not None:
        flows.wait_for_player_page(lumo)
    elif min(lumo.client) >= USABLE_CLIENT:
        lumo.wait_for_screen(lambda shot: shot.distinct_colours() >= 4, 5.0, "a painted window")
    check(lumo.running(), "Lumo.exe ended by itself")
    code = lumo.close()
    check(code == 0, "exit code %d" % code)
    if keep_playlists is not None:
        kept = lumo.read("PlayList.txt")
        check(kept is not None, "PlayList.txt is gone")
        check(playlist_file.names_and_paths(kept) == playlist_file.names_and_paths(keep_playlists),
              "playlists lost: %r" % (playlist_file.names_and_paths(kept),))


def app_res(files):
    return {"AppRes/" + name: data for name, data in files.items()}


def define_case(name, function):
    function.__name__ = name
    flow(SUITE)(function)


# --- The cases ----------------------------------------------------------------------------------------

def define_xml_cases():
    names = resource_names(".xml")
    # Each kind of damage applied to every XML file at once...
    for damage in XML_DAMAGE:
        def case(suite, damage=damage):
            start_paint_and_close(suite, suite.fresh_folder(app_res({n: damage(shipped(n)) for n in names})))
        define_case("every_apres_xml_override_%s_still_starts_paints_and_exits_0" % damage.__name__, case)
    # ...and each file damaged alone, so that one loader's fallback is not hidden by another's.
    for index, name in enumerate(names):
        damage = XML_DAMAGE[index % len(XML_DAMAGE)]
        def case(suite, name=name, damage=damage):
            start_paint_and_close(suite, suite.fresh_folder(app_res({name: damage(shipped(name))})))
        define_case("apres_%s_%s_alone_still_starts_paints_and_exits_0"
                    % (name.replace("/", "_").replace(".", "_"), damage.__name__), case)


def dev_metrics(values):
    body = "".join("<%s>%s</%s>" % (key, value, key) for key, value in values)
    return ('<?xml version="1.0" encoding="utf-8"?><DevMetrics>%s</DevMetrics>' % body).encode()


DEV_METRICS_CASES = {
    "zero_screen_and_zero_dpi": [("CxScreen", "0"), ("CyScreen", "0"), ("LogPixelsX", "0"),
                                 ("LogPixelsY", "0")],
    "negative_everything": [("CxScreen", "-320"), ("CyScreen", "-480"), ("LogPixelsX", "-160"),
                            ("LogPixelsY", "-160"), ("StatusBarHeight", "-24LD"),
                            ("TitleBarHeight", "-44LD"), ("FontSize", "-15")],
    "huge_screen_and_fonts": [("CxScreen", "100000"), ("CyScreen", "2147483647"),
                              ("LogPixelsX", "99999"), ("FontSize", "1e30"), ("FontSizeBig", "3.4e39")],
    "bars_taller_than_the_screen": [("StatusBarHeight", "4000px"), ("TitleBarHeight", "99999LD")],
    "words_instead_of_numbers": [("CxScreen", "wide"), ("LogPixelsX", "LD"), ("ScreenOrientation", "7"),
                                 ("FontSize", "nan"), ("StatusBarHeight", "HDHD")],
}


def define_dev_metrics_cases():
    for name, values in DEV_METRICS_CASES.items():
        def case(suite, values=values):
            files = app_res({"DevMetrics.xml": dev_metrics(values)})
            start_paint_and_close(suite, suite.fresh_folder(files), usable_client=True)
        define_case("dev_metrics_%s_still_starts_paints_and_exits_0" % name, case)


def define_png_cases():
    names = resource_names(".png")
    for damage in PNG_DAMAGE:
        def case(suite, damage=damage):
            files = app_res({n: damage(shipped(n)) for n in names})
            files["TitleIcon.png"] = damage(shipped("TitleIcon.png"))  # beside the executable too
            start_paint_and_close(suite, suite.fresh_folder(files))
        define_case("every_png_%s_still_starts_paints_and_exits_0" % damage.__name__, case)


# Long, but a record line stays under the 1023 characters the reader takes in one line, and the path
# under the 260 characters of a Windows path.
LONG_NAME = "很长的名字 " * 20
PLAYLIST_CASES = {
    "empty": b"",
    "only_the_byte_order_mark": b"\xff\xfe",
    "odd_length": flows.utf16_file("\n@列表\n#C:\\a.mp3\ufffd1000\ufffd\ufffd\ufffd\ufffd\n")[:-1],
    "without_byte_order_mark": "\n@列表\n#C:\\a.mp3\ufffd1000\ufffd\ufffd\ufffd\ufffd\n".encode("utf-16-le"),
    "a_one_megabyte_line": flows.utf16_file("@" + "长" * (512 * 1024) + "\n#" + "x" * (512 * 1024) + "\n"),
    "random_bytes": garbage(7, 100000),
    "utf8_text": "\n@列表\n#C:\\a.mp3\ufffd1000\ufffd\ufffd\ufffd\ufffd\n".encode("utf-8"),
    "records_without_separators_and_lists":
        flows.utf16_file("#orphan\ufffd\n@\n#\n#\ufffd\ufffd\ufffd\n@@@\n\n"),
}


def define_playlist_cases():
    for name, data in PLAYLIST_CASES.items():
        def case(suite, data=data):
            start_paint_and_close(suite, suite.fresh_folder({"PlayList.txt": data}), look_intact=True)
        define_case("playlist_file_%s_still_shows_the_player_page_and_exits_0" % name, case)

    odd_names = playlist_file.encode([
        ("中文 列表", [("C:\\音乐\\周杰伦\\稻香.mp3", 223000, "稻香", "魔杰座", "周杰伦")]),
        (LONG_NAME, [("C:\\" + "目录\\" * 40 + LONG_NAME + ".mp3", 1000, LONG_NAME, LONG_NAME, LONG_NAME)]),
        ("odd !#@%&;=[]{}~`'\" \t names", [
            ("C:\\odd\\#hash;semi=eq[1].mp3", 2000, "@at", "#hash", "\t"),
            ("\\\\server\\share\\😀 emoji 𝄞.wav", 3000, "😀", "", ""),
            ("relative\\..\\..\\up.wma", 4000, "", "", "")]),
    ])

    def odd_file_names(suite):
        start_paint_and_close(suite, suite.fresh_folder({"PlayList.txt": odd_names}), odd_names)
    define_case("chinese_long_and_odd_file_names_in_playlists_are_kept", odd_file_names)

    many = playlist_file.encode([("五千首", [("C:\\Music\\%05d 歌.mp3" % i, 1000 + i, "", "", "")
                                             for i in range(5000)])])

    def five_thousand(suite):
        start_paint_and_close(suite, suite.fresh_folder({"PlayList.txt": many}), many)
    define_case("a_playlist_of_5000_files_is_shown_and_kept", five_thousand)

    def not_audio(suite):
        # Unmeasured records (duration 0) make the player page try to open each file; none is audio.
        files = {"Music/silence.mp3": b"", "Music/text.wav": b"not a wave file\r\n" * 100,
                 "Music/zeros.wma": bytes(4096), "Music/random.mp3": garbage(3, 20000),
                 "Music/riff.wav": b"RIFF\xff\xff\xff\x7fWAVEfmt " + garbage(4, 100)}
        folder = suite.fresh_folder(files)
        windows_folder = playlist_file.windows_path(folder)
        lists = [("不是音乐", [(windows_folder + "\\" + name.replace("/", "\\"), 0, "", "", "")
                             for name in files])]
        data = playlist_file.encode(lists)
        with open(os.path.join(folder, "PlayList.txt"), "wb") as f:
            f.write(data)
        # Each failed open takes Wine's media graph up to a third of a second: give the probes time.
        start_paint_and_close(suite, folder, data, PAGES_SETTLED + 0.4 * len(files))
    define_case("files_named_like_audio_that_are_not_keep_their_playlist", not_audio)

    def device_names(suite):
        # Real audio whose names are devices' names: opened as written, COM1.wav would open the
        # serial port, freeze the window (Alt+F4 unanswered) and do it again at every start.
        folder = suite.fresh_folder()
        names = ["COM1.wav", "aux.wav"]
        os.makedirs(os.path.join(folder, "Music"))
        paths = [os.path.join(folder, "Music", name) for name in names]
        for path in paths:
            player_flows.make_tone(path, 1)
        records = [(playlist_file.windows_path(path), 0, "", "", "") for path in paths]
        data = playlist_file.encode([("设备名", records)])
        with open(os.path.join(folder, "PlayList.txt"), "wb") as f:
            f.write(data)
        start_paint_and_close(suite, folder, data, PAGES_SETTLED + 2.0)
        with open(os.path.join(folder, "PlayList.txt"), "rb") as f:
            kept = f.read().decode("utf-16-le")
        for name in names:
            check("%s\ufffd1000\ufffd" % name in kept, "%s was not measured as a file" % name)
    define_case("songs_named_like_devices_are_measured_as_files_and_the_window_answers",
                device_names)


SETTINGS_CASES = {
    "absurd_indices": flows.utf16_file("[Default]\r\nLoopType=99\r\nPlayListSelected=-5\r\n"
                                       "PlayingList=1000000\r\nPlayingFile=-2147483648\r\n"
                                       "PlayingPosition=-7\r\n"),
    "huge_values": flows.utf16_file("[Default]\r\nLoopType=99999999999999999999\r\n"
                                    "PlayListSelected=4294967296\r\nBrowsePath=" + "C:\\很长" * 3000
                                    + "\r\nBrowseExtFilter=" + "*.mp3;" * 5000 + "\r\n"),
    "garbage": garbage(11, 30000),
    "utf8_instead_of_utf16": "[Default]\r\nLoopType=2\r\nPlayListSelected=1\r\n".encode("utf-8"),
    "no_section_and_empty_keys":
        flows.utf16_file("LoopType=1\r\n[Default\r\n=\r\n==\r\nPlayListSelected=\r\n[]\r\n"),
}


def define_settings_cases():
    playlists = flows.sample_playlists()
    for name, data in SETTINGS_CASES.items():
        def case(suite, data=data):
            folder = suite.fresh_folder({"Settings.ini": data, "PlayList.txt": playlists})
            start_paint_and_close(suite, folder, playlists)
        define_case("settings_%s_still_start_and_keep_the_playlists" % name, case)


# Command lines as a script or another program may pass them: devices, network and verbatim paths,
# a path of 32,000 characters, a thousand paths, a whole drive. Lumo starts, answers, writes nothing
# beside its two files and keeps them whole.
HOSTILE_ARGUMENTS = ["CON", "NUL", "COM1", "COM1.wav", "aux.mp3", "\\\\server\\share\\a.mp3",
                     "\\\\?\\C:\\nothing.mp3", "\\\\?\\UNC\\server\\share\\b.mp3",
                     "\\\\.\\PhysicalDrive0", "", "C:\\" + "很长" * 16000]


def start_with_arguments(suite, arguments, files=None):
    """Starts Lumo with `arguments` from its folder holding `files`, waits for the player page and
    returns it; what the run leaves beside the folder is checked when it is closed (close_and_check)."""
    lumo = suite.lumo(suite.fresh_folder(files)).start(arguments)
    flows.wait_for_player_page(lumo)
    return lumo


def close_and_check(lumo):
    """Closes Lumo (exit code 0); nothing but its logs is written beside its folder, and in it
    nothing but its two files; returns the playlists of "PlayList.txt" (None without one)."""
    check(lumo.close() == 0, "closing did not end Lumo with exit code 0")
    base = os.path.dirname(lumo.folder)
    check(sorted(os.listdir(base)) == ["Lumo", "wine.err", "wine.out"],
          "written beside Lumo's folder: %r" % sorted(os.listdir(base)))
    written = set(os.listdir(lumo.folder)) - {"Lumo.exe", "Music"}
    check(written <= {"PlayList.txt", "Settings.ini"}, "written in Lumo's folder: %r" % written)
    data = lumo.read("PlayList.txt")
    return None if data is None else playlist_file.names_and_paths(data)


def define_command_line_cases():
    def hostile(suite):
        lumo = start_with_arguments(suite, HOSTILE_ARGUMENTS)
        time.sleep(PAGES_SETTLED)
        check(lumo.running(), "Lumo.exe ended by itself")
        check(close_and_check(lumo) is None, "a path that names no file was added")
    define_case("devices_network_verbatim_and_32000_character_paths_add_nothing", hostile)

    def thousand(suite):
        # Every other one of a thousand relative paths exists.
        files = {"Music/f%04d.wav" % i: b"RIFF" for i in range(0, 1000, 2)}
        lumo = start_with_arguments(suite, ["Music\\f%04d.wav" % i for i in range(1000)], files)
        music = playlist_file.windows_path(os.path.join(lumo.folder, "Music"))
        expected = [("默认列表", ["%s\\f%04d.wav" % (music, i) for i in range(0, 1000, 2)])]
        wait_for(lambda: playlist_file.names_and_paths(lumo.read("PlayList.txt") or b"\xff\xfe")
                 == expected, 30.0, 0.2, "the 500 files that exist in PlayList.txt")
        check(close_and_check(lumo) == expected, "PlayList.txt changed at exit")
    define_case("a_thousand_paths_add_the_files_that_exist_in_their_order", thousand)

    def drive(suite):
        # The walk of a whole drive goes on in steps: the drawer still opens at once, and Lumo ends.
        # On the test drive the walk finds nothing playable and ends at once with a toast, which
        # the tap may meet: a tap outside a toast only closes it, so a tap the drawer did not
        # answer is given again.
        lumo = start_with_arguments(suite, ["C:\\"])
        for attempt in range(DRIVE_TAPS):
            lumo.click(*pages.TITLE_LEFT)
            try:
                lumo.wait_for_screen(lambda shot: shot.near(*pages.DRAWER_ADD, pages.WHITE, 12),
                                     DRIVE_TAP_WAIT_S, "the drawer's add button")
                break
            except FlowFailure:
                if attempt + 1 == DRIVE_TAPS:
                    raise
        lists = close_and_check(lumo)
        check(lists is None or (len(lists) == 1 and all(path.startswith("C:\\") for path in lists[0][1])),
              "PlayList.txt after the drive: %r" % (lists and [(name, len(paths)) for name, paths in lists]))
    define_case("a_whole_drive_named_keeps_the_window_answering_and_the_files_whole", drive)


define_xml_cases()
define_dev_metrics_cases()
define_png_cases()
define_playlist_cases()
define_settings_cases()
define_command_line_cases()
