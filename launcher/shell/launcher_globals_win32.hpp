// The launcher's process-wide values on the Windows side. All of them belong to the
// GUI thread; worker threads reach the window only by posting messages to it.
#pragma once

#include <windows.h>

#include "shell/dispatch.hpp"
#include "shell/launcher_state.hpp"

// Posted by the game watcher when the game it follows has ended.
constexpr UINT WM_APP_RECORDING_ENDED = WM_APP + 1;
constexpr UINT WM_APP_GAME_EXITED = WM_APP + 2;

extern LauncherState g_launcher;
extern LauncherActions g_actions;
extern HWND g_window;
extern float g_ui_scale;

// Fills the record with every subsystem that this build has.
LauncherActions make_launcher_actions();

LRESULT CALLBACK launcher_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Brings the launcher window back from the task bar and in front of other windows.
void restore_launcher_window();
