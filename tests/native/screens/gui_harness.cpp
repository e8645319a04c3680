#include "gui_harness.hpp"

#include <cfloat>

#include "imgui_internal.h"
#include "screens/launcher_screen.hpp"
#include "screens/widgets.hpp"
#include "shell/fonts_style.hpp"

GuiHarness::GuiHarness(float ui_scale) : scale(ui_scale), context(ImGui::CreateContext()) {
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;
    io.DisplaySize = ImVec2(layout_width * ui_scale, layout_height * ui_scale);
    io.DeltaTime = 1.0f / 60.0f;
    build_fonts(state, ui_scale, FontSources{});  // no sources: every role is the built-in font
    unsigned char* pixels = nullptr;
    int width = 0, height = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    apply_style(ui_scale);
}

GuiHarness::~GuiHarness() { ImGui::DestroyContext(context); }

void GuiHarness::frame() {
    ImGui::SetCurrentContext(context);
    window_name = "##launcher";
    ImGui::NewFrame();
    draw_launcher_screen(state, scale);
    ImGui::Render();
}

void GuiHarness::frame(const std::function<void()>& body) {
    if (!body) return frame();
    ImGui::SetCurrentContext(context);
    window_name = "##widgets";
    ImGui::NewFrame();
    set_widget_context(state, scale);
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
    ImGui::Begin(window_name, nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                     ImGuiWindowFlags_NoBringToFrontOnFocus);
    body();
    ImGui::End();
    ImGui::Render();
}

void GuiHarness::hover(float x, float y, const std::function<void()>& body) {
    ImGui::SetCurrentContext(context);
    ImGui::GetIO().AddMousePosEvent(x * scale, y * scale);
    // Two frames: a window or popup that appeared in the last frame only takes the
    // pointer from the frame after.
    frame(body);
    frame(body);
}

void GuiHarness::click(float x, float y, const std::function<void()>& body) {
    hover(x, y, body);
    ImGui::GetIO().AddMouseButtonEvent(ImGuiMouseButton_Left, true);
    frame(body);
    ImGui::GetIO().AddMouseButtonEvent(ImGuiMouseButton_Left, false);
    frame(body);
}

void GuiHarness::hover_nothing(const std::function<void()>& body) {
    ImGui::SetCurrentContext(context);
    ImGui::GetIO().AddMousePosEvent(-FLT_MAX, -FLT_MAX);
    frame(body);
}

const ImDrawList* GuiHarness::window_draw_list() const {
    ImGui::SetCurrentContext(context);
    ImGuiWindow* window = ImGui::FindWindowByName(window_name);
    return window ? window->DrawList : nullptr;
}

int GuiHarness::vertices_in(ImU32 colour, ImVec2 min_units, ImVec2 max_units) const {
    const ImDrawList* list = window_draw_list();
    if (!list) return 0;
    constexpr float tolerance = 1.0f;
    const ImVec2 min(min_units.x * scale - tolerance, min_units.y * scale - tolerance);
    const ImVec2 max(max_units.x * scale + tolerance, max_units.y * scale + tolerance);
    int count = 0;
    for (const ImDrawVert& v : list->VtxBuffer)
        if (v.col == colour && v.pos.x >= min.x && v.pos.x <= max.x && v.pos.y >= min.y && v.pos.y <= max.y) ++count;
    return count;
}

bool GuiHarness::uses_texture(ImTextureID texture) const {
    const ImDrawList* list = window_draw_list();
    if (!list) return false;
    for (const ImDrawCmd& cmd : list->CmdBuffer)
        if (cmd.TextureId == texture && cmd.ElemCount > 0) return true;
    return false;
}

void GuiHarness::clear_requests() {
    state.play_requested = state.save_requested = state.choose_image_requested = false;
    state.record_title_requested = state.remove_background_requested = state.open_logs_requested = false;
    state.add_vulkan_layer_requested = state.open_game_folder_requested = state.focus_game_requested = false;
}
