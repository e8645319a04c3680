#include "session/game_launch.hpp"

#include <windows.h>

#include <string>
#include <thread>

#include "gamefiles/paths.hpp"
#include "gamefiles/vulkan_layer.hpp"
#include "settings/settings.hpp"
#include "shell/launcher_globals_win32.hpp"

namespace fs = std::filesystem;

namespace {
constexpr wchar_t caption[] = L"The Vandrels";
constexpr wchar_t record_variable[] = L"VANDRELS_RECORD_TITLE";

// Vulkan runs the game's Direct3D 12 renderer through the layer beside it; any other
// choice must not find our copies there.
bool prepare_vulkan_layer(const LauncherState& state)
{
    const fs::path game_folder = launcher_dir();
    if (state.settings.graphics_api != GraphicsApi::Vulkan) {
        remove_vkd3d_copies(vkd3d_dir(), game_folder);
        return true;
    }
    if (vkd3d_installed() && copy_vkd3d_files(vkd3d_dir(), game_folder)) return true;
    MessageBoxW(g_window, L"Vulkan needs vkd3d-proton: Advanced > Vulkan > Add vkd3d-proton.", caption,
                MB_OK | MB_ICONINFORMATION);
    return false;
}

// Waits for the game on its own thread; only the posted message reaches the launcher.
void watch_game(HANDLE process, GameLaunchMode mode, HWND window)
{
    WaitForSingleObject(process, INFINITE);
    CloseHandle(process);
    PostMessageW(window, mode == GameLaunchMode::title_recording ? WM_APP_RECORDING_ENDED : WM_APP_GAME_EXITED, 0, 0);
}

// The title background and music make way for the game.
void step_aside_for_game(LauncherState& state)
{
    call<LauncherState&>(g_actions.stop_title_background, state);
    call<LauncherState&>(g_actions.stop_title_music, state);
    state.title_music_held = true;
}
}  // namespace

bool launch_game(LauncherState& state, GameLaunchMode mode)
{
    if (!prepare_vulkan_layer(state)) return false;

    const fs::path folder = launcher_dir();
    const std::wstring application = (folder / L"Vandrels.exe").wstring();
    std::wstring command_line = L"\"" + application + L"\"";

    // Set only around the creation, so the launcher itself never keeps it and a later
    // normal start cannot inherit it.
    const bool recording = mode == GameLaunchMode::title_recording;
    if (recording) SetEnvironmentVariableW(record_variable, L"1");
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    const BOOL created = CreateProcessW(application.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        folder.c_str(), &startup, &process);
    if (recording) SetEnvironmentVariableW(record_variable, nullptr);

    if (!created) {
        MessageBoxW(g_window, L"Vandrels.exe was not found next to the launcher.", caption, MB_OK | MB_ICONERROR);
        return false;
    }
    state.game_process_id = process.dwProcessId;
    std::thread(watch_game, process.hProcess, mode, g_window).detach();
    CloseHandle(process.hThread);
    return true;
}

void play_game(LauncherState& state)
{
    if (!launch_game(state, GameLaunchMode::normal)) return;
    if (!state.settings.stay_open) {
        DestroyWindow(g_window);
        return;
    }
    step_aside_for_game(state);
    state.game_running = true;
    state.live_save_started_at = 0;
    state.status_text.clear();
    ShowWindow(g_window, SW_MINIMIZE);
}

void record_title(LauncherState& state)
{
    save_now(state, g_actions);
    step_aside_for_game(state);
    if (launch_game(state, GameLaunchMode::title_recording)) {
        state.status_text =
            "Recording: go to the title screen (PRESS START) and press F9. The game closes when it is saved.";
        ShowWindow(g_window, SW_MINIMIZE);
        return;
    }
    // Nothing was started, so nothing will ever report back: the launcher comes back as it was.
    state.title_music_held = false;
    call<LauncherState&>(g_actions.start_title_background, state);
}

namespace {
struct GameWindowSearch {
    DWORD process_id;
    bool found;
};

BOOL CALLBACK bring_forward_if_game_window(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<GameWindowSearch*>(context);
    DWORD owner_process = 0;
    GetWindowThreadProcessId(window, &owner_process);
    if (owner_process != search.process_id || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    search.found = true;
    return FALSE;
}
}  // namespace

void bring_game_forward(LauncherState& state)
{
    if (state.game_process_id == 0) return;
    GameWindowSearch search{state.game_process_id, false};
    EnumWindows(bring_forward_if_game_window, reinterpret_cast<LPARAM>(&search));
}
