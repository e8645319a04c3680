// Font roles and style: pure ImGui, so both are checked headless on any machine.
#include "shell/fonts_style.hpp"

#include <cstring>

#include "imgui.h"
#include "shell/launcher_state.hpp"

namespace {

// Latin-1, the dashes/quotes/bullet/ellipsis block, the arrows and the music notes.
// The atlas keeps a pointer to this list, so it must outlive every build.
constexpr ImWchar glyph_ranges[] = {
    0x0020, 0x00FF, 0x2010, 0x2027, 0x2190, 0x2193, 0x266A, 0x266B, 0,
};

uint32_t read_be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

// The font rasteriser trusts the table directory it is given and would read past a
// truncated or foreign buffer; a file from the Windows folder can be anything.
bool plausible_truetype(const std::vector<uint8_t>& data) {
    if (data.size() < 12) return false;
    const uint32_t tag = read_be32(data.data());
    if (tag != 0x00010000 && tag != 0x74727565 /* true */ && tag != 0x4F54544F /* OTTO */) return false;
    const size_t tables = size_t(data[4]) << 8 | data[5];
    if (tables == 0 || 12 + tables * 16 > data.size()) return false;
    for (size_t i = 0; i < tables; ++i) {
        const uint8_t* record = data.data() + 12 + i * 16;
        const uint64_t offset = read_be32(record + 8), length = read_be32(record + 12);
        if (offset + length > data.size()) return false;
    }
    return true;
}

struct Role {
    ImFont* LauncherState::*field;
    float size;
};

constexpr Role roles[] = {
    {&LauncherState::body_font, body_font_size},       {&LauncherState::help_font, help_font_size},
    {&LauncherState::heading_font, heading_font_size}, {&LauncherState::title_font, title_font_size},
    {&LauncherState::button_font, button_font_size},   {&LauncherState::logo_font, logo_font_size},
};

ImFont* add_role(ImFontAtlas& atlas, const std::vector<uint8_t>* source, float size_px) {
    if (!source || source->empty()) return atlas.AddFontDefault();
    ImFontConfig config;
    config.OversampleH = 2;
    config.OversampleV = 2;
    config.FontDataOwnedByAtlas = true;  // the atlas frees its copy with IM_FREE
    void* copy = IM_ALLOC(source->size());
    std::memcpy(copy, source->data(), source->size());
    return atlas.AddFontFromMemoryTTF(copy, static_cast<int>(source->size()), size_px, &config, glyph_ranges);
}

}  // namespace

void build_fonts(LauncherState& state, float ui_scale, const FontSources& sources) {
    const auto usable = [](const std::vector<uint8_t>& data) { return plausible_truetype(data) ? &data : nullptr; };
    const std::vector<uint8_t>* anton = usable(sources.anton);
    const std::vector<uint8_t>* oswald = usable(sources.oswald);
    const std::vector<uint8_t>* marker = usable(sources.permanent_marker);
    const std::vector<uint8_t>* system = usable(sources.system_font);
    const std::vector<uint8_t>* body = system ? system : oswald;
    const std::vector<uint8_t>* source_of_role[] = {body, body, oswald, anton, anton, marker};

    ImFontAtlas& atlas = *ImGui::GetIO().Fonts;
    atlas.Clear();
    for (size_t i = 0; i < std::size(roles); ++i)
        state.*roles[i].field = add_role(atlas, source_of_role[i], roles[i].size * ui_scale);

    if (!atlas.Build()) {
        // A file that passed the header check but still does not rasterise: the
        // launcher must start all the same, in the built-in font.
        atlas.Clear();
        for (const Role& role : roles) state.*role.field = atlas.AddFontDefault();
        atlas.Build();
    }
    ImGui::GetIO().FontDefault = state.body_font;
}

void apply_style(float ui_scale) {
    ImGuiStyle& style = ImGui::GetStyle();
    style = ImGuiStyle();
    ImGui::StyleColorsDark(&style);

    style.WindowPadding = ImVec2(0, 0);
    style.WindowBorderSize = 0;
    style.ChildBorderSize = 0;
    style.PopupRounding = 0;
    style.PopupBorderSize = 1;
    style.FramePadding = ImVec2(12, 8);
    style.FrameRounding = 0;
    style.FrameBorderSize = 1;
    style.ItemSpacing = ImVec2(8, 6);
    style.ScrollbarSize = 10;
    style.ScrollbarRounding = 0;
    style.GrabMinSize = 12;
    style.GrabRounding = 0;

    struct Slot { ImGuiCol slot; uint32_t rrggbbaa; };
    constexpr Slot colours[] = {
        {ImGuiCol_Text, 0xe8e0d4ff},           {ImGuiCol_TextDisabled, 0x605650ff},
        {ImGuiCol_WindowBg, 0x100d0dff},       {ImGuiCol_ChildBg, 0x00000000},
        {ImGuiCol_PopupBg, 0x181413fc},        {ImGuiCol_Border, 0x342a28ff},
        {ImGuiCol_FrameBg, 0x1b1716ff},        {ImGuiCol_FrameBgHovered, 0x26201eff},
        {ImGuiCol_FrameBgActive, 0x26201eff},  {ImGuiCol_ScrollbarBg, 0x00000000},
        {ImGuiCol_ScrollbarGrab, 0x3c3230ff},  {ImGuiCol_ScrollbarGrabHovered, 0x5a4a46ff},
        {ImGuiCol_ScrollbarGrabActive, 0xc42024ff}, {ImGuiCol_SliderGrab, 0xc42024ff},
        {ImGuiCol_SliderGrabActive, 0xe23032ff},    {ImGuiCol_Button, 0x1b1716ff},
        {ImGuiCol_ButtonHovered, 0x26201eff},  {ImGuiCol_ButtonActive, 0x26201eff},
        {ImGuiCol_Header, 0x781418ff},         {ImGuiCol_HeaderHovered, 0x461e1eff},
        {ImGuiCol_HeaderActive, 0xc42024ff},   {ImGuiCol_NavHighlight, 0xc42024ff},
    };
    for (const Slot& c : colours) {
        style.Colors[c.slot] = ImVec4(float((c.rrggbbaa >> 24) & 0xFF) / 255.0f, float((c.rrggbbaa >> 16) & 0xFF) / 255.0f,
                                      float((c.rrggbbaa >> 8) & 0xFF) / 255.0f, float(c.rrggbbaa & 0xFF) / 255.0f);
    }
    style.ScaleAllSizes(ui_scale);
}
