// Which subsystem answers which request of the screen. A subsystem that is not part of
// the launcher yet leaves its entries empty (see LauncherActions).
#include "gamefiles/disc_image_install.hpp"
#include "gamefiles/paths.hpp"
#include "gamefiles/vulkan_layer.hpp"
#include "session/game_launch.hpp"
#include "settings/settings_file.hpp"
#include "shell/launcher_globals_win32.hpp"

LauncherActions make_launcher_actions()
{
    LauncherActions actions;
    actions.save_settings = save_settings;
    actions.open_logs_folder = open_logs_folder;
    actions.open_game_folder = open_game_folder;
    actions.play_game = play_game;
    actions.focus_game = bring_game_forward;
    actions.record_title = record_title;
    actions.refresh_image_name = refresh_image_name;
    actions.vkd3d_installed = vkd3d_installed;
    actions.install_vkd3d = install_vkd3d;
    return actions;
}
