"""Starting the game with PLAY and following it, with the stand-in game.

The launcher's exit code on close is checked by the spine tests; here only that it ends,
since under load Wine now and then reports a process that ended after a game session as
killed (its exit races with the teardown of Wine's own threads)."""
import subprocess
import time

from launcher_harness import Launcher, StandInGame, make_game_folder, wait_until

PLAY = (936 + 110, 675 + 26)
MUSIC_TOGGLE = (22 + 60, 624 + 11)
STAY_OPEN_OFF = "[launcher]\nstay_open = false\n"


def button_pixels(shot, window):
    return [shot.client_pixel(window, 936 + x, 675 + y) for x in range(10, 220, 6) for y in range(8, 52, 4)]


def test_play_stays_open_follows_the_game_and_comes_back():
    folder = make_game_folder("session_play", disc_image=True)
    with Launcher(folder) as launcher:
        window = launcher.wait_window()
        game = StandInGame(folder, launcher.session)
        play_look = button_pixels(launcher.screenshot("session_before_play"), window)
        launcher.click(*PLAY)

        wait_until(game.window, 60, what="the stand-in game's window")
        exe = launcher.session.windows_path(folder / "Vandrels.exe")
        assert game.value("command line") == f'"{exe}"'
        assert game.value("current folder").rstrip("\\") == launcher.session.windows_path(folder).rstrip("\\")
        assert game.value("VANDRELS_RECORD_TITLE") == "(not set)"
        assert (folder / "settings.toml").exists(), "PLAY saves first"
        wait_until(lambda: launcher.window().iconic, 10, what="the launcher to minimise")

        # The player comes back to the launcher by hand: the footer offers TO GAME.
        launcher.session.wintool("restore", Launcher.CLASS)
        wait_until(lambda: not launcher.window().iconic, 10, what="the launcher to be restored")
        time.sleep(0.5)
        assert button_pixels(launcher.screenshot("session_to_game"), window) != play_look

        # Three quick changes: one write, 200 ms after the first, which the game picks up.
        changes_before = sum(line.startswith("settings changed") for line in game.log())
        window = launcher.window()
        launcher.session.xdotool("mousemove", "--sync", *window.to_screen(*MUSIC_TOGGLE))
        time.sleep(0.2)
        launcher.session.xdotool("click", "--repeat", "3", "--delay", "40", "1")
        wait_until(lambda: "launcher.music = false" in (game.value("settings changed") or ""), 3,
                   what="the running game to see the change")
        time.sleep(1.0)
        assert sum(line.startswith("settings changed") for line in game.log()) == changes_before + 1

        # The game ends: the launcher comes back in front.
        launcher.session.wintool("minimize", Launcher.CLASS)
        game.close()
        wait_until(lambda: not launcher.window().iconic, 10, what="the launcher to come back")
        assert b"music = false" in (folder / "settings.toml").read_bytes()
        launcher.close()


def test_play_without_stay_open_ends_the_launcher_and_leaves_the_game_running():
    folder = make_game_folder("session_close", settings_text=STAY_OPEN_OFF, disc_image=True)
    launcher = Launcher(folder).start()
    try:
        launcher.wait_window()
        launcher.click(*PLAY)
        game = StandInGame(folder, launcher.session)
        try:
            # Its watcher thread still waits on the game when it ends; Wine then now and then
            # reports the exit as a kill instead of the code (the spine tests check the 0).
            assert launcher.wait_exit(120) in (0, -9)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the launcher did not end; message box: {launcher.session.dialog_text()!r}; "
                                 f"game log: {game.log()!r}")
        wait_until(game.window, 60, what="the stand-in game's window")
        game.close()
    finally:
        launcher.kill()


def test_missing_game_is_reported_and_the_launcher_stays():
    folder = make_game_folder("session_missing", settings_text=STAY_OPEN_OFF, with_game=False, disc_image=True)
    with Launcher(folder) as launcher:
        launcher.wait_window()
        launcher.click(*PLAY)
        text = wait_until(launcher.session.dialog_text, 30, what="the message box")
        assert text == "Vandrels.exe was not found next to the launcher."
        assert launcher.session.wintool("dialog-owner", "The Vandrels")[1].strip() == Launcher.CLASS
        launcher.session.wintool("press", "The Vandrels", "OK")
        wait_until(lambda: launcher.session.dialog_text() is None, 10, what="the message box to close")
        assert launcher.process.poll() is None
        assert not launcher.window().iconic
        launcher.close()


def test_vulkan_without_the_layer_starts_nothing_but_saves():
    folder = make_game_folder("session_vulkan_missing", settings_text="graphics_api = 'vulkan'\n", disc_image=True)
    with Launcher(folder) as launcher:
        launcher.wait_window()
        launcher.click(*PLAY)
        text = wait_until(launcher.session.dialog_text, 30, what="the message box")
        assert text == "Vulkan needs vkd3d-proton: Advanced > Vulkan > Add vkd3d-proton."
        assert (folder / "settings.toml").exists()
        launcher.session.wintool("press", "The Vandrels", "OK")
        time.sleep(1.0)
        assert not StandInGame(folder, launcher.session).log(), "nothing may start"
        launcher.close()


def test_vulkan_layer_is_placed_for_vulkan_and_removed_for_direct3d():
    folder = make_game_folder("session_vulkan", settings_text="graphics_api = 'vulkan'\n", disc_image=True)
    layer = folder / "launcher" / "vkd3d"
    layer.mkdir(parents=True)
    (layer / "d3d12.dll").write_bytes(b"layer d3d12")
    (layer / "d3d12core.dll").write_bytes(b"layer core")
    game = StandInGame(folder, None)

    with Launcher(folder) as launcher:
        game.session = launcher.session
        launcher.wait_window()
        launcher.click(*PLAY)
        wait_until(game.window, 60, what="the stand-in game's window")
        assert (folder / "d3d12.dll").read_bytes() == b"layer d3d12"
        assert (folder / "d3d12core.dll").read_bytes() == b"layer core"
        game.close()
        wait_until(lambda: not launcher.window().iconic, 10, what="the launcher to come back")
        launcher.close()

    # Back to Direct3D 12: our copy goes, a d3d12.dll of the player's own (another size) stays.
    (folder / "settings.toml").write_text("graphics_api = 'd3d12'\n")
    (folder / "d3d12.dll").write_bytes(b"the player's own d3d12.dll")
    with Launcher(folder) as launcher:
        launcher.wait_window()
        launcher.click(*PLAY)
        wait_until(lambda: len([line for line in game.log() if line.startswith("start:")]) == 2, 60,
                   what="the second game start")
        assert not (folder / "d3d12core.dll").exists()
        assert (folder / "d3d12.dll").read_bytes() == b"the player's own d3d12.dll"
        game.close()
        launcher.close()
