"""The settings and help pages' flows through Lumo.exe (suite "E2eFlows"), and the back action on every
page: the filter edited with the keyboard and then seen on the browse page, the help text
read, each page left by the Escape key and by the title's back button, and the player page's back
ending the program with exit code 0.
"""

import flows
import lumo_pages as pages
from lumo_e2e import check, flow


def filter_text_width(shot):
    """How wide the settings page's filter line is written: the span of its grey text pixels."""
    x0, y0, x1, y1 = pages.SETTING_FILTER_LINE
    columns = [x for x in range(x0, x1)
               if any(pages.dark(shot.probe(x, y), 200) for y in range(y0, y1))]
    return columns[-1] - columns[0] if columns else 0


@flow(flows.SUITE)
def the_filter_edited_on_the_settings_page_leaves_only_mp3_files_on_the_browse_page(suite):
    with pages.music_folder():
        lumo = suite.lumo(suite.fresh_folder()).start()
        flows.wait_for_player_page(lumo)
        # The folder is read once through the shipped filter: "..", Album, a.mp3 and the wave files.
        shot = pages.walk_to_music_folder(lumo)
        check(pages.browse_icons(shot, 4) == ["folder", "folder", "file", "file"],
              "the browse page's rows with the shipped filter: %r" % pages.browse_icons(shot, 4))
        lumo.key("Escape")
        pages.wait_page(lumo, flows.shows_player_page, "the player page after leaving the browse page")

        pages.open_drawer(lumo)
        lumo.click(100, pages.drawer_command_y(1, pages.SETTINGS))
        shot = pages.wait_page(lumo, pages.shows_settings, "the settings page", "e2e-settings")
        # The shipped filter lists many extensions, cut with an ellipsis at the line's end.
        check(filter_text_width(shot) > 180, "the filter line is not the long default")

        lumo.click(*pages.SETTING_FILTER)
        pages.wait_page(lumo, pages.shows_input, "the filter box", "e2e-input-filter")
        pages.answer_input(lumo, "*.mp3;", pages.SETTING_OK_BUTTON, erase=80)
        shot = pages.wait_page(lumo, lambda s: pages.shows_settings(s) and filter_text_width(s) < 60,
                               "the settings page showing the new filter")
        check(lumo.read("Settings.ini") == pages.settings_file(BrowseExtFilter="*.mp3;"),
              "Settings.ini after the filter: %r" % lumo.read("Settings.ini"))

        lumo.click(*pages.TITLE_LEFT)
        pages.wait_page(lumo, pages.shows_drawer, "the player page with its drawer, after back")
        pages.back_to_player(lumo)

        # The same folder again, in the same run (the page reopens where it was left): the wave
        # files no longer match.
        lumo.click(*pages.ADD_FILES_BUTTON)
        pages.wait_page(lumo, pages.shows_browse, "the browse page again")
        shot = lumo.wait_until_still()
        check(pages.browse_icons(shot, 4) == ["folder", "folder", "file", None],
              "the browse page's rows with the MP3 filter: %r" % pages.browse_icons(shot, 4))
        lumo.key("Escape")
        pages.wait_page(lumo, flows.shows_player_page, "the player page after leaving the browse page")
        check(lumo.close() == 0, "Alt+F4 did not end Lumo with exit code 0")
        check(lumo.read("PlayList.txt") is None,
              "leaving the browse page without \"打开\" wrote PlayList.txt")
        check(lumo.read("Settings.ini") == pages.settings_file(BrowseExtFilter="*.mp3;"),
              "leaving the pages changed Settings.ini: %r" % lumo.read("Settings.ini"))


@flow(flows.SUITE)
def the_help_page_shows_the_help_text_from_the_drawer_and_from_the_settings_page(suite):
    lumo = suite.lumo(suite.fresh_folder()).start()
    flows.wait_for_player_page(lumo)
    pages.open_drawer(lumo)
    lumo.click(100, pages.drawer_command_y(1, pages.HELP))
    shot = pages.wait_page(lumo, pages.shows_help, "the help page", "e2e-help")
    # Several lines of text: the description, the version, the developer and the web address.
    lines = [y for y in range(72, 220)
             if pages.count(shot, (0, y, 320, y + 1), lambda c: pages.dark(c, 120)) > 3]
    check(len(lines) > 60, "the help text covers only %d pixel rows" % len(lines))
    lumo.click(*pages.TITLE_LEFT)
    pages.wait_page(lumo, pages.shows_drawer, "the drawer after the help page")
    lumo.click(100, pages.drawer_command_y(1, pages.SETTINGS))
    pages.wait_page(lumo, pages.shows_settings, "the settings page")
    lumo.click(*pages.SETTING_HELP)
    again = pages.wait_page(lumo, pages.shows_help, "the help page from the settings page")
    check(again.rows(flows.STATUS_BAR, flows.CLIENT_CY) == shot.rows(flows.STATUS_BAR, flows.CLIENT_CY),
          "the help page differs when opened from the settings page")
    lumo.key("Escape")
    pages.wait_page(lumo, pages.shows_settings, "the settings page after the help page")
    check(lumo.close() == 0, "Alt+F4 did not end Lumo with exit code 0")


@flow(flows.SUITE)
def the_back_action_leaves_every_page_and_on_the_player_page_ends_the_program(suite):
    lumo = suite.lumo(suite.fresh_folder()).start()
    flows.wait_for_player_page(lumo)
    for command, shows, what in ((pages.SETTINGS, pages.shows_settings, "the settings page"),
                                 (pages.HELP, pages.shows_help, "the help page")):
        for back in ("Escape", "the title's back button"):
            pages.open_drawer(lumo)
            lumo.click(100, pages.drawer_command_y(1, command))
            pages.wait_page(lumo, shows, what)
            if back == "Escape":
                lumo.key("Escape")
            else:
                lumo.click(*pages.TITLE_LEFT)
            pages.wait_page(lumo, pages.shows_drawer, "the drawer after %s on %s" % (back, what))
            pages.back_to_player(lumo)
    # The browse page's title button opens its folder tree; its back is the Escape key.
    lumo.click(*pages.ADD_FILES_BUTTON)
    pages.wait_page(lumo, pages.shows_browse, "the browse page")
    lumo.key("Escape")
    pages.wait_page(lumo, flows.shows_player_page, "the player page after the browse page")
    lumo.key("Escape")
    check(lumo.wait_exit() == 0, "the back key on the player page did not end Lumo with exit code 0")
    check(lumo.read("PlayList.txt") is None, "visiting the pages wrote PlayList.txt")
    check(lumo.read("Settings.ini") is None, "visiting the pages wrote Settings.ini")
