#include "screens/launcher_screen.hpp"

#include "screens/pages.hpp"
#include "screens/widgets.hpp"
#include "shell/launcher_state.hpp"

namespace {

constexpr uint16_t vk_escape = 27;

// The window procedure only catches a key while a capture runs; the binding is
// written here, after the frame, so the list never sees a half-finished capture.
void finish_key_capture(LauncherState& state) {
    if (state.capture_slot < 0 || state.captured_key == 0) return;
    // A slot or column outside the table would write past the bindings: such a
    // capture is dropped like a cancelled one.
    const bool slot_valid = state.capture_slot < binding_action_count &&
                            (state.capture_column == 0 || state.capture_column == 1);
    if (state.captured_key != vk_escape && slot_valid) {
        state.settings.key_bindings[state.capture_slot][state.capture_column] = state.captured_key;
        state.settings_dirty = true;
    }
    state.capture_slot = -1;
    state.captured_key = 0;
}

void draw_page(LauncherState& state, double t) {
    switch (state.current_page) {
    case page_video: draw_video_page(state); break;
    case page_controls: draw_controls_page(state); break;
    case page_game: draw_game_page(state); break;
    case page_advanced: draw_advanced_page(state); break;
    case page_about: draw_about_page(state); break;
    default: draw_home_page(state, t); break;
    }
}

}  // namespace

void draw_launcher_screen(LauncherState& state, float ui_scale) {
    set_widget_context(state, ui_scale);
    const double t = ImGui::GetTime();

    const ImGuiViewport* viewport = ImGui::GetMainViewport();
    ImGui::SetNextWindowPos(viewport->Pos);
    ImGui::SetNextWindowSize(viewport->Size);
    constexpr ImGuiWindowFlags flags = ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize |
                                       ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoScrollbar |
                                       ImGuiWindowFlags_NoScrollWithMouse | ImGuiWindowFlags_NoCollapse |
                                       ImGuiWindowFlags_NoSavedSettings |
                                       ImGuiWindowFlags_NoBringToFrontOnFocus;
    ImGui::Begin("##launcher", nullptr, flags);
    draw_page(state, t);
    draw_sidebar(state);
    draw_footer(state);
    ImGui::End();

    finish_key_capture(state);
}
