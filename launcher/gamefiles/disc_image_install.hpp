// The player's disc image in the asset folder, as the screen shows it.
#pragma once

struct LauncherState;

// Sets disc_image_path to the file name of the installed image (empty when there is none).
void refresh_image_name(LauncherState& state);
