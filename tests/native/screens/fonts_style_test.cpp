// Font roles from the launcher's typefaces (the same npm files the program embeds)
// and the fall-backs when a source is missing or not a font.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "imgui.h"
#include "shell/fonts_style.hpp"
#include "shell/launcher_state.hpp"

namespace {

std::vector<uint8_t> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string fonts_dir() {
    const char* dir = std::getenv("VANDRELS_TEST_FONTS_DIR");
    return dir ? dir : "";
}

struct Context {
    Context() : context(ImGui::CreateContext()) {}
    ~Context() { ImGui::DestroyContext(context); }
    ImGuiContext* context;
};

ImFont* LauncherState::*const role_fields[] = {&LauncherState::body_font,  &LauncherState::help_font,
                                                &LauncherState::heading_font, &LauncherState::title_font,
                                                &LauncherState::button_font,  &LauncherState::logo_font};

class TypefaceFonts : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string dir = fonts_dir();
        sources.anton = read_file(dir + "/anton/400Regular/Anton_400Regular.ttf");
        sources.oswald = read_file(dir + "/oswald/400Regular/Oswald_400Regular.ttf");
        sources.permanent_marker = read_file(dir + "/permanent-marker/400Regular/PermanentMarker_400Regular.ttf");
        stand_in_system_font = read_file(dir + "/oswald/300Light/Oswald_300Light.ttf");
        if (sources.anton.empty() || sources.oswald.empty() || sources.permanent_marker.empty() ||
            stand_in_system_font.empty())
            GTEST_SKIP() << "font packages not installed (scripts/setup.sh)";
    }
    Context gui;
    FontSources sources;
    std::vector<uint8_t> stand_in_system_font;
};

TEST_F(TypefaceFonts, RolesComeFromTheirTypefacesAtTheScaledSizes) {
    LauncherState state;
    sources.system_font = stand_in_system_font;
    build_fonts(state, 1.5f, sources);
    struct Expect { size_t bytes; float size; };
    const Expect expected[] = {
        {stand_in_system_font.size(), 22.5f}, {stand_in_system_font.size(), 20.25f},
        {sources.oswald.size(), 28.5f},       {sources.anton.size(), 60.0f},
        {sources.anton.size(), 45.0f},        {sources.permanent_marker.size(), 138.0f},
    };
    for (size_t i = 0; i < std::size(role_fields); ++i) {
        const ImFont* font = state.*role_fields[i];
        ASSERT_NE(font, nullptr) << "role " << i;
        ASSERT_NE(font->ConfigData, nullptr);
        EXPECT_EQ(static_cast<size_t>(font->ConfigData->FontDataSize), expected[i].bytes) << "role " << i;
        // The atlas rasterises at the whole pixel below; the screen draws at the exact size.
        EXPECT_NEAR(font->FontSize, expected[i].size, 0.99f) << "role " << i;
        EXPECT_EQ(font->ConfigData->OversampleH, 2);
        EXPECT_EQ(font->ConfigData->OversampleV, 2);
    }
    EXPECT_EQ(ImGui::GetIO().FontDefault, state.body_font);
    EXPECT_TRUE(ImGui::GetIO().Fonts->IsBuilt());
}

TEST_F(TypefaceFonts, WithoutSegoeTheBodyTextIsOswald) {
    LauncherState state;
    build_fonts(state, 1.0f, sources);
    EXPECT_EQ(static_cast<size_t>(state.body_font->ConfigData->FontDataSize), sources.oswald.size());
    EXPECT_EQ(static_cast<size_t>(state.help_font->ConfigData->FontDataSize), sources.oswald.size());
    EXPECT_NEAR(state.body_font->FontSize, 15.0f, 0.01f);
}

TEST_F(TypefaceFonts, GlyphsStopAtTheListedRanges) {
    LauncherState state;
    build_fonts(state, 1.0f, sources);
    const ImFont* body = state.body_font;
    EXPECT_NE(body->FindGlyphNoFallback(0x00FF), nullptr);
    EXPECT_NE(body->FindGlyphNoFallback(0x2026), nullptr) << "ellipsis";
    EXPECT_EQ(body->FindGlyphNoFallback(0x0100), nullptr) << "outside the ranges";
    // Such a character is still drawn, as the font's fall-back glyph.
    EXPECT_NE(body->FindGlyph(0x0100), nullptr);
}

TEST(FontFallback, MissingResourcesGiveTheBuiltInFont) {
    Context gui;
    LauncherState state;
    build_fonts(state, 1.5f, FontSources{});
    for (auto field : role_fields) {
        ASSERT_NE(state.*field, nullptr);
        EXPECT_NEAR((state.*field)->FontSize, 13.0f, 0.01f) << "the built-in font at its own size";
    }
    EXPECT_EQ(ImGui::GetIO().FontDefault, state.body_font);
    EXPECT_TRUE(ImGui::GetIO().Fonts->IsBuilt());
}

TEST(FontFallback, BuffersThatAreNoFontAreTreatedAsMissing) {
    std::vector<uint8_t> truncated = {0x00, 0x01, 0x00, 0x00, 0x00, 0x09};  // header cut short
    std::vector<uint8_t> text(400, 'x');
    // A header that claims a table past the end of the buffer.
    std::vector<uint8_t> lying(64, 0);
    lying[1] = 1;
    lying[5] = 1;
    lying[12 + 8] = 0x7F;  // offset far outside
    lying[12 + 15] = 16;
    for (const auto& bad : {truncated, text, lying}) {
        Context gui;
        LauncherState state;
        FontSources sources;
        sources.anton = sources.oswald = sources.permanent_marker = sources.system_font = bad;
        build_fonts(state, 1.0f, sources);
        for (auto field : role_fields) {
            ASSERT_NE(state.*field, nullptr);
            EXPECT_NEAR((state.*field)->FontSize, 13.0f, 0.01f);
        }
    }
}

TEST(Style, ValuesAndColoursScaleByTheWindowScale) {
    Context gui;
    struct Case { float scale; float frame_x, frame_y, spacing_x, spacing_y, scrollbar, grab; };
    // Sizes are truncated after scaling, as the GUI library does.
    const Case cases[] = {{1.0f, 12, 8, 8, 6, 10, 12}, {1.5f, 18, 12, 12, 9, 15, 18}, {1.25f, 15, 10, 10, 7, 12, 15}};
    for (const Case& c : cases) {
        ImGui::GetStyle().FrameRounding = 99;  // whatever was there before is reset
        apply_style(c.scale);
        const ImGuiStyle& style = ImGui::GetStyle();
        EXPECT_EQ(style.FramePadding.x, c.frame_x) << c.scale;
        EXPECT_EQ(style.FramePadding.y, c.frame_y) << c.scale;
        EXPECT_EQ(style.ItemSpacing.x, c.spacing_x) << c.scale;
        EXPECT_EQ(style.ItemSpacing.y, c.spacing_y) << c.scale;
        EXPECT_EQ(style.ScrollbarSize, c.scrollbar) << c.scale;
        EXPECT_EQ(style.GrabMinSize, c.grab) << c.scale;
        EXPECT_EQ(style.WindowPadding.x, 0);
        EXPECT_EQ(style.FrameRounding, 0);
        EXPECT_EQ(style.FrameBorderSize, 1);
        EXPECT_EQ(style.PopupBorderSize, 1);
        EXPECT_EQ(style.WindowBorderSize, 0);
    }
    const ImGuiStyle& style = ImGui::GetStyle();
    EXPECT_EQ(ImGui::ColorConvertFloat4ToU32(style.Colors[ImGuiCol_WindowBg]), IM_COL32(0x10, 0x0d, 0x0d, 0xff));
    EXPECT_EQ(ImGui::ColorConvertFloat4ToU32(style.Colors[ImGuiCol_PopupBg]), IM_COL32(0x18, 0x14, 0x13, 0xfc));
    EXPECT_EQ(ImGui::ColorConvertFloat4ToU32(style.Colors[ImGuiCol_HeaderActive]), IM_COL32(0xc4, 0x20, 0x24, 0xff));
    EXPECT_EQ(ImGui::ColorConvertFloat4ToU32(style.Colors[ImGuiCol_ChildBg]), IM_COL32(0, 0, 0, 0));
    // A slot the launcher does not set keeps the dark default.
    ImGuiStyle dark;
    ImGui::StyleColorsDark(&dark);
    EXPECT_EQ(ImGui::ColorConvertFloat4ToU32(style.Colors[ImGuiCol_CheckMark]),
              ImGui::ColorConvertFloat4ToU32(dark.Colors[ImGuiCol_CheckMark]));
}

}  // namespace
