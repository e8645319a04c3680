#include <cfloat>
#include <string>

#include "screens/pages.hpp"
#include "screens/widgets.hpp"
#include "shell/launcher_state.hpp"

namespace {

constexpr const char* saved_text = "Settings saved.";

// One line sits at y 691 beside the dot. Longer texts (a driver's refusal with its
// detail, the recording hint) would run under the Save button, so they wrap before
// it and stay centred on the dot.
void draw_status_line(LauncherState& state, const std::string& text) {
    constexpr float left = 284.0f, right = 796.0f, size = 15.0f, dot_y = 701.0f;
    ImFont* font = font_or_default(state.body_font);
    const float wrap_px = scaled(right - left);
    const float height = font->CalcTextSizeA(scaled(size), FLT_MAX, wrap_px, text.c_str()).y / widget_scale();
    const float top = height > size * 1.5f ? dot_y - height * 0.5f : 691.0f;
    ImGui::GetWindowDrawList()->AddText(font, scaled(size), to_screen(left, top), rgba(0xe8e0d4ff), text.c_str(),
                                        nullptr, wrap_px);
}

}  // namespace

std::string footer_status_text(LauncherState& state) {
    // "Settings saved." would be a lie once something changed after the save.
    if (state.settings_dirty && state.status_text == saved_text) state.status_text.clear();
    if (!state.status_text.empty()) return state.status_text;
    if (state.game_running) return "The game is running: changes here apply to it right away.";
    if (state.disc_image_path.empty()) return "Choose your game: Game > Choose the ISO.";
    if (state.settings_dirty) return "Ready to play. Changes are saved when you press Play.";
    return "Ready to play.";
}

void draw_footer(LauncherState& state) {
    ImDrawList* draw = ImGui::GetWindowDrawList();
    draw->AddRectFilled(to_screen(236.0f, 662.0f), to_screen(layout_width, layout_height), rgba(0x0d0b0bff));
    draw->AddLine(to_screen(236.0f, 662.0f), to_screen(layout_width, 662.0f), rgba(0x342a28ff), scaled(1.0f));

    const bool has_image = !state.disc_image_path.empty();
    const std::string status = footer_status_text(state);
    draw->AddCircleFilled(to_screen(268.0f, 701.0f), scaled(4.0f), has_image ? rgba(0x78c860ff) : rgba(0xe23032ff));
    draw_status_line(state, status);

    if (launcher_button("Save", 808.0f, 681.0f, 115.0f, 40.0f, false, true)) state.save_requested = true;
    if (state.game_running) {
        if (launcher_button("TO GAME", 936.0f, 675.0f, 220.0f, 52.0f, true, true)) state.focus_game_requested = true;
    } else if (launcher_button("PLAY", 936.0f, 675.0f, 220.0f, 52.0f, true, has_image)) {
        state.play_requested = true;
    }
}
