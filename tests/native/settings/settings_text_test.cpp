// How settings.toml text turns into Settings and back.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "settings/settings_text.hpp"

namespace {

std::string crlf(std::string text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

uint16_t& primary(Settings& s, int action) { return s.key_bindings[action][0]; }
uint16_t& alternative(Settings& s, int action) { return s.key_bindings[action][1]; }

struct ParseCase {
    const char* file;
    std::function<void(Settings&)> expect;  // changes from the defaults
};

class ParseSettings : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseSettings, GivesDefaultsChangedOnlyByUsableValues)
{
    Settings expected;
    GetParam().expect(expected);
    EXPECT_EQ(parse_settings(GetParam().file), expected) << GetParam().file;
}

const auto nothing = [](Settings&) {};
constexpr int move_up = 0, camera_up = 4, start = 22;

INSTANTIATE_TEST_SUITE_P(Conversions, ParseSettings, testing::Values(
    // Files that give nothing.
    ParseCase{"", nothing},
    ParseCase{"this is [[ not toml", nothing},
    ParseCase{"width = 5\nwidth = 6\n", nothing},  // a duplicate key makes the whole file invalid
    ParseCase{"Width = 5\nVSYNC = false\n", nothing},
    // Enumerations: exact stored words only.
    ParseCase{"display_mode = 'windowed'", [](Settings& s) { s.display_mode = DisplayMode::Windowed; }},
    ParseCase{"display_mode = 'Windowed'", nothing},
    ParseCase{"display_mode = 2", nothing},
    ParseCase{"display_mode = 'fullscreen'\nupscale_quality = 'ultra'\ngraphics_api = 'vulkan'",
              [](Settings& s) {
                  s.display_mode = DisplayMode::Fullscreen;
                  s.upscale_quality = UpscaleQuality::Ultra;
                  s.graphics_api = GraphicsApi::Vulkan;
              }},
    ParseCase{"upscaler = 'vorx'", [](Settings& s) { s.upscaler = UpscalerKind::Vorx; }},
    ParseCase{"upscaler = 'VORX'", nothing},
    ParseCase{"upscale_quality = 'best'", nothing},
    ParseCase{"dlss_preset = 'l'\nframe_generation = 'smooth'",
              [](Settings& s) {
                  s.dlss_preset = DlssPreset::L;
                  s.frame_generation = FrameGeneration::SmoothMotion;
              }},
    // Integers: whole numbers of any type, low 32 bits.
    ParseCase{"fps_cap = 144.0", [](Settings& s) { s.fps_cap = 144; }},
    ParseCase{"fps_cap = 144.5", nothing},
    ParseCase{"fps_cap = true", [](Settings& s) { s.fps_cap = 1; }},
    ParseCase{"fps_cap = '144'", nothing},
    ParseCase{"fps_cap = nan", nothing},
    ParseCase{"fps_cap = inf", nothing},
    ParseCase{"fps_cap = 1e300", nothing},
    ParseCase{"fps_cap = -0.0", [](Settings& s) { s.fps_cap = 0; }},
    ParseCase{"fps_cap = 4294967356", [](Settings& s) { s.fps_cap = 60; }},
    ParseCase{"width = 4294967295\nheight = -1", [](Settings& s) { s.width = -1; s.height = -1; }},
    ParseCase{"width = 4294967296.0", [](Settings& s) { s.width = 0; }},
    ParseCase{"sharpness = 250\nlanguage = 99\nanisotropic_filtering = 3",
              [](Settings& s) {
                  s.sharpness = 250;
                  s.language = 99;
                  s.anisotropic_filtering = 3;
              }},
    ParseCase{"render_height = 0x2D0\nperf_overlay = 2\nperf_overlay_scale = 150\nframe_interpolation = 1",
              [](Settings& s) {
                  s.render_height = 720;
                  s.perf_overlay = 2;
                  s.perf_overlay_scale = 150;
                  s.frame_interpolation = 1;
              }},
    // Booleans: booleans and integers.
    ParseCase{"vsync = 0", [](Settings& s) { s.vsync = false; }},
    ParseCase{"vsync = 'no'", nothing},
    ParseCase{"vsync = 0.0", nothing},
    ParseCase{"invert_camera_y = -7\nvibration = false\nkeyboard_controls = 0",
              [](Settings& s) {
                  s.invert_camera_y = true;
                  s.vibration = false;
                  s.keyboard_controls = false;
              }},
    // [launcher]
    ParseCase{"[launcher]\nmusic_volume = 1", [](Settings& s) { s.music_volume = 1.0f; }},
    ParseCase{"[launcher]\nmusic_volume = true", nothing},
    ParseCase{"[launcher]\nmusic_volume = 'loud'", nothing},
    ParseCase{"[launcher]\nmusic_volume = 0.25", [](Settings& s) { s.music_volume = 0.25f; }},
    ParseCase{"[launcher]\nmusic_volume = 1.7", [](Settings& s) { s.music_volume = 1.7f; }},
    ParseCase{"[launcher]\nmusic_volume = -0.5", [](Settings& s) { s.music_volume = -0.5f; }},
    ParseCase{"[launcher]\nmusic_volume = 9007199254740992", [](Settings& s) { s.music_volume = 9007199254740992.0f; }},
    ParseCase{"[launcher]\nmusic_volume = 9007199254740993", nothing},
    ParseCase{"[launcher]\nmusic_volume = nan", nothing},
    ParseCase{"[launcher]\nmusic_volume = -inf", nothing},
    ParseCase{"[launcher]\nmusic_volume = 1e39", nothing},
    ParseCase{"[launcher]\nmusic = 0\nanimated_background = false\nstay_open = 'no'",
              [](Settings& s) {
                  s.music = false;
                  s.animated_background = false;
              }},
    ParseCase{"launcher = 5\nmusic = false", nothing},
    ParseCase{"music_volume = 0.1", nothing},  // only read inside [launcher]
    // [keyboard]
    ParseCase{"[keyboard]\nmove_up = [ 38 ]", [](Settings& s) { primary(s, move_up) = 38; }},
    ParseCase{"[keyboard]\ncamera_up = [ 87 ]", [](Settings& s) { primary(s, camera_up) = 87; }},
    ParseCase{"[keyboard]\nmove_up = [ 'w', 40 ]",
              [](Settings& s) {
                  primary(s, move_up) = 0;
                  alternative(s, move_up) = 40;
              }},
    ParseCase{"[keyboard]\nstart = [ 1.5, 2.0 ]",
              [](Settings& s) {
                  primary(s, start) = 0;
                  alternative(s, start) = 2;
              }},
    ParseCase{"[keyboard]\nstart = [ 65601, true, 99 ]",
              [](Settings& s) {
                  primary(s, start) = 65;
                  alternative(s, start) = 1;
              }},
    ParseCase{"[keyboard]\nmove_up = 38", nothing},
    ParseCase{"[keyboard]\nmove_up = []", nothing},
    ParseCase{"[keyboard]\nMove_Up = [ 1, 2 ]", nothing},
    ParseCase{"keyboard = [ 1, 2 ]", nothing},
    ParseCase{"keyboard = { start = [ 7, 8 ] }",
              [](Settings& s) {
                  primary(s, start) = 7;
                  alternative(s, start) = 8;
              }}));

Settings odd_settings()
{
    Settings s;
    s.display_mode = DisplayMode::Windowed;
    s.width = 2560;
    s.height = 1440;
    s.render_height = -3;
    s.fps_cap = 0;
    s.frame_interpolation = 2;
    s.vsync = false;
    s.graphics_api = GraphicsApi::D3D11;
    s.anisotropic_filtering = 16;
    s.upscaler = UpscalerKind::Fsr;
    s.upscale_quality = UpscaleQuality::Native;
    s.sharpness = 100;
    s.dlss_preset = DlssPreset::M;
    s.frame_generation = FrameGeneration::Dlss4;
    s.perf_overlay = 1;
    s.perf_overlay_scale = 300;
    s.language = 4;
    s.keyboard_controls = false;
    s.vibration = false;
    s.invert_camera_y = true;
    for (int i = 0; i < binding_action_count; ++i) s.key_bindings[i] = {uint16_t(0xFFFF - i), uint16_t(i)};
    s.music = false;
    s.animated_background = false;
    s.stay_open = false;
    s.music_volume = 0.3f;
    return s;
}

TEST(PrintSettings, ReadsBackAsTheSameSettings)
{
    EXPECT_EQ(parse_settings(print_settings(Settings{}, "")), Settings{});
    EXPECT_EQ(parse_settings(print_settings(odd_settings(), "")), odd_settings());
}

const char* const default_file =
    "anisotropic_filtering = 0\n"
    "display_mode = 'borderless'\n"
    "dlss_preset = 'default'\n"
    "fps_cap = 60\n"
    "frame_generation = 'off'\n"
    "frame_interpolation = 0\n"
    "graphics_api = 'd3d12'\n"
    "height = 0\n"
    "invert_camera_y = false\n"
    "keyboard_controls = true\n"
    "language = 1\n"
    "perf_overlay = 0\n"
    "perf_overlay_scale = 0\n"
    "render_height = 0\n"
    "render_percent = 100\n"
    "sharpness = 20\n"
    "upscale_quality = 'quality'\n"
    "upscaler = 'off'\n"
    "vibration = true\n"
    "vsync = true\n"
    "width = 0\n"
    "\n"
    "[keyboard]\n"
    "a = [ 32, 0 ]\n"
    "b = [ 69, 0 ]\n"
    "back = [ 9, 0 ]\n"
    "black = [ 82, 0 ]\n"
    "camera_down = [ 40, 75 ]\n"
    "camera_left = [ 37, 74 ]\n"
    "camera_right = [ 39, 76 ]\n"
    "camera_up = [ 38, 73 ]\n"
    "dpad_down = [ 50, 0 ]\n"
    "dpad_left = [ 51, 0 ]\n"
    "dpad_right = [ 52, 0 ]\n"
    "dpad_up = [ 49, 0 ]\n"
    "l3 = [ 67, 0 ]\n"
    "lt = [ 160, 0 ]\n"
    "move_down = [ 83, 0 ]\n"
    "move_left = [ 65, 0 ]\n"
    "move_right = [ 68, 0 ]\n"
    "move_up = [ 87, 0 ]\n"
    "r3 = [ 86, 0 ]\n"
    "rt = [ 162, 4 ]\n"
    "start = [ 13, 27 ]\n"
    "white = [ 70, 0 ]\n"
    "x = [ 1, 85 ]\n"
    "y = [ 2, 79 ]\n"
    "\n"
    "[launcher]\n"
    "animated_background = true\n"
    "music = true\n"
    "music_volume = 0.60000002384185791\n"
    "stay_open = true\n";

TEST(PrintSettings, DefaultFileHasExactBytes)
{
    EXPECT_EQ(print_settings(Settings{}, ""), crlf(default_file));
    // An unparsable old file is replaced by a complete one.
    EXPECT_EQ(print_settings(Settings{}, "garbage = = ="), crlf(default_file));
}

TEST(PrintSettings, KeepsUnknownTopLevelKeysAndRebuildsSubTables)
{
    const std::string old_file =
        "foo = 1\n"
        "zeta = 'kept'\n"
        "width = 0x10\n"
        "display_mode = 2\n"
        "render_percent = 75\n"
        "[keyboard]\n"
        "move_up = [ 1, 2 ]\n"
        "jump_twice = [ 3, 4 ]\n"
        "[launcher]\n"
        "volume_boost = 2\n"
        "music = false\n"
        "[game]\n"
        "seed = 42\n";
    std::string expected = default_file;
    expected.insert(expected.find("fps_cap"), "foo = 1\n");
    expected.replace(expected.find("\n\n[keyboard]"), 1, "\nzeta = 'kept'\n\n[game]\nseed = 42\n");
    EXPECT_EQ(print_settings(Settings{}, old_file), crlf(expected));
}

struct PrintCase {
    std::function<void(Settings&)> change;
    const char* line;  // expected line of the printed file
};

class PrintedLine : public testing::TestWithParam<PrintCase> {};

TEST_P(PrintedLine, AppearsInTheFile)
{
    Settings s;
    GetParam().change(s);
    const std::string text = print_settings(s, "");
    EXPECT_NE(text.find(std::string("\r\n") + GetParam().line + "\r\n"), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(Values, PrintedLine, testing::Values(
    PrintCase{[](Settings& s) { s.music_volume = 0.5f; }, "music_volume = 0.5"},
    PrintCase{[](Settings& s) { s.music_volume = 1.0f; }, "music_volume = 1.0"},
    PrintCase{[](Settings& s) { s.music_volume = 0.0f; }, "music_volume = 0.0"},
    PrintCase{[](Settings& s) { s.sharpness = 250; }, "sharpness = 100"},
    PrintCase{[](Settings& s) { s.sharpness = -5; }, "sharpness = 0"},
    PrintCase{[](Settings& s) { s.display_mode = 7; }, "display_mode = 'windowed'"},
    PrintCase{[](Settings& s) { s.display_mode = -3; }, "display_mode = 'fullscreen'"},
    PrintCase{[](Settings& s) { s.frame_generation = 9; }, "frame_generation = 'smooth'"},
    PrintCase{[](Settings& s) { s.upscaler = 4; }, "upscaler = 'vorx'"},
    PrintCase{[](Settings& s) { s.dlss_preset = 5; }, "dlss_preset = 'l'"},
    PrintCase{[](Settings& s) { s.upscale_quality = -1; }, "upscale_quality = 'native'"},
    PrintCase{[](Settings& s) { s.graphics_api = 3; }, "graphics_api = 'd3d11'"},
    PrintCase{[](Settings& s) { s.width = -20; }, "width = -20"},
    PrintCase{[](Settings& s) { s.fps_cap = 100000; }, "fps_cap = 100000"},
    PrintCase{[](Settings& s) { s.key_bindings[0] = {65535, 0}; }, "move_up = [ 65535, 0 ]"}));

TEST(PrintSettings, SharpnessIsClampedOnlyInTheFile)
{
    Settings s;
    s.sharpness = 250;
    const std::string text = print_settings(s, "");
    EXPECT_EQ(s.sharpness, 250);
    EXPECT_EQ(parse_settings(text).sharpness, 100);
}

TEST(PrintSettings, EndsWithExactlyOneNewline)
{
    const std::string text = print_settings(Settings{}, "trailing = 1\n\n\n");
    ASSERT_GE(text.size(), 4u);
    EXPECT_EQ(text.substr(text.size() - 3), "e\r\n");
    EXPECT_EQ(text.find("\n\r\n\r\n"), std::string::npos);
    EXPECT_EQ(text.find(" \r\n"), std::string::npos);
}

TEST(ReconcileFrameGeneration, FollowsAKnownDriverState)
{
    struct Row {
        int32_t stored;
        int driver;
        int32_t result;
    };
    const Row rows[] = {
        {FrameGeneration::Off, 1, FrameGeneration::SmoothMotion},
        {FrameGeneration::Dlss3, 1, FrameGeneration::Dlss3},
        {FrameGeneration::SmoothMotion, 1, FrameGeneration::SmoothMotion},
        {FrameGeneration::SmoothMotion, 0, FrameGeneration::Off},
        {FrameGeneration::Fsr, 0, FrameGeneration::Fsr},
        {FrameGeneration::Off, -1, FrameGeneration::Off},
        {FrameGeneration::SmoothMotion, -1, FrameGeneration::SmoothMotion},
    };
    for (const Row& row : rows)
        EXPECT_EQ(reconcile_frame_generation(row.stored, row.driver), row.result)
            << "stored " << row.stored << ", driver " << row.driver;
}

}  // namespace
