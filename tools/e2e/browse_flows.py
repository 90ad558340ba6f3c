"""The browse page's flow through Lumo.exe (suite "E2eFlows"): from the player page's add-files button to
a prepared folder of generated audio files, two files and a folder ticked, "打开" pressed; then the
player's rows, the drawer's new playlist, "PlayList.txt" and "Settings.ini" ("BrowsePath").
"""

import flows
import lumo_pages as pages
import playlist_file
from lumo_e2e import check, flow


@flow(flows.SUITE)
def ticked_files_join_the_selected_list_and_a_ticked_folder_becomes_a_playlist(suite):
    with pages.music_folder() as music:
        lumo = suite.lumo(suite.fresh_folder()).start()
        flows.wait_for_player_page(lumo)
        shot = pages.walk_to_music_folder(lumo, "e2e-browse-drives")
        # "..", Album, a.mp3, b.wav, c.wav; notes.txt is not audio and is not listed.
        check(pages.browse_icons(shot, 6) == ["folder", "folder", "file", "file", "file", None],
              "the music folder's rows: %r" % pages.browse_icons(shot, 6))
        shot = pages.tick(lumo, shot, (1, 2, 4))   # Album, a.mp3, c.wav
        lumo.screenshot("e2e-browse-ticks")
        check([pages.is_ticked(shot, row) for row in range(1, 5)] == [True, True, False, True],
              "the ticks are not on Album, a.mp3 and c.wav")

        lumo.click(*pages.TITLE_RIGHT)
        shot = pages.wait_page(lumo, flows.shows_player_page, "the player page after \"打开\"")
        check(pages.row_count(shot) == 2,
              "the player shows %d rows, not a.mp3 and c.wav" % pages.row_count(shot))
        check(playlist_file.names_and_paths(lumo.read("PlayList.txt"))
              == [("默认列表", [music + "a.mp3", music + "c.wav"]),
                  ("Album", [music + "Album\\d.mp3", music + "Album\\e.wav"])],
              "PlayList.txt: %r" % lumo.read("PlayList.txt"))
        check(lumo.read("Settings.ini") == pages.settings_file(BrowsePath=music),
              "Settings.ini: %r" % lumo.read("Settings.ini"))

        shot = pages.open_drawer(lumo, "e2e-drawer")
        check(pages.count(shot, (60, pages.drawer_list_y(1) - 10, 140, pages.drawer_list_y(1) + 10),
                          lambda c: sum(c) > 600) > 20, "the drawer does not list the new playlist")
        pages.back_to_player(lumo)
        check(lumo.close() == 0, "Alt+F4 did not end Lumo with exit code 0")
