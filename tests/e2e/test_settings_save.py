"""Save writes settings.toml exactly as the game expects it, whatever the player wrote
into it by hand and wherever the game folder is."""
import pytest

from launcher_harness import Launcher, make_game_folder, wait_until

SAVE = (808 + 57, 681 + 20)

HAND_WRITTEN = """# my settings
width = 4294967295
fps_cap = 144.0
vsync = 0
sharpness = 250
display_mode = 'Windowed'
graphics_api = 'vulkan'
invert_camera_y = -7
zeta = 'kept'
foo = 1

[keyboard]
start = [ 'w', 40 ]
jump_twice = [ 3, 4 ]

[launcher]
music_volume = 0.5
stay_open = 'no'
volume_boost = 2
"""

# Unknown top-level keys stay, bad values take their defaults, sharpness is written within
# 0..100, the two sub-tables are written whole, and every line ends in CR LF.
EXPECTED = """anisotropic_filtering = 0
display_mode = 'borderless'
dlss_preset = 'default'
foo = 1
fps_cap = 144
frame_generation = 'off'
frame_interpolation = 0
graphics_api = 'vulkan'
height = 0
invert_camera_y = true
keyboard_controls = true
language = 1
perf_overlay = 0
perf_overlay_scale = 0
render_height = 0
render_percent = 100
sharpness = 100
upscale_quality = 'quality'
upscaler = 'off'
vibration = true
vsync = false
width = -1
zeta = 'kept'

[keyboard]
a = [ 32, 0 ]
b = [ 69, 0 ]
back = [ 9, 0 ]
black = [ 82, 0 ]
camera_down = [ 40, 75 ]
camera_left = [ 37, 74 ]
camera_right = [ 39, 76 ]
camera_up = [ 38, 73 ]
dpad_down = [ 50, 0 ]
dpad_left = [ 51, 0 ]
dpad_right = [ 52, 0 ]
dpad_up = [ 49, 0 ]
l3 = [ 67, 0 ]
lt = [ 160, 0 ]
move_down = [ 83, 0 ]
move_left = [ 65, 0 ]
move_right = [ 68, 0 ]
move_up = [ 87, 0 ]
r3 = [ 86, 0 ]
rt = [ 162, 4 ]
start = [ 0, 40 ]
white = [ 70, 0 ]
x = [ 1, 85 ]
y = [ 2, 79 ]

[launcher]
animated_background = true
music = true
music_volume = 0.5
stay_open = true
""".replace("\n", "\r\n").encode()


@pytest.mark.parametrize("folder_name", ["game", "Les Vandrels — édition ✦ 日本"])
def test_save_writes_the_exact_file(folder_name):
    folder = make_game_folder("settings_save", settings_text=HAND_WRITTEN, folder_name=folder_name)
    settings = folder / "settings.toml"
    with Launcher(folder) as launcher:
        launcher.wait_window()
        launcher.click(*SAVE)
        wait_until(lambda: settings.read_bytes() != HAND_WRITTEN.encode(), 10, what="the save")
        assert settings.read_bytes() == EXPECTED
        assert not list(folder.glob("settings.toml.*")), "no temporary file may stay behind"
        launcher.close()
