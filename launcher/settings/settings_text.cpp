#include "settings/settings_text.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>

#include <toml++/toml.h>

#include "settings/toml_guard.hpp"

namespace {

toml::table parse_table(std::string_view text)
{
    toml::parse_result result = toml::parse(hide_unsafe_characters(text));
    if (!result) return {};
    return std::move(result).table();
}

// Integers, booleans and integral floats count as whole numbers. A float is only taken
// when it fits in 64 bits, so huge values are refused instead of overflowing.
std::optional<int64_t> whole_number(const toml::node* node)
{
    if (!node) return std::nullopt;
    if (const auto* v = node->as_integer()) return v->get();
    if (const auto* v = node->as_boolean()) return v->get() ? 1 : 0;
    if (const auto* v = node->as_floating_point()) {
        const double d = v->get();
        constexpr double two_to_63 = 9223372036854775808.0;
        if (std::isfinite(d) && d == std::trunc(d) && d >= -two_to_63 && d < two_to_63)
            return static_cast<int64_t>(d);
    }
    return std::nullopt;
}

void read_int(const toml::table& table, const char* key, int32_t& field)
{
    if (const auto n = whole_number(table.get(key))) field = static_cast<int32_t>(static_cast<uint32_t>(*n));
}

void read_bool(const toml::table& table, const char* key, bool& field)
{
    const toml::node* node = table.get(key);
    if (!node) return;
    if (const auto* v = node->as_boolean()) field = v->get();
    else if (const auto* v = node->as_integer()) field = v->get() != 0;
}

template <size_t N>
void read_word(const toml::table& table, const char* key, const std::array<const char*, N>& words, int32_t& field)
{
    const toml::node* node = table.get(key);
    const auto* text = node ? node->as_string() : nullptr;
    if (!text) return;
    for (size_t i = 0; i < N; ++i) {
        if (text->get() == words[i]) {
            field = static_cast<int32_t>(i);
            return;
        }
    }
}

void read_keyboard(const toml::table& keyboard, KeyBindings& bindings)
{
    for (int action = 0; action < binding_action_count; ++action) {
        const toml::node* node = keyboard.get(binding_actions[action].key);
        const auto* codes = node ? node->as_array() : nullptr;
        if (!codes) continue;
        // An element that is not a number unbinds its slot rather than keeping the default,
        // so the file always says exactly what the game will use.
        const size_t given = std::min<size_t>(codes->size(), 2);
        for (size_t column = 0; column < given; ++column) {
            const auto n = whole_number(codes->get(column));
            bindings[action][column] = n ? static_cast<uint16_t>(static_cast<uint64_t>(*n)) : 0;
        }
    }
}

void read_music_volume(const toml::table& launcher, float& field)
{
    const toml::node* node = launcher.get("music_volume");
    if (!node) return;
    constexpr float fallback = Settings{}.music_volume;
    double volume = fallback;
    if (const auto* v = node->as_floating_point()) {
        volume = v->get();
    } else if (const auto* v = node->as_integer()) {
        constexpr int64_t two_to_53 = int64_t{1} << 53;
        if (v->get() >= -two_to_53 && v->get() <= two_to_53) volume = static_cast<double>(v->get());
    }
    // NaN, infinities and values beyond float range cannot be a volume and would reach
    // the audio engine unclamped.
    constexpr double float_max = 3.4028234663852886e38;
    field = std::isfinite(volume) && std::fabs(volume) <= float_max ? static_cast<float>(volume) : fallback;
}

template <size_t N>
std::string word_of(const std::array<const char*, N>& words, int32_t value)
{
    return words[std::clamp<int32_t>(value, 0, static_cast<int32_t>(N) - 1)];
}

std::string with_crlf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace

Settings parse_settings(std::string_view text)
{
    Settings s;
    const toml::table table = parse_table(text);

    read_word(table, "display_mode", display_mode_words, s.display_mode);
    read_int(table, "width", s.width);
    read_int(table, "height", s.height);
    read_int(table, "render_height", s.render_height);
    read_int(table, "fps_cap", s.fps_cap);
    read_int(table, "frame_interpolation", s.frame_interpolation);
    read_bool(table, "vsync", s.vsync);
    read_word(table, "graphics_api", graphics_api_words, s.graphics_api);
    read_int(table, "anisotropic_filtering", s.anisotropic_filtering);
    read_word(table, "upscaler", upscaler_words, s.upscaler);
    read_word(table, "upscale_quality", upscale_quality_words, s.upscale_quality);
    read_int(table, "sharpness", s.sharpness);
    read_word(table, "dlss_preset", dlss_preset_words, s.dlss_preset);
    read_word(table, "frame_generation", frame_generation_words, s.frame_generation);
    read_int(table, "perf_overlay", s.perf_overlay);
    read_int(table, "perf_overlay_scale", s.perf_overlay_scale);
    read_int(table, "language", s.language);
    read_bool(table, "keyboard_controls", s.keyboard_controls);
    read_bool(table, "vibration", s.vibration);
    read_bool(table, "invert_camera_y", s.invert_camera_y);

    if (const auto* keyboard = table.get_as<toml::table>("keyboard")) read_keyboard(*keyboard, s.key_bindings);

    if (const auto* launcher = table.get_as<toml::table>("launcher")) {
        read_bool(*launcher, "music", s.music);
        read_bool(*launcher, "animated_background", s.animated_background);
        read_bool(*launcher, "stay_open", s.stay_open);
        read_music_volume(*launcher, s.music_volume);
    }
    return s;
}

std::string print_settings(const Settings& s, std::string_view old_text)
{
    // Keys the launcher does not know (the game's own, or a newer launcher's) survive.
    toml::table table = parse_table(old_text);

    table.insert_or_assign("display_mode", word_of(display_mode_words, s.display_mode));
    table.insert_or_assign("width", s.width);
    table.insert_or_assign("height", s.height);
    table.insert_or_assign("render_height", s.render_height);
    table.insert_or_assign("render_percent", 100);
    table.insert_or_assign("fps_cap", s.fps_cap);
    table.insert_or_assign("frame_interpolation", s.frame_interpolation);
    table.insert_or_assign("vsync", s.vsync);
    table.insert_or_assign("graphics_api", word_of(graphics_api_words, s.graphics_api));
    table.insert_or_assign("anisotropic_filtering", s.anisotropic_filtering);
    table.insert_or_assign("upscaler", word_of(upscaler_words, s.upscaler));
    table.insert_or_assign("upscale_quality", word_of(upscale_quality_words, s.upscale_quality));
    table.insert_or_assign("sharpness", std::clamp<int32_t>(s.sharpness, 0, 100));
    table.insert_or_assign("dlss_preset", word_of(dlss_preset_words, s.dlss_preset));
    table.insert_or_assign("frame_generation", word_of(frame_generation_words, s.frame_generation));
    table.insert_or_assign("perf_overlay", s.perf_overlay);
    table.insert_or_assign("perf_overlay_scale", s.perf_overlay_scale);
    table.insert_or_assign("language", s.language);
    table.insert_or_assign("keyboard_controls", s.keyboard_controls);
    table.insert_or_assign("vibration", s.vibration);
    table.insert_or_assign("invert_camera_y", s.invert_camera_y);

    toml::table keyboard;
    for (int action = 0; action < binding_action_count; ++action) {
        keyboard.insert_or_assign(binding_actions[action].key,
                                  toml::array{s.key_bindings[action][0], s.key_bindings[action][1]});
    }
    table.insert_or_assign("keyboard", std::move(keyboard));

    toml::table launcher;
    launcher.insert_or_assign("music", s.music);
    launcher.insert_or_assign("animated_background", s.animated_background);
    launcher.insert_or_assign("music_volume", static_cast<double>(s.music_volume));
    launcher.insert_or_assign("stay_open", s.stay_open);
    table.insert_or_assign("launcher", std::move(launcher));

    std::ostringstream out;
    out << table << '\n';
    return with_crlf(restore_unsafe_characters(out.str()));
}

int32_t reconcile_frame_generation(int32_t frame_generation, int driver_smooth_motion_state)
{
    if (driver_smooth_motion_state == 1 && frame_generation == FrameGeneration::Off)
        return FrameGeneration::SmoothMotion;
    if (driver_smooth_motion_state == 0 && frame_generation == FrameGeneration::SmoothMotion)
        return FrameGeneration::Off;
    return frame_generation;
}
