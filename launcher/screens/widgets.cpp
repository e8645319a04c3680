#include "screens/widgets.hpp"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "shell/launcher_state.hpp"

namespace {

// The controls read these instead of taking the record and the scale in every call:
// the screen sets both once at the start of each frame.
LauncherState* current_state = nullptr;
float current_scale = 1.0f;

// Byte length of the UTF-8 sequence that starts at p, never past end. A stray
// continuation or invalid lead byte counts as one byte so that drawing always advances.
int utf8_length(const char* p, const char* end) {
    const auto lead = static_cast<unsigned char>(*p);
    int n = 1;
    if (lead >= 0xF0 && lead < 0xF8) n = 4;
    else if (lead >= 0xE0) n = lead < 0xF0 ? 3 : 1;
    else if (lead >= 0xC0) n = 2;
    return static_cast<int>(std::min<std::ptrdiff_t>(n, end - p));
}

float glyph_width_px(ImFont* font, float size_px, const char* begin, const char* end) {
    return font->CalcTextSizeA(size_px, FLT_MAX, 0.0f, begin, end).x;
}

}  // namespace

void set_widget_context(LauncherState& state, float ui_scale) {
    current_state = &state;
    current_scale = ui_scale > 0.0f && std::isfinite(ui_scale) ? ui_scale : 1.0f;
}

LauncherState& widget_state() {
    IM_ASSERT(current_state && "set_widget_context() must run before the controls");
    return *current_state;
}

float widget_scale() { return current_scale; }

float scaled(float units) { return units * current_scale; }

ImVec2 to_screen(ImVec2 units) {
    const ImVec2 origin = ImGui::GetWindowPos();
    return ImVec2(origin.x + units.x * current_scale, origin.y + units.y * current_scale);
}

ImVec2 to_screen(float x, float y) { return to_screen(ImVec2(x, y)); }

ImFont* font_or_default(ImFont* font) { return font ? font : ImGui::GetFont(); }

float text_width(ImFont* font, float size, const char* text) {
    font = font_or_default(font);
    return glyph_width_px(font, scaled(size), text, text + std::strlen(text)) / current_scale;
}

float spaced_text_width(ImFont* font, float size, float gap, const char* text) {
    font = font_or_default(font);
    const float size_px = scaled(size);
    const char* end = text + std::strlen(text);
    float width_px = 0.0f;
    int letters = 0;
    for (const char* p = text; p < end;) {
        const int n = utf8_length(p, end);
        width_px += glyph_width_px(font, size_px, p, p + n);
        ++letters;
        p += n;
    }
    if (letters > 1) width_px += scaled(gap) * static_cast<float>(letters - 1);
    return width_px / current_scale;
}

float spaced_text(ImFont* font, float size, ImVec2 point, ImU32 colour, float gap, const char* text) {
    font = font_or_default(font);
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const float size_px = scaled(size);
    const float gap_px = scaled(gap);
    const ImVec2 start = to_screen(point);
    float x = start.x;
    const char* end = text + std::strlen(text);
    for (const char* p = text; p < end;) {
        const int n = utf8_length(p, end);
        draw->AddText(font, size_px, ImVec2(x, start.y), colour, p, p + n);
        x += glyph_width_px(font, size_px, p, p + n) + gap_px;
        p += n;
    }
    // The last letter's gap is not part of the text.
    if (end > text) x -= gap_px;
    return point.x + (x - start.x) / current_scale;
}

void draw_text(ImFont* font, float size, ImVec2 point, ImU32 colour, const char* text) {
    ImGui::GetWindowDrawList()->AddText(font_or_default(font), scaled(size), to_screen(point), colour, text);
}

bool option_list(const char* id, int32_t& value, const char* const* labels, int count, float x, float y, float width) {
    if (count <= 0) return false;
    LauncherState& state = widget_state();
    ImGui::SetCursorPos(ImVec2(scaled(x), scaled(y)));
    ImGui::SetNextItemWidth(scaled(width));
    ImGui::PushFont(font_or_default(state.body_font));
    bool picked = false;
    const int shown = std::clamp<int32_t>(value, 0, count - 1);
    if (ImGui::BeginCombo(id, labels[shown], ImGuiComboFlags_HeightLarge)) {
        for (int i = 0; i < count; ++i) {
            ImGui::PushID(i);
            if (ImGui::Selectable(labels[i], i == value)) {
                value = i;
                picked = true;
            }
            if (i == value) ImGui::SetItemDefaultFocus();
            ImGui::PopID();
        }
        ImGui::EndCombo();
    }
    ImGui::PopFont();
    if (picked) state.settings_dirty = true;
    return picked;
}

bool size_list(const char* id, float x, float y, float width) {
    struct WindowSize { int32_t width, height; const char* label; };
    static constexpr WindowSize sizes[] = {
        {0, 0, "Monitor resolution"}, {1280, 720, "1280 x 720"},   {1600, 900, "1600 x 900"},
        {1920, 1080, "1920 x 1080"},  {2560, 1440, "2560 x 1440"}, {3840, 2160, "3840 x 2160"},
    };
    constexpr int count = static_cast<int>(std::size(sizes));
    static const char* const labels[count] = {sizes[0].label, sizes[1].label, sizes[2].label,
                                              sizes[3].label, sizes[4].label, sizes[5].label};
    Settings& settings = widget_state().settings;
    int32_t index = 0;
    for (int i = 1; i < count; ++i)
        if (settings.width == sizes[i].width && settings.height == sizes[i].height) index = i;
    if (!option_list(id, index, labels, count, x, y, width)) return false;
    settings.width = sizes[index].width;
    settings.height = sizes[index].height;
    return true;
}

bool toggle_switch(const char* id, bool& value, float x, float y) {
    ImGui::SetCursorPos(ImVec2(scaled(x), scaled(y)));
    const bool clicked = ImGui::InvisibleButton(id, ImVec2(scaled(44.0f), scaled(24.0f)));
    if (clicked) {
        value = !value;
        widget_state().settings_dirty = true;
    }
    const ImVec2 min = ImGui::GetItemRectMin();
    const ImVec2 max = ImGui::GetItemRectMax();
    const float half = (max.y - min.y) * 0.5f;
    ImDrawList* draw = ImGui::GetWindowDrawList();
    draw->AddRectFilled(min, max, value ? rgba(0xc42024ff) : rgba(0x3a3230ff), half);
    if (ImGui::IsItemHovered()) draw->AddRect(min, max, rgba(0xffffff28), half, 0, scaled(1.0f));
    const float knob_x = value ? max.x - half : min.x + half;
    draw->AddCircleFilled(ImVec2(knob_x, min.y + half), half - scaled(3.0f), rgba(0xf0e8deff));
    return clicked;
}

bool launcher_button(const char* label, float x, float y, float width, float height, bool primary, bool enabled) {
    LauncherState& state = widget_state();
    ImGui::SetCursorPos(ImVec2(scaled(x), scaled(y)));
    ImGui::PushID(label);
    const bool clicked = ImGui::InvisibleButton("b", ImVec2(scaled(width), scaled(height)));
    const bool hovered = enabled && ImGui::IsItemHovered();
    const bool held = enabled && ImGui::IsItemActive();
    ImGui::PopID();

    const ImVec2 min = to_screen(x, y);
    const ImVec2 max = to_screen(x + width, y + height);
    ImDrawList* draw = ImGui::GetWindowDrawList();
    if (!primary) {
        const ImU32 fill = held ? rgba(0x1b1716ff) : hovered ? rgba(0x26201eff) : rgba(0x181413ff);
        draw->AddRectFilled(min, max, fill);
        draw->AddRect(min, max, hovered ? rgba(0x6e5c56ff) : rgba(0x342a28ff), 0.0f, 0, scaled(1.0f));
        ImFont* font = state.body_font;
        const float w = text_width(font, 15.0f, label);
        draw_text(font, 15.0f, ImVec2(x + (width - w) * 0.5f, y + (height - 15.0f) * 0.5f),
                  enabled ? rgba(0xe8e0d4ff) : rgba(0x605650ff), label);
    } else {
        ImU32 top = rgba(0x463c3aff), bottom = rgba(0x322c2aff);
        if (enabled) {
            top = held ? rgba(0x780e12ff) : hovered ? rgba(0xe23032ff) : rgba(0xc42024ff);
            bottom = held ? rgba(0x780e12ff) : rgba(0x801014ff);
        }
        draw->AddRectFilledMultiColor(min, max, top, top, bottom, bottom);
        draw->AddRect(min, max, enabled ? rgba(0xf0786e78) : rgba(0x342a28ff), 0.0f, 0, scaled(1.0f));
        ImFont* font = state.button_font;
        const float w = spaced_text_width(font, 30.0f, 3.0f, label);
        const ImVec2 at(x + (width - w) * 0.5f, y + height * 0.5f - 30.0f * 0.62f);
        spaced_text(font, 30.0f, ImVec2(at.x + 1.0f, at.y + 2.0f), rgba(0x280000a0), 3.0f, label);
        spaced_text(font, 30.0f, at, enabled ? rgba(0xfff4e8ff) : rgba(0x968a80ff), 3.0f, label);
    }
    return clicked && enabled;
}

void page_header(const char* title, const char* subtitle, float& y) {
    LauncherState& state = widget_state();
    spaced_text(state.title_font, 40.0f, ImVec2(278.0f, y), rgba(0xe8e0d4ff), 1.0f, title);
    y += 52.0f;
    draw_text(state.body_font, 15.0f, ImVec2(278.0f, y), rgba(0x968a80ff), subtitle);
    y += 26.0f;
    ImGui::GetWindowDrawList()->AddRectFilled(to_screen(278.0f, y), to_screen(332.0f, y + 2.0f), rgba(0xc42024ff));
    y += 30.0f;
}

void section_header(const char* title, float& y) {
    LauncherState& state = widget_state();
    const float end_x = spaced_text(state.heading_font, 19.0f, ImVec2(278.0f, y), rgba(0xecc478ff), 1.2f, title);
    y += 30.0f;
    ImDrawList* draw = ImGui::GetWindowDrawList();
    draw->AddLine(to_screen(278.0f, y), to_screen(1140.0f, y), rgba(0x342a28ff), scaled(1.0f));
    draw->AddLine(to_screen(278.0f, y), to_screen(end_x + 14.0f, y), rgba(0xc42024ff), scaled(2.0f));
    y += 18.0f;
}

void game_logo(ImVec2 p, float size) {
    LauncherState& state = widget_state();
    ImDrawList* draw = ImGui::GetWindowDrawList();
    if (state.logo_image) {
        // A broken ratio must not turn the logo into an endless or negative strip.
        const float aspect = state.logo_aspect > 0.01f && std::isfinite(state.logo_aspect) ? state.logo_aspect : 1.6f;
        const float w = 3.5f * size;
        draw->AddImage(state.logo_image, to_screen(p), to_screen(p.x + w, p.y + w / aspect));
        return;
    }
    ImFont* font = state.logo_font;
    draw_text(font, 0.42f * size, ImVec2(p.x + 1.55f * size, p.y - 0.1f * size), rgba(0xc42024ff), "THE");
    const float name_y = p.y + 0.18f * size;
    for (int i = 0; i < 2; ++i)
        draw_text(font, size, ImVec2(p.x + 2.0f, name_y + 3.0f), rgba(0x000000c8), "Vandrels");
    draw_text(font, size, ImVec2(p.x, name_y), rgba(0xcc1e22ff), "Vandrels");
}
