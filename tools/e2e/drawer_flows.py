"""The playlist drawer's flows through Lumo.exe (suite "E2eFlows"): opened by the menu button and by a
drag from the left edge, playlists added with a Chinese name typed into the input box, selected,
renamed (the box selects the old name, Enter confirms) and deleted, the selected list sorted and
cleared, a list added beside leftovers of earlier saves; after each step the screen and the bytes
of "PlayList.txt" and "Settings.ini".
"""

import os

import flows
import lumo_pages as pages
import playlist_file
from lumo_e2e import check, flow


@flow(flows.SUITE)
def the_drawer_opens_by_its_menu_button_and_by_a_drag_from_the_left_edge(suite):
    lumo = suite.lumo(suite.fresh_folder()).start()
    flows.wait_for_player_page(lumo)
    # shows_drawer also demands the page's own title band at x 260 beside the panel: a page moved
    # by the layout repaints itself whole there.
    pages.open_drawer(lumo)
    lumo.click(*pages.DRAWER_MENU)
    pages.wait_page(lumo, flows.shows_player_page, "the player page after the menu button")
    lumo.drag(1, 240, 200, 240)
    shot = pages.wait_page(lumo, pages.shows_drawer, "the drawer after the edge drag")
    check(shot.near(pages.SELECTED_BAR_X, pages.drawer_list_y(0), flows.ACCENT, 8),
          "the only playlist is not marked selected: %r" % (shot.probe(1, pages.drawer_list_y(0)),))
    pages.back_to_player(lumo)
    check(lumo.close() == 0, "Alt+F4 did not end Lumo with exit code 0")
    check(lumo.read("PlayList.txt") is None, "opening the drawer wrote PlayList.txt")
    check(lumo.read("Settings.ini") is None, "opening the drawer wrote Settings.ini")


def selected_list(shot, lists):
    rows = [i for i in range(lists)
            if shot.near(pages.SELECTED_BAR_X, pages.drawer_list_y(i), flows.ACCENT, 8)]
    return rows[0] if len(rows) == 1 else rows


@flow(flows.SUITE)
def playlists_are_added_selected_renamed_and_deleted_in_the_drawer(suite):
    lumo = suite.lumo(suite.fresh_folder()).start()
    flows.wait_for_player_page(lumo)
    pages.open_drawer(lumo)

    # Add "摇滚乐": typed (pasted) into the input box over a first try that Ctrl+A selected whole;
    # the new list is selected and titled.
    lumo.click(*pages.DRAWER_ADD)
    pages.wait_page(lumo, pages.shows_input, "the add box", "e2e-input-add")
    lumo.type_text("rock")
    lumo.key("ctrl+a")
    pages.answer_input(lumo, "摇滚乐", pages.INPUT_LEFT_BUTTON, name="e2e-input-typed")
    shot = pages.wait_page(lumo, pages.shows_drawer, "the drawer after adding")
    check(lumo.read("PlayList.txt") == playlist_file.encode([("默认列表", []), ("摇滚乐", [])]),
          "PlayList.txt after adding: %r" % lumo.read("PlayList.txt"))
    check(selected_list(shot, 2) == 1, "the added list is not the selected one")

    # Select the first list again: Settings.ini stores its index.
    lumo.click(100, pages.drawer_list_y(0))
    shot = pages.wait_page(lumo, lambda s: selected_list(s, 2) == 0, "the first list selected")
    check(lumo.read("Settings.ini") == pages.settings_file(PlayListSelected=0),
          "Settings.ini after selecting: %r" % lumo.read("Settings.ini"))

    # Rename it "爵士": the box opens with the old name selected, so the new one replaces it, and
    # Enter confirms.
    lumo.click(*pages.DRAWER_EDIT)
    pages.wait_page(lumo, pages.shows_input, "the rename box")
    lumo.type_text("爵士")
    lumo.key("Return")
    pages.wait_page(lumo, pages.shows_drawer, "the drawer after renaming")
    check(lumo.read("PlayList.txt") == playlist_file.encode([("爵士", []), ("摇滚乐", [])]),
          "PlayList.txt after renaming: %r" % lumo.read("PlayList.txt"))

    # Delete it after the confirmation: the other list is left and selected.
    lumo.click(*pages.DRAWER_DELETE)
    pages.wait_page(lumo, pages.shows_alert, "the delete confirmation", "e2e-alert-delete")
    lumo.click(*pages.ALERT_LEFT_BUTTON)
    shot = pages.wait_page(lumo, pages.shows_drawer, "the drawer after deleting", "e2e-drawer-after-delete")
    check(lumo.read("PlayList.txt") == playlist_file.encode([("摇滚乐", [])]),
          "PlayList.txt after deleting: %r" % lumo.read("PlayList.txt"))
    check(selected_list(shot, 1) == 0, "the remaining list is not selected")
    # The page's title, seen whole again with the drawer closed, names the remaining list.
    shot = pages.back_to_player(lumo)
    check(45 <= pages.title_width(shot) <= 75,
          "the title does not show the three characters of \"摇滚乐\"")

    check(lumo.close() == 0, "Alt+F4 did not end Lumo with exit code 0")
    check(lumo.read("PlayList.txt") == playlist_file.encode([("摇滚乐", [])]),
          "PlayList.txt changed at exit")


@flow(flows.SUITE)
def leftover_temporary_files_beside_lumo_do_not_block_saving(suite):
    # What an earlier version's crashed saves, or anyone, may leave: a folder and a read-only file
    # under the names its temporary files had.
    folder = suite.fresh_folder({"Settings.ini.tmp": b"left over"})
    os.chmod(os.path.join(folder, "Settings.ini.tmp"), 0o444)
    os.makedirs(os.path.join(folder, "PlayList.txt.tmp"))
    lumo = suite.lumo(folder).start()
    flows.wait_for_player_page(lumo)
    pages.open_drawer(lumo)
    lumo.click(*pages.DRAWER_ADD)
    pages.wait_page(lumo, pages.shows_input, "the add box")
    pages.answer_input(lumo, "Blues", pages.INPUT_LEFT_BUTTON)
    pages.wait_page(lumo, pages.shows_drawer, "the drawer after adding")
    check(lumo.close() == 0, "Alt+F4 did not end Lumo with exit code 0")
    check(lumo.read("PlayList.txt") == playlist_file.encode([("默认列表", []), ("Blues", [])]),
          "PlayList.txt after adding: %r" % lumo.read("PlayList.txt"))
    check(lumo.read("Settings.ini") == pages.settings_file(PlayListSelected=1),
          "Settings.ini after adding: %r" % lumo.read("Settings.ini"))


# Three records whose titles and artists sort differently; measured durations, so that Lumo does not
# rewrite the file on showing them.
SORT_RECORDS = [(r"C:\Music\b.mp3", 1000, "Banana", "Fruit", "Carol"),
                (r"C:\Music\c.mp3", 2000, "apple", "Fruit", "Alice"),
                (r"C:\Music\a.mp3", 3000, "Cherry", "Fruit", "bob")]


def sorted_file(order):
    return playlist_file.encode([("Fruit", [SORT_RECORDS[i] for i in order])])


@flow(flows.SUITE)
def the_drawer_sorts_the_selected_list_four_ways_and_clears_it_after_asking(suite):
    lumo = suite.lumo(suite.fresh_folder({"PlayList.txt": sorted_file([0, 1, 2])})).start()
    shot = flows.wait_for_player_page(lumo)
    check(pages.row_count(shot) == 3, "the list does not show three rows")
    pages.open_drawer(lumo)
    # Titles fold only A-Z: apple < Banana < Cherry; artists: Alice < bob < Carol.
    for command, order in ((pages.SORT_NAME_UP, [1, 0, 2]), (pages.SORT_NAME_DOWN, [2, 0, 1]),
                           (pages.SORT_ARTIST_UP, [1, 2, 0]), (pages.SORT_ARTIST_DOWN, [0, 2, 1])):
        lumo.click(100, pages.drawer_command_y(1, command))
        lumo.wait_until_still()
        check(lumo.read("PlayList.txt") == sorted_file(order),
              "sort %d wrote %r" % (command, lumo.read("PlayList.txt")))
    lumo.click(100, pages.drawer_command_y(1, pages.CLEAR))
    pages.wait_page(lumo, pages.shows_alert, "the clear confirmation")
    lumo.click(*pages.ALERT_LEFT_BUTTON)
    pages.wait_page(lumo, pages.shows_drawer, "the drawer after clearing")
    check(lumo.read("PlayList.txt") == playlist_file.encode([("Fruit", [])]),
          "PlayList.txt after clearing: %r" % lumo.read("PlayList.txt"))
    shot = pages.back_to_player(lumo)
    check(pages.row_count(shot) == 0, "the cleared list still shows rows")
    check(lumo.close() == 0, "Alt+F4 did not end Lumo with exit code 0")
