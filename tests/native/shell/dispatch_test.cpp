#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/dispatch.hpp"

namespace {
std::vector<std::string> calls;
int pending_profile_result = -1;
bool music_loaded = false;
// Each fake checks that the main loop cleared the request before acting on it.
LauncherState* watched = nullptr;

void note(const std::string& what, bool flag_still_raised = false)
{
    calls.push_back(flag_still_raised ? what + " (flag still raised)" : what);
}

LauncherActions recording_actions()
{
    LauncherActions a;
    a.take_profile_result = [] { const int r = pending_profile_result; pending_profile_result = -1; return r; };
    a.apply_profile_result = [](LauncherState&, int r) { note("apply_profile_result " + std::to_string(r)); };
    a.sync_smooth_motion = [](LauncherState& s) { note("sync_smooth_motion"); s.applied_frame_generation = s.settings.frame_generation; };
    a.save_settings = [](const Settings&) { note("save_settings"); };
    a.play_game = [](LauncherState& s) { note("play_game", s.play_requested); };
    a.focus_game = [](LauncherState& s) { note("focus_game", s.focus_game_requested); };
    a.install_disc_image = [](LauncherState& s) { note("install_disc_image", s.choose_image_requested); };
    a.refresh_image_name = [](LauncherState&) { note("refresh_image_name"); };
    a.title_music_loaded = [] { return music_loaded; };
    a.load_title_music = [](LauncherState&) { note("load_title_music"); };
    a.start_title_music = [](LauncherState&) { note("start_title_music"); };
    a.record_title = [](LauncherState& s) { note("record_title", s.record_title_requested); };
    a.remove_title_background = [](LauncherState& s) { note("remove_title_background", s.remove_background_requested); };
    a.open_logs_folder = [] { note("open_logs_folder", watched->open_logs_requested); };
    a.install_vkd3d = [](LauncherState& s) { note("install_vkd3d", s.add_vulkan_layer_requested); };
    a.open_game_folder = [] { note("open_game_folder", watched->open_game_folder_requested); };
    return a;
}

class DispatchTest : public testing::Test {
protected:
    void SetUp() override
    {
        calls.clear();
        pending_profile_result = -1;
        music_loaded = false;
        watched = &state;
    }
    LauncherState state;
    LauncherActions actions = recording_actions();
};

TEST_F(DispatchTest, EveryStepRunsOnceInItsOrderWithItsFlagCleared)
{
    pending_profile_result = 2;
    state.profile_job_busy = true;
    state.settings.frame_generation = 1;
    state.applied_frame_generation = 0;
    state.save_requested = state.play_requested = state.focus_game_requested = true;
    state.choose_image_requested = state.record_title_requested = state.remove_background_requested = true;
    state.open_logs_requested = state.add_vulkan_layer_requested = state.open_game_folder_requested = true;

    dispatch_requests(state, actions, 1000);

    const std::vector<std::string> expected = {
        "apply_profile_result 2", "sync_smooth_motion", "save_settings", "save_settings", "play_game", "focus_game",
        "install_disc_image", "refresh_image_name", "load_title_music", "start_title_music", "record_title",
        "remove_title_background", "open_logs_folder", "install_vkd3d", "open_game_folder"};
    EXPECT_EQ(calls, expected);
    EXPECT_FALSE(state.profile_job_busy);

    calls.clear();
    dispatch_requests(state, actions, 1016);
    EXPECT_TRUE(calls.empty()) << "a request must be acted on once";
}

TEST_F(DispatchTest, SaveWritesCleansAndReports)
{
    state.settings_dirty = true;
    state.save_requested = true;
    dispatch_requests(state, actions, 5);
    EXPECT_EQ(calls, std::vector<std::string>{"save_settings"});
    EXPECT_FALSE(state.settings_dirty);
    EXPECT_EQ(state.status_text, "Settings saved.");
}

TEST_F(DispatchTest, ProfileStepsWaitForTheirConditions)
{
    state.settings.frame_generation = 1;
    state.profile_job_busy = true;  // a job runs and no result is pending: nothing to do yet
    dispatch_requests(state, actions, 5);
    EXPECT_TRUE(calls.empty());

    state.profile_job_busy = false;
    state.settings.frame_generation = state.applied_frame_generation;  // nothing changed
    dispatch_requests(state, actions, 5);
    EXPECT_TRUE(calls.empty());
}

TEST_F(DispatchTest, MusicIsLoadedAfterAnImageOnlyWhenNoneWasDecoded)
{
    music_loaded = true;
    state.choose_image_requested = true;
    dispatch_requests(state, actions, 5);
    EXPECT_EQ(calls, (std::vector<std::string>{"install_disc_image", "refresh_image_name"}));
}

TEST_F(DispatchTest, MissingSubsystemConsumesItsRequestWithoutEffect)
{
    LauncherActions none;
    state.play_requested = state.record_title_requested = state.add_vulkan_layer_requested = true;
    state.settings_dirty = true;
    dispatch_requests(state, none, 5);
    EXPECT_FALSE(state.play_requested || state.record_title_requested || state.add_vulkan_layer_requested);
    EXPECT_TRUE(state.status_text.empty());
}

// Live save: the file is written 200 ms after the first unsaved change, not after the last.
struct LiveSaveStep {
    uint64_t now;
    bool change;  // the player changes an option during this frame
    bool saved;   // the dispatch after this frame writes the file
};

void run_live_save(const std::vector<LiveSaveStep>& steps, bool game_running)
{
    LauncherState state;
    state.game_running = game_running;
    LauncherActions actions = recording_actions();
    for (const LiveSaveStep& step : steps) {
        calls.clear();
        if (step.change) state.settings_dirty = true;
        dispatch_requests(state, actions, step.now);
        EXPECT_EQ(!calls.empty(), step.saved) << "at " << step.now;
        if (step.saved) EXPECT_FALSE(state.settings_dirty);
    }
}

TEST_F(DispatchTest, LiveSaveWritesOnceTwoHundredMillisecondsAfterTheFirstChange)
{
    run_live_save({{1000, true, false}, {1100, true, false}, {1199, true, false}, {1200, false, true},
                   {1300, false, false}, {2000, true, false}, {2200, false, true}},
                  true);
}

TEST_F(DispatchTest, LiveSaveOnlyWhileTheGameRuns)
{
    run_live_save({{1000, true, false}, {1500, false, false}, {5000, false, false}}, false);
}
}  // namespace
