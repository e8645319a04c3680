#include "shell/dispatch.hpp"

namespace {
// Clears a one-shot flag and tells whether it was raised, so each request runs once.
bool take(bool& flag)
{
    const bool raised = flag;
    flag = false;
    return raised;
}
}  // namespace

bool live_save_due(LauncherState& state, uint64_t now_ms)
{
    if (!state.game_running || !state.settings_dirty) return false;
    if (state.live_save_started_at == 0) state.live_save_started_at = now_ms;
    if (now_ms - state.live_save_started_at < live_save_delay_ms) return false;
    state.live_save_started_at = 0;
    return true;
}

void save_now(LauncherState& state, const LauncherActions& actions)
{
    if (actions.save_settings) actions.save_settings(state.settings);
    state.settings_dirty = false;
}

void dispatch_requests(LauncherState& state, const LauncherActions& actions, uint64_t now_ms)
{
    if (actions.take_profile_result) {
        const int result = actions.take_profile_result();
        if (result >= 0) {
            state.profile_job_busy = false;
            if (actions.apply_profile_result) actions.apply_profile_result(state, result);
        }
    }
    if (!state.profile_job_busy && state.settings.frame_generation != state.applied_frame_generation)
        call<LauncherState&>(actions.sync_smooth_motion, state);

    if (take(state.save_requested)) {
        save_now(state, actions);
        state.status_text = "Settings saved.";
    }
    if (take(state.play_requested)) {
        save_now(state, actions);
        call<LauncherState&>(actions.play_game, state);
    }
    if (take(state.focus_game_requested)) call<LauncherState&>(actions.focus_game, state);
    if (live_save_due(state, now_ms)) save_now(state, actions);
    if (take(state.choose_image_requested)) {
        call<LauncherState&>(actions.install_disc_image, state);
        call<LauncherState&>(actions.refresh_image_name, state);
        // The music lives on the disc image, so a first image brings it.
        if (actions.title_music_loaded && !actions.title_music_loaded()) {
            call<LauncherState&>(actions.load_title_music, state);
            call<LauncherState&>(actions.start_title_music, state);
        }
    }
    if (take(state.record_title_requested)) call<LauncherState&>(actions.record_title, state);
    if (take(state.remove_background_requested)) call<LauncherState&>(actions.remove_title_background, state);
    if (take(state.open_logs_requested)) call(actions.open_logs_folder);
    if (take(state.add_vulkan_layer_requested)) call<LauncherState&>(actions.install_vkd3d, state);
    if (take(state.open_game_folder_requested)) call(actions.open_game_folder);
}
