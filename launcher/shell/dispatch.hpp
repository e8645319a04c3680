// What the main loop does after each presented frame: the profile job's result, the
// Smooth Motion sync and the screen's one-shot requests, in a fixed order.
#pragma once

#include <cstdint>

#include "shell/launcher_state.hpp"

// The launcher's calls into its subsystems. A subsystem that is not part of this build
// leaves its entries null: its requests are then consumed without effect, never faked.
struct LauncherActions {
    // Driver profile
    int (*take_profile_result)() = nullptr;  // the pending result, or -1
    void (*apply_profile_result)(LauncherState&, int result) = nullptr;
    void (*sync_smooth_motion)(LauncherState&) = nullptr;  // frame_generation changed
    // Settings
    void (*save_settings)(const Settings&) = nullptr;
    // Game session
    void (*play_game)(LauncherState&) = nullptr;  // after the save: launch, then close or stay open
    void (*focus_game)(LauncherState&) = nullptr;
    void (*record_title)(LauncherState&) = nullptr;
    // Game files
    void (*install_disc_image)(LauncherState&) = nullptr;
    void (*refresh_image_name)(LauncherState&) = nullptr;
    void (*install_vkd3d)(LauncherState&) = nullptr;
    bool (*vkd3d_installed)() = nullptr;
    void (*open_logs_folder)() = nullptr;
    void (*open_game_folder)() = nullptr;
    // Title background and music
    void (*upload_background_frame)(LauncherState&) = nullptr;  // before each frame
    void (*start_title_background)(LauncherState&) = nullptr;
    void (*stop_title_background)(LauncherState&) = nullptr;
    void (*remove_title_background)(LauncherState&) = nullptr;
    bool (*title_music_loaded)() = nullptr;
    void (*load_title_music)(LauncherState&) = nullptr;
    void (*start_title_music)(LauncherState&) = nullptr;
    void (*stop_title_music)(LauncherState&) = nullptr;  // stops and destroys the voice
    void (*keep_title_music_in_line)(LauncherState&) = nullptr;  // after each dispatch
    void (*create_audio_engine)() = nullptr;
    void (*release_audio)() = nullptr;  // stops and destroys the voice, then the engine
};

// Calls an action when its subsystem is present: call<LauncherState&>(actions.x, state).
template <typename... Args>
void call(void (*fn)(Args...), Args... args)
{
    if (fn) fn(args...);
}

// While the game runs, an option change reaches it through the file 200 ms after the
// first unsaved change (not the last), so a burst of changes is one write.
constexpr uint64_t live_save_delay_ms = 200;

// Decides the live save for this turn; true when the file must be written now.
bool live_save_due(LauncherState& state, uint64_t now_ms);

// Saves the settings through the actions and marks them clean.
void save_now(LauncherState& state, const LauncherActions& actions);

// Runs the per-frame dispatch once. now_ms is the system tick count in milliseconds.
void dispatch_requests(LauncherState& state, const LauncherActions& actions, uint64_t now_ms);
