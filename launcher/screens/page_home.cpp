#include "screens/pages.hpp"
#include "screens/widgets.hpp"
#include "shell/launcher_state.hpp"

namespace {

constexpr float centre_x = 708.0f;  // middle of the area right of the sidebar

// The hero fades into the window colour where the quick settings sit, and the
// sidebar casts a soft shadow over its left edge.
void draw_fades() {
    ImDrawList* draw = ImGui::GetWindowDrawList();
    draw->AddRectFilledMultiColor(to_screen(236.0f, 300.0f), to_screen(1180.0f, 470.0f), rgba(0x100d0d00),
                                  rgba(0x100d0d00), rgba(0x100d0deb), rgba(0x100d0deb));
    draw->AddRectFilled(to_screen(236.0f, 470.0f), to_screen(1180.0f, 662.0f), rgba(0x100d0deb));
    draw->AddRectFilledMultiColor(to_screen(236.0f, 0.0f), to_screen(276.0f, 662.0f), rgba(0x00000078),
                                  rgba(0x00000000), rgba(0x00000000), rgba(0x00000078));
}

void draw_headings(LauncherState& state) {
    ImDrawList* draw = ImGui::GetWindowDrawList();

    const char* tagline = "NATIVE PC RECOMPILATION";
    float w = spaced_text_width(state.heading_font, 13.0f, 4.0f, tagline);
    float left = centre_x - w * 0.5f, right = centre_x + w * 0.5f;
    spaced_text(state.heading_font, 13.0f, ImVec2(left, 430.0f), rgba(0xecc478e5), 4.0f, tagline);
    draw->AddLine(to_screen(left - 70.0f, 439.0f), to_screen(left - 14.0f, 439.0f), rgba(0xecc47899), scaled(1.0f));
    draw->AddLine(to_screen(right + 14.0f, 439.0f), to_screen(right + 70.0f, 439.0f), rgba(0xecc47899), scaled(1.0f));

    const char* heading = "QUICK SETTINGS";
    w = spaced_text_width(state.heading_font, 17.0f, 1.5f, heading);
    left = centre_x - w * 0.5f, right = centre_x + w * 0.5f;
    spaced_text(state.heading_font, 17.0f, ImVec2(left, 484.0f), rgba(0xecc478ff), 1.5f, heading);
    draw->AddLine(to_screen(346.0f, 495.0f), to_screen(left - 16.0f, 495.0f), rgba(0x342a28ff), scaled(1.0f));
    draw->AddLine(to_screen(right + 16.0f, 495.0f), to_screen(1070.0f, 495.0f), rgba(0x342a28ff), scaled(1.0f));
}

}  // namespace

void draw_home_page(LauncherState& state, double t) {
    draw_hero(state, t);
    draw_fades();
    draw_headings(state);
    draw_quick_settings(state);
}
