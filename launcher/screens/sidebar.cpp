#include <cstdio>
#include <string>

#include "screens/pages.hpp"
#include "screens/widgets.hpp"
#include "shell/launcher_state.hpp"

namespace {

constexpr float sidebar_width = 236.0f;
constexpr float nav_top = 128.0f;
constexpr float nav_height = 46.0f;

constexpr const char* nav_labels[page_count] = {"HOME", "VIDEO", "CONTROLS", "GAME", "ADVANCED", "ABOUT"};

void draw_navigation(LauncherState& state) {
    ImDrawList* draw = ImGui::GetWindowDrawList();
    for (int j = 0; j < page_count; ++j) {
        const float top = nav_top + nav_height * static_cast<float>(j);
        ImGui::SetCursorPos(ImVec2(scaled(0.0f), scaled(top)));
        ImGui::PushID(j);
        if (ImGui::InvisibleButton("nav", ImVec2(scaled(sidebar_width), scaled(nav_height)))) state.current_page = j;
        const bool hovered = ImGui::IsItemHovered();
        ImGui::PopID();

        const bool current = state.current_page == j;
        const ImVec2 min = to_screen(0.0f, top);
        const ImVec2 max = to_screen(sidebar_width, top + nav_height);
        if (current) {
            draw->AddRectFilled(min, max, rgba(0x1e1817ff));
            draw->AddRectFilled(min, to_screen(4.0f, top + nav_height), rgba(0xc42024ff));
        } else if (hovered) {
            draw->AddRectFilled(min, max, rgba(0x161211ff));
        }
        const ImU32 colour = current ? rgba(0xf4ece2ff) : hovered ? rgba(0xe8e0d4ff) : rgba(0xc8beb2ff);
        spaced_text(state.heading_font, 19.0f, ImVec2(30.0f, top + 11.0f), colour, 1.2f, nav_labels[j]);
    }
}

void draw_music_toggle(LauncherState& state) {
    ImGui::SetCursorPos(ImVec2(scaled(22.0f), scaled(624.0f)));
    if (ImGui::InvisibleButton("music", ImVec2(scaled(150.0f), scaled(22.0f)))) {
        state.settings.music = !state.settings.music;
        state.settings_dirty = true;
    }
    const ImU32 colour = ImGui::IsItemHovered() ? rgba(0xe8e0d4ff) : rgba(0x968a80ff);
    ImDrawList* draw = ImGui::GetWindowDrawList();
    draw->AddCircleFilled(to_screen(27.0f, 640.0f), scaled(3.2f), colour);
    draw->AddLine(to_screen(30.0f, 640.0f), to_screen(30.0f, 628.0f), colour, scaled(1.4f));
    draw->AddLine(to_screen(30.0f, 628.0f), to_screen(34.0f, 633.0f), colour, scaled(1.4f));
    char text[32];
    std::snprintf(text, sizeof text, "Music: %s", state.settings.music ? "on" : "off");
    draw_text(state.body_font, 14.0f, ImVec2(42.0f, 626.0f), colour, text);
}

void draw_badge(LauncherState& state) {
    ImDrawList* draw = ImGui::GetWindowDrawList();
    draw->AddRectFilled(to_screen(22.0f, 664.0f), to_screen(114.0f, 686.0f), rgba(0x781014ff));
    spaced_text(state.heading_font, 12.0f, ImVec2(31.0f, 667.0f), rgba(0xffe6dcff), 0.8f, "XBOX > PC");
    draw->AddRectFilled(to_screen(114.0f, 664.0f), to_screen(186.0f, 686.0f), rgba(0x282220ff));
    spaced_text(state.heading_font, 12.0f, ImVec2(124.0f, 667.0f), rgba(0xe8e0d4ff), 0.8f, "RECOMP");
}

}  // namespace

void draw_sidebar(LauncherState& state) {
    ImDrawList* draw = ImGui::GetWindowDrawList();
    draw->AddRectFilled(to_screen(0.0f, 0.0f), to_screen(sidebar_width, layout_height), rgba(0x0b0909ff));
    draw->AddLine(to_screen(sidebar_width, 0.0f), to_screen(sidebar_width, layout_height), rgba(0x342a28ff), scaled(1.0f));

    game_logo(ImVec2(28.0f, 18.0f), 48.0f);
    draw_navigation(state);
    draw->AddLine(to_screen(22.0f, 612.0f), to_screen(214.0f, 612.0f), rgba(0x342a28ff), scaled(1.0f));
    draw_music_toggle(state);
    draw_badge(state);
    const std::string version = state.version_label + " - native recompilation";
    draw_text(state.help_font, 12.5f, ImVec2(24.0f, 698.0f), rgba(0x605650ff), version.c_str());
}
