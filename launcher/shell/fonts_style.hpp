// The launcher's six font roles and its GUI style, both fixed once at start-up
// at the window's scale.
#pragma once

#include <cstdint>
#include <vector>

struct LauncherState;
struct ImFont;

// Sizes in layout units at scale 1; each role is rasterised at size × ui_scale.
constexpr float body_font_size = 15.0f;
constexpr float help_font_size = 13.5f;
constexpr float heading_font_size = 19.0f;
constexpr float title_font_size = 40.0f;
constexpr float button_font_size = 30.0f;
constexpr float logo_font_size = 92.0f;

// TrueType files the roles are built from; an empty buffer means "not available".
struct FontSources {
    std::vector<uint8_t> anton;            // resource 301
    std::vector<uint8_t> oswald;           // resource 302
    std::vector<uint8_t> permanent_marker; // resource 303
    std::vector<uint8_t> system_font;      // segoeui.ttf from the Windows folder
};

// Clears the current GUI context's font atlas, adds the six roles in state order
// (body, help, heading, title, button, logo), makes body the default font and
// builds the atlas. A role whose source is empty gets the built-in font instead.
void build_fonts(LauncherState& state, float ui_scale, const FontSources& sources);

// Windows side: reads resources 301-303 and segoeui.ttf, then build_fonts.
void load_fonts(LauncherState& state, float ui_scale);

// Resets the current GUI context's style to the dark default, applies the
// launcher's values and colours and scales the sizes by ui_scale.
void apply_style(float ui_scale);
