#include "imgui.h"
#include "imgui_impl_win32.h"
#include "shell/key_capture.hpp"
#include "shell/launcher_globals_win32.hpp"

extern IMGUI_IMPL_API LRESULT ImGui_ImplWin32_WndProcHandler(HWND, UINT, WPARAM, LPARAM);

namespace {
uint16_t shift_from_scan_code(unsigned scan_code)
{
    return uint16_t(MapVirtualKeyW(scan_code, MAPVK_VSC_TO_VK_EX));
}

void on_recording_ended(LauncherState& state)
{
    state.title_music_held = false;
    restore_launcher_window();
    call<LauncherState&>(g_actions.start_title_background, state);
    state.status_text = state.background_recorded ? "The title screen is your launcher's background now."
                                                  : "No background was recorded (press F9 at the title screen).";
    // The music comes back through the main loop's music step after the next frame.
}

void on_game_exited(LauncherState& state)
{
    state.title_music_held = false;
    state.game_running = false;
    state.live_save_started_at = 0;
    if (state.settings_dirty) save_now(state, g_actions);
    restore_launcher_window();
    call<LauncherState&>(g_actions.start_title_background, state);
    call<LauncherState&>(g_actions.start_title_music, state);
}
}  // namespace

void restore_launcher_window()
{
    ShowWindow(g_window, SW_RESTORE);
    SetForegroundWindow(g_window);
}

LRESULT CALLBACK launcher_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    LauncherState& state = g_launcher;

    // While a binding is being changed, the next key or button is the binding and must
    // not reach the GUI (that is what lets Alt and the mouse buttons be bound).
    if (state.capture_slot >= 0) {
        if (const uint16_t code = captured_code(message, wparam, lparam, shift_from_scan_code)) {
            state.captured_key = code;
            return 0;
        }
    }

    if (ImGui_ImplWin32_WndProcHandler(window, message, wparam, lparam)) return 1;

    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SYSCOMMAND:
        // Alt and F10 would open the window menu and take the keyboard from the GUI.
        if ((wparam & 0xFFF0) == SC_KEYMENU) return 0;
        break;
    case WM_APP_RECORDING_ENDED:
        on_recording_ended(state);
        return 0;
    case WM_APP_GAME_EXITED:
        on_game_exited(state);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}
