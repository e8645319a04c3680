"""The launcher's start, single instance, helper mode and end, seen from outside."""
from launcher_harness import Launcher, make_game_folder, wait_until

def test_window_opens_at_its_layout_size_drawn_and_closes_with_zero():
    folder = make_game_folder("spine_window")
    with Launcher(folder) as launcher:
        window = launcher.wait_window()
        assert window.title == "The Vandrels"
        assert (window.width, window.height) == (1180, 740)
        shot = launcher.screenshot("spine_window")
        centre = shot.client_pixel(window, 590, 370)
        assert centre != (0, 0, 0), "the window must be drawn"
        assert launcher.close() == 0
    # Closing never writes the settings: only explicit saves do.
    assert not (folder / "settings.toml").exists()

def test_second_start_brings_the_first_window_back_and_ends_with_zero():
    folder = make_game_folder("spine_second")
    with Launcher(folder) as first:
        first.wait_window()
        first.session.wintool("minimize", Launcher.CLASS)
        wait_until(lambda: first.window() and first.window().iconic, 10, what="the window to minimise")

        second = Launcher(folder, session=first.session).start()
        assert second.wait_exit(60) == 0
        windows = first.session.windows(Launcher.CLASS)
        assert len(windows) == 1
        wait_until(lambda: not first.window().iconic, 10, what="the first window to be restored")
        assert first.process.poll() is None
        assert first.close() == 0

def test_helper_mode_opens_no_window_even_beside_a_running_launcher():
    folder = make_game_folder("spine_helper")
    with Launcher(folder) as launcher:
        launcher.wait_window()
        helper = Launcher(folder, args=["--smooth-motion=off"], session=launcher.session).start()
        code = helper.wait_exit(60)
        assert 0 <= code <= 3
        assert len(launcher.session.windows(Launcher.CLASS)) == 1
        assert launcher.close() == 0
