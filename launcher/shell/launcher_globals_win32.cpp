#include "shell/launcher_globals_win32.hpp"

LauncherState g_launcher;
LauncherActions g_actions;
HWND g_window = nullptr;
float g_ui_scale = 1.0f;
