// Runs the launcher's screen and controls headless: a GUI context with a built
// atlas and no window, frames driven by hand and the mouse fed through ImGui's IO.
#pragma once

#include <functional>

#include "imgui.h"
#include "shell/launcher_state.hpp"

struct GuiHarness {
    explicit GuiHarness(float ui_scale = 1.0f);
    ~GuiHarness();
    GuiHarness(const GuiHarness&) = delete;
    GuiHarness& operator=(const GuiHarness&) = delete;

    // One frame of the whole launcher screen.
    void frame();
    // One frame of a full-window test window with the widget context set, running body.
    void frame(const std::function<void()>& body);

    // Pointer at a point in layout units (scaled like the screen does).
    void hover(float x, float y, const std::function<void()>& body = {});
    // Hover, press and release over the point, each in its own frame (the GUI spreads
    // a press and release that arrive in one frame over several anyway).
    void click(float x, float y, const std::function<void()>& body = {});
    // Moves the pointer far away from every control.
    void hover_nothing(const std::function<void()>& body = {});

    // Draw list of the launcher window (or of the test window) from the last frame.
    const ImDrawList* window_draw_list() const;
    // Vertices of the last frame's window draw list in the colour, inside the area
    // given in layout units (edges included, with a small tolerance).
    int vertices_in(ImU32 colour, ImVec2 min_units, ImVec2 max_units) const;
    // Whether any draw command of the window uses the texture.
    bool uses_texture(ImTextureID texture) const;

    // Flags raised by the screen; the main loop would clear them after each frame.
    void clear_requests();

    LauncherState state;
    float scale;
    ImGuiContext* context;
    const char* window_name = "##launcher";
};
