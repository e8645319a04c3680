// The font roles built from the program's own resources 301-303, as the launcher does
// at start-up (Wine has no Segoe UI, so the body text falls back to Oswald).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "imgui.h"
#include "shell/fonts_style.hpp"
#include "shell/launcher_state.hpp"

namespace {

size_t file_size(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {}).size();
}

TEST(FontResources, RolesAreBuiltFromTheEmbeddedTypefaces) {
    const char* dir = std::getenv("VANDRELS_TEST_FONTS_DIR");
    ASSERT_NE(dir, nullptr);
    const size_t anton = file_size(std::string(dir) + "/anton/400Regular/Anton_400Regular.ttf");
    const size_t oswald = file_size(std::string(dir) + "/oswald/400Regular/Oswald_400Regular.ttf");
    const size_t marker = file_size(std::string(dir) + "/permanent-marker/400Regular/PermanentMarker_400Regular.ttf");
    ASSERT_GT(anton * oswald * marker, 0u);

    ImGuiContext* context = ImGui::CreateContext();
    LauncherState state;
    load_fonts(state, 1.0f);
    const size_t segoe = state.body_font->ConfigData->FontDataSize;
    if (segoe != oswald) {
        // A real Windows folder has Segoe UI: body and help text use it.
        EXPECT_EQ(static_cast<size_t>(state.help_font->ConfigData->FontDataSize), segoe);
    }
    EXPECT_EQ(static_cast<size_t>(state.heading_font->ConfigData->FontDataSize), oswald);
    EXPECT_EQ(static_cast<size_t>(state.title_font->ConfigData->FontDataSize), anton);
    EXPECT_EQ(static_cast<size_t>(state.button_font->ConfigData->FontDataSize), anton);
    EXPECT_EQ(static_cast<size_t>(state.logo_font->ConfigData->FontDataSize), marker);
    EXPECT_NEAR(state.logo_font->FontSize, 92.0f, 0.01f);
    EXPECT_TRUE(ImGui::GetIO().Fonts->IsBuilt());
    ImGui::DestroyContext(context);
}

}  // namespace
