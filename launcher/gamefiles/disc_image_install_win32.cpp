#include "gamefiles/disc_image_install.hpp"

#include "gamefiles/paths.hpp"
#include "shell/launcher_state.hpp"

void refresh_image_name(LauncherState& state)
{
    // The installed image is whatever the folder holds now: one deleted or renamed by
    // hand simply disappears from the screen.
    state.disc_image_path = to_utf8(find_disc_image().filename().wstring());
}
