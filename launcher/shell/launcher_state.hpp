// The launcher's one process-wide record. Only the GUI thread reads or writes it;
// the screen is rebuilt from it every frame and reports back through the request flags.
#pragma once

#include <cstdint>
#include <string>

#include "imgui.h"
#include "settings/settings.hpp"

struct LauncherState {
    int current_page = 0;  // 0 HOME .. 5 ABOUT
    Settings settings;

    ImFont* body_font = nullptr;
    ImFont* help_font = nullptr;
    ImFont* heading_font = nullptr;
    ImFont* title_font = nullptr;
    ImFont* button_font = nullptr;
    ImFont* logo_font = nullptr;

    std::string disc_image_path;  // file name shown on screen; empty when none is installed
    std::string version_label = "v0.2";

    ImTextureID background_frame = nullptr;
    float background_aspect = 16.0f / 9.0f;
    bool background_recorded = false;
    bool vulkan_layer_present = false;
    ImTextureID logo_image = nullptr;
    float logo_aspect = 1.6f;

    bool settings_dirty = false;
    int smooth_motion_state = -1;  // -1 unknown or no driver, 0 off, 1 on
    bool game_running = false;
    std::string status_text;

    int capture_slot = -1;  // binding row waiting for a key; -1 while no capture runs
    int capture_column = 0;
    uint16_t captured_key = 0;
    int controls_tab = 0;
    std::string (*key_name)(uint16_t vk) = nullptr;

    // One-shot requests raised by the screen; the main loop clears each before acting on it.
    bool play_requested = false;
    bool save_requested = false;
    bool choose_image_requested = false;
    bool record_title_requested = false;
    bool remove_background_requested = false;
    bool open_logs_requested = false;
    bool add_vulkan_layer_requested = false;
    bool open_game_folder_requested = false;
    bool focus_game_requested = false;

    // Bookkeeping of the main loop and the subsystems beside the screen's fields; the
    // screen neither reads nor writes it.
    bool title_music_held = false;  // the game the launcher started owns the music for now
    bool driver_smooth_motion_on = false;
    int applied_frame_generation = 0;
    bool profile_job_busy = false;
    bool profile_job_target = false;
    uint32_t game_process_id = 0;
    uint64_t live_save_started_at = 0;  // tick count of the first unsaved change, 0 while none
};
