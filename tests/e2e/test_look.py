"""The launcher's look seen on screen: where the sidebar, the hero and the footer sit,
page changes through the sidebar, Save, and the layout at a scale of 1.5.

Screenshots of every page are kept under the build folder's screenshots/ folder."""
import time

import pytest

from launcher_harness import Launcher, Session, close_to, make_game_folder, wait_until

SIDEBAR = (0x0b, 0x09, 0x09)
FOOTER = (0x0d, 0x0b, 0x0b)
ACCENT = (0xc4, 0x20, 0x24)
CURRENT_ENTRY = (0x1e, 0x18, 0x17)
WINDOW = (0x10, 0x0d, 0x0d)
PAGES = ["home", "video", "controls", "game", "advanced", "about"]


def nav_point(page):
    return 118, 128 + 46 * page + 23


def accent_point(page):
    return 1.5, 128 + 46 * page + 23


def differing_pixels(a, b, window, area, step=2):
    """How many sampled points of an area (layout units) differ between two shots."""
    (x0, y0), (x1, y1) = area
    count = 0
    for y in range(y0, y1, step):
        for x in range(x0, x1, step):
            if not close_to(a.client_pixel(window, x, y), b.client_pixel(window, x, y), tolerance=12):
                count += 1
    return count


def check_frame(shot, window, current_page):
    """The parts of the frame that every page shares, sampled where nothing else draws."""
    assert close_to(shot.client_pixel(window, 220, 110), SIDEBAR), "sidebar fill"
    assert close_to(shot.client_pixel(window, 120, 590), SIDEBAR), "sidebar fill below the navigation"
    assert close_to(shot.client_pixel(window, 600, 732), FOOTER), "footer fill"
    assert close_to(shot.client_pixel(window, 1170, 668), FOOTER), "footer fill, right end"
    for page in range(6):
        colour = shot.client_pixel(window, *accent_point(page))
        if page == current_page:
            assert close_to(colour, ACCENT), f"accent bar of entry {page}"
            assert close_to(shot.client_pixel(window, 220, 128 + 46 * page + 40), CURRENT_ENTRY)
        else:
            assert close_to(colour, SIDEBAR), f"no accent bar on entry {page}"


@pytest.fixture(scope="module")
def home_launcher():
    folder = make_game_folder("look_home")
    with Launcher(folder) as launcher:
        launcher.wait_window()
        yield launcher


def test_home_shows_sidebar_hero_and_footer_in_place(home_launcher):
    launcher = home_launcher
    window = launcher.window()
    launcher.click(700, 20)  # somewhere inert, so no entry is hovered
    shot = launcher.screenshot("look_page_home")
    check_frame(shot, window, 0)
    # The hero's night sky at its top right, and the fade to the window colour low down.
    sky = shot.client_pixel(window, 1175, 3)
    assert close_to(sky, (0x0a, 0x08, 0x16), tolerance=10), f"night sky, got {sky}"
    assert close_to(shot.client_pixel(window, 1165, 655), WINDOW, tolerance=6), "faded foot of the hero"
    # No disc image: PLAY is greyed and the status dot is red.
    assert close_to(shot.client_pixel(window, 940, 678), (0x46, 0x3c, 0x3a), tolerance=8), "grey PLAY"
    assert close_to(shot.client_pixel(window, 268, 701), (0xe2, 0x30, 0x32), tolerance=20), "red status dot"


def test_sidebar_changes_the_page_and_every_page_is_kept_on_file(home_launcher):
    launcher = home_launcher
    window = launcher.window()
    launcher.click(700, 20)
    before = launcher.screenshot(None)
    for page in [1, 2, 3, 4, 5, 0]:
        launcher.click(*nav_point(page))
        launcher.click(1100, 600)  # away from the entry, so it is drawn as current, not hovered
        shot = wait_until(lambda: (lambda s: s if close_to(s.client_pixel(window, *accent_point(page)), ACCENT)
                                   else None)(launcher.screenshot(None)), 10, interval=0.3,
                          what=f"page {page} to be current")
        shot = launcher.screenshot(f"look_page_{PAGES[page]}")
        check_frame(shot, window, page)
        if page == 1:
            # The VIDEO title replaced the hero: the title's area changed, and the red
            # rule sits under the page header.
            assert differing_pixels(before, shot, window, ((278, 34), (420, 80))) > 40
            assert close_to(shot.client_pixel(window, 300, 113), ACCENT), "red rule under the title"
            assert close_to(shot.client_pixel(window, 1165, 300), WINDOW), "plain window colour, no hero"


def test_save_writes_the_settings_file(home_launcher):
    launcher = home_launcher
    settings = launcher.folder / "settings.toml"
    assert not settings.exists()
    launcher.click(808 + 57, 681 + 20)
    wait_until(settings.exists, 10, what="settings.toml")
    text = settings.read_text()
    assert "display_mode = 'borderless'" in text
    assert "[launcher]" in text


def test_music_toggle_marks_the_settings_changed_until_saved(home_launcher):
    launcher = home_launcher
    settings = launcher.folder / "settings.toml"
    before = settings.read_bytes() if settings.exists() else b""
    launcher.click(97, 635)
    time.sleep(0.5)
    assert (settings.read_bytes() if settings.exists() else b"") == before, "a change alone writes nothing"
    launcher.click(808 + 57, 681 + 20)
    wait_until(lambda: "music = false" in settings.read_text(), 10, what="the saved music setting")
    launcher.click(97, 635)  # and back on, for the tests after this one
    launcher.click(808 + 57, 681 + 20)
    wait_until(lambda: "music = true" in settings.read_text(), 10, what="music on again")


def test_layout_scales_by_one_and_a_half_at_144_dpi():
    session = Session.private("look_scale", screen="2560x1440x24", logpixels=144)
    try:
        folder = make_game_folder("look_scale")
        with Launcher(folder, session=session) as launcher:
            window = launcher.wait_window()
            assert (window.width, window.height) == (1770, 1110)
            launcher.click(*nav_point(4))
            launcher.click(1100, 600)
            wait_until(lambda: close_to(launcher.screenshot(None).client_pixel(window, *accent_point(4)), ACCENT),
                       10, interval=0.3, what="ADVANCED to be current")
            shot = launcher.screenshot("look_scale_1_5_advanced")
            check_frame(shot, window, 4)
            # Scaled points just inside and outside the accent bar and the footer's top line.
            assert close_to(shot.client_pixel(window, 3.5, 128 + 46 * 4 + 2), ACCENT)
            assert close_to(shot.client_pixel(window, 5, 128 + 46 * 4 + 23), CURRENT_ENTRY)
            assert close_to(shot.client_pixel(window, 700, 665), FOOTER)
            assert close_to(shot.client_pixel(window, 700, 655), WINDOW)
            assert close_to(shot.client_pixel(window, 300, 113), ACCENT), "red rule of the page header"
            assert launcher.close() == 0
    finally:
        session.down()
