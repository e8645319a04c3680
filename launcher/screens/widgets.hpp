// The launcher's own controls. Every position and size is in layout units of the
// 1180 × 740 window and is multiplied by the scale the screen stored for the frame;
// colours are 0xRRGGBBAA.
#pragma once

#include <cstdint>

#include "imgui.h"

struct LauncherState;

// Layout size of the launcher window's client area.
constexpr float layout_width = 1180.0f;
constexpr float layout_height = 740.0f;

// Remembers the record and the scale for the controls of this frame. The screen
// calls it first thing every frame; tests call it before using a control alone.
void set_widget_context(LauncherState& state, float ui_scale);
LauncherState& widget_state();
float widget_scale();

// 0xRRGGBBAA as written in the launcher's colour tables, turned into ImGui's packing.
constexpr ImU32 rgba(uint32_t rrggbbaa) {
    return IM_COL32((rrggbbaa >> 24) & 0xFF, (rrggbbaa >> 16) & 0xFF, (rrggbbaa >> 8) & 0xFF, rrggbbaa & 0xFF);
}

// Layout units to screen pixels (the launcher window sits at the display's origin,
// but the current window's position is honoured all the same).
ImVec2 to_screen(ImVec2 units);
ImVec2 to_screen(float x, float y);
float scaled(float units);

// A role that was never built (tests, a failed start) falls back to the GUI's font.
ImFont* font_or_default(ImFont* font);

// Width in units of text drawn by spaced_text.
float spaced_text_width(ImFont* font, float size, float gap, const char* text);
// Width in units of ordinary text.
float text_width(ImFont* font, float size, const char* text);

// Draws text one letter at a time, each advanced by its own width plus gap.
// Returns the x (units) after the last letter.
float spaced_text(ImFont* font, float size, ImVec2 point, ImU32 colour, float gap, const char* text);
// Plain text through the window's draw list.
void draw_text(ImFont* font, float size, ImVec2 point, ImU32 colour, const char* text);

// A combo box over an index. The preview clamps an out-of-range value without
// changing it; a pick (also of the current item) sets settings_dirty and returns true.
bool option_list(const char* id, int32_t& value, const char* const* labels, int count, float x, float y, float width);
// The window-size list over settings.width and settings.height.
bool size_list(const char* id, float x, float y, float width);
// A 44 × 24 switch; a click flips the bool, sets settings_dirty and returns true.
bool toggle_switch(const char* id, bool& value, float x, float y);
// Primary (red, big letter-spaced label) or secondary (dark) button. A disabled
// button shows no hover or held colours and its clicks are ignored.
bool launcher_button(const char* label, float x, float y, float width, float height, bool primary, bool enabled);
// Page title, subtitle and red rule from (278, y); advances y to the content's top.
void page_header(const char* title, const char* subtitle, float& y);
// Section title with its underline from (278, y); advances y to the first row.
void section_header(const char* title, float& y);
// The game's name: the logo cut from the recording when there is one, else text.
void game_logo(ImVec2 p, float size);
