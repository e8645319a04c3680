// Every option of settings.toml, with the defaults the record holds before the file is read.
// The file is the contract with the game: the stored words and key names below are fixed.
#pragma once

#include <array>
#include <cstdint>

// The enumerated options are stored as int32 in Settings so the screens can write list indexes
// straight into them; these scopes only name the values.
namespace DisplayMode {
enum : int32_t { Fullscreen = 0, Borderless = 1, Windowed = 2, Count = 3 };
}
namespace GraphicsApi {
enum : int32_t { D3D12 = 0, Vulkan = 1, D3D11 = 2, Count = 3 };
}
namespace UpscalerKind {
enum : int32_t { Off = 0, Dlss = 1, Fsr = 2, Vorx = 3, Count = 4 };
}
namespace UpscaleQuality {
enum : int32_t { Native = 0, Quality = 1, Balanced = 2, Performance = 3, Ultra = 4, Count = 5 };
}
namespace DlssPreset {
enum : int32_t { Default = 0, K = 1, J = 2, M = 3, L = 4, Count = 5 };
}
namespace FrameGeneration {
enum : int32_t { Off = 0, Fsr = 1, Dlss2 = 2, Dlss3 = 3, Dlss4 = 4, SmoothMotion = 5, Count = 6 };
}

// Words written to and read from the file, indexed by the enumeration value.
inline constexpr std::array<const char*, DisplayMode::Count> display_mode_words = {
    "fullscreen", "borderless", "windowed"};
inline constexpr std::array<const char*, GraphicsApi::Count> graphics_api_words = {
    "d3d12", "vulkan", "d3d11"};
inline constexpr std::array<const char*, UpscalerKind::Count> upscaler_words = {
    "off", "dlss", "fsr", "vorx"};
inline constexpr std::array<const char*, UpscaleQuality::Count> upscale_quality_words = {
    "native", "quality", "balanced", "performance", "ultra"};
inline constexpr std::array<const char*, DlssPreset::Count> dlss_preset_words = {
    "default", "k", "j", "m", "l"};
inline constexpr std::array<const char*, FrameGeneration::Count> frame_generation_words = {
    "off", "fsr", "dlss2", "dlss3", "dlss4", "smooth"};

// One game action that keyboard and mouse can stand in for. `group` picks the heading
// in the bindings list; the defaults are what start-up and "Restore defaults" put in place.
struct BindingAction {
    const char* key;  // key in the [keyboard] table
    const char* label;
    int group;
    uint16_t default_primary;
    uint16_t default_alternative;
};

inline constexpr int binding_action_count = 24;

inline constexpr std::array<BindingAction, binding_action_count> binding_actions = {{
    {"move_up", "Up", 0, 0x57, 0},
    {"move_down", "Down", 0, 0x53, 0},
    {"move_left", "Left", 0, 0x41, 0},
    {"move_right", "Right", 0, 0x44, 0},
    {"camera_up", "Up", 1, 0x26, 0x49},
    {"camera_down", "Down", 1, 0x28, 0x4B},
    {"camera_left", "Left", 1, 0x25, 0x4A},
    {"camera_right", "Right", 1, 0x27, 0x4C},
    {"a", "A", 2, 0x20, 0},
    {"b", "B", 2, 0x45, 0},
    {"x", "X (punch)", 2, 0x01, 0x55},
    {"y", "Y (kick)", 2, 0x02, 0x4F},
    {"black", "Black", 2, 0x52, 0},
    {"white", "White", 2, 0x46, 0},
    {"lt", "Left trigger", 2, 0xA0, 0},
    {"rt", "Right trigger", 2, 0xA2, 0x04},
    {"l3", "Left stick click", 2, 0x43, 0},
    {"r3", "Right stick click", 2, 0x56, 0},
    {"dpad_up", "D-pad up", 3, 0x31, 0},
    {"dpad_down", "D-pad down", 3, 0x32, 0},
    {"dpad_left", "D-pad left", 3, 0x33, 0},
    {"dpad_right", "D-pad right", 3, 0x34, 0},
    {"start", "Start", 4, 0x0D, 0x1B},
    {"back", "Back", 4, 0x09, 0},
}};

inline constexpr std::array<const char*, 5> binding_group_headings = {
    "LEFT STICK - MOVE", "RIGHT STICK - CAMERA", "BUTTONS", "D-PAD", "MENU"};

// key_bindings[action][0] is the primary code, [1] the alternative; 0 means unbound.
using KeyBindings = std::array<std::array<uint16_t, 2>, binding_action_count>;

constexpr KeyBindings default_key_bindings() {
    KeyBindings bindings{};
    for (int i = 0; i < binding_action_count; ++i) {
        bindings[i][0] = binding_actions[i].default_primary;
        bindings[i][1] = binding_actions[i].default_alternative;
    }
    return bindings;
}

struct Settings {
    int32_t display_mode = DisplayMode::Borderless;
    int32_t width = 0;          // 0 = the monitor's resolution
    int32_t height = 0;
    int32_t render_height = 0;  // 0 = match the window
    int32_t fps_cap = 60;       // 1 = the monitor's refresh rate, 0 = unlimited
    int32_t frame_interpolation = 0;
    bool vsync = true;
    int32_t graphics_api = GraphicsApi::D3D12;
    int32_t anisotropic_filtering = 0;  // 0 = as the game asks, else 2, 4, 8, 16
    int32_t upscaler = UpscalerKind::Off;
    int32_t upscale_quality = UpscaleQuality::Quality;
    int32_t sharpness = 20;  // written clamped to 0..100, kept as is in memory
    int32_t dlss_preset = DlssPreset::Default;
    int32_t frame_generation = FrameGeneration::Off;
    int32_t perf_overlay = 0;        // 0 off, 1 FPS counter, 2 detailed
    int32_t perf_overlay_scale = 0;  // percent; 0 = automatic by resolution
    int32_t language = 1;            // 1 English, 3 German, 4 French, 5 Spanish, 6 Italian
    bool keyboard_controls = true;
    bool vibration = true;
    bool invert_camera_y = false;
    KeyBindings key_bindings = default_key_bindings();
    bool music = true;
    bool animated_background = true;
    bool stay_open = true;
    float music_volume = 0.6f;  // 0.0 .. 1.0

    friend bool operator==(const Settings&, const Settings&) = default;
};
