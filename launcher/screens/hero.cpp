// The HOME page's hero: the recorded title screen when there is one and the player
// wants it, else a night fair drawn around a turning wheel. Everything depends only
// on the GUI clock, so the scene needs no state between frames.
#include <algorithm>
#include <cmath>
#include <utility>

#include "screens/pages.hpp"
#include "screens/widgets.hpp"
#include "shell/launcher_state.hpp"

namespace {

constexpr float hero_left = 236.0f, hero_top = 0.0f, hero_width = 944.0f, hero_height = 662.0f;
constexpr double two_pi = 6.283185307179586;

ImU32 with_alpha(uint32_t rgb, int alpha) {
    return IM_COL32((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF, std::clamp(alpha, 0, 255));
}

ImVec2 on_circle(ImVec2 c, float radius, double angle) {
    return ImVec2(c.x + radius * static_cast<float>(std::cos(angle)), c.y + radius * static_cast<float>(std::sin(angle)));
}

void draw_recorded_frame(const LauncherState& state, ImDrawList* draw) {
    // The frame covers the hero with its shape kept; a broken ratio falls back to 16:9
    // rather than dividing by zero.
    const float aspect = state.background_aspect > 0.01f && std::isfinite(state.background_aspect)
                             ? state.background_aspect : 16.0f / 9.0f;
    const float image_height = std::max(hero_height, hero_width / aspect);
    const float image_width = hero_height >= hero_width / aspect ? image_height * aspect : hero_width;
    const float left = hero_left + (hero_width - image_width) * 0.5f;
    const float top = hero_top + (hero_height - image_height) * 0.35f;
    draw->AddImage(state.background_frame, to_screen(left, top), to_screen(left + image_width, top + image_height));
}

void draw_stars(ImDrawList* draw, double t) {
    // Star positions step in whole pixels of the hero, not layout units, so they
    // spread the same way over the hero at any scale.
    const ImVec2 origin = to_screen(hero_left, hero_top);
    const double w_px = scaled(hero_width), h_px = scaled(hero_height);
    for (int i = 0; i < 70; ++i) {
        const ImVec2 centre(origin.x + static_cast<float>(std::fmod(157.31 * i, w_px)),
                            origin.y + static_cast<float>(std::fmod(91.7 * i, 0.55 * h_px)));
        const int alpha = static_cast<int>(std::floor((std::fabs(std::sin(i + 0.7 * t)) * 0.6 + 0.4) * 70.0));
        draw->AddCircleFilled(centre, scaled(1.1f), with_alpha(0xffffff, alpha));
    }
}

void draw_ring(ImDrawList* draw, ImVec2 c, float radius, int dashes, double rotation, long long phase) {
    for (int i = 0; i < dashes; ++i) {
        const double a0 = two_pi * i / dashes + rotation;
        const double a1 = two_pi * (i + 0.55) / dashes + rotation;
        const ImU32 colour = (phase + i) % 3 == 0 ? rgba(0xd654e64c) : rgba(0xd654e6ff);
        draw->AddLine(to_screen(on_circle(c, radius, a0)), to_screen(on_circle(c, radius, a1)), colour, scaled(3.0f));
    }
}

void draw_wheel(LauncherState& state, ImDrawList* draw, double t) {
    const ImVec2 c(hero_left + 0.68f * hero_width, hero_top + 0.42f * hero_height);
    const float r = 0.33f * hero_height;
    const double rotation = 0.08 * t;

    draw->AddLine(to_screen(c), to_screen(c.x - 0.55f * r, c.y + 1.35f * r), rgba(0x3c343cff), scaled(4.0f));
    draw->AddLine(to_screen(c), to_screen(c.x + 0.55f * r, c.y + 1.35f * r), rgba(0x3c343cff), scaled(4.0f));

    constexpr float glow_radii[] = {1.54f, 1.45f, 1.36f, 1.27f, 1.18f, 1.09f};
    constexpr int glow_alpha[] = {0x1b, 0x16, 0x12, 0x0d, 0x09, 0x04};
    for (int g = 0; g < 6; ++g)
        draw->AddCircleFilled(to_screen(c), scaled(glow_radii[g] * r), with_alpha(0xd654e6, glow_alpha[g]), 96);

    for (int j = 0; j < 16; ++j) {
        const double a = two_pi * j / 16 + rotation;
        const ImVec2 e = on_circle(c, r, a);
        draw->AddLine(to_screen(c), to_screen(e), rgba(0x463c50c8), scaled(2.2f));
        for (int k = 1; k <= 6; ++k) {
            const ImVec2 lamp(c.x + (e.x - c.x) * k / 6.0f, c.y + (e.y - c.y) * k / 6.0f);
            const bool dark = static_cast<long long>(std::floor(6.0 * t + k + j)) % 4 == 0;
            draw->AddCircleFilled(to_screen(lamp), scaled(2.0f), dark ? rgba(0xd654e63f) : rgba(0xd654e6f2));
        }
        ImVec2 q = on_circle(c, 1.02f * r, a);
        q.y += 9.0f;
        const ImVec2 cabin_min = to_screen(q.x - 7.0f, q.y - 5.0f), cabin_max = to_screen(q.x + 7.0f, q.y + 7.0f);
        draw->AddRectFilled(cabin_min, cabin_max, rgba(0x28222cff), scaled(2.0f));
        draw->AddRect(cabin_min, cabin_max, rgba(0xffc478b2), scaled(2.0f), 0, scaled(1.0f));
    }

    const long long phase = static_cast<long long>(std::floor(4.0 * t));
    draw_ring(draw, c, r, 48, rotation, phase);
    draw_ring(draw, c, 0.62f * r, 32, rotation, phase);

    const ImVec2 sign_min = to_screen(c.x - 30.0f, c.y - 16.0f), sign_max = to_screen(c.x + 30.0f, c.y + 16.0f);
    draw->AddRectFilled(sign_min, sign_max, rgba(0x3c1450ff), scaled(4.0f));
    draw->AddRect(sign_min, sign_max, rgba(0xd654e6ff), scaled(4.0f), 0, scaled(1.5f));
    for (const auto& [word, top] : {std::pair{"ZEDUZI", c.y - 13.0f}, std::pair{"VOVOR", c.y}}) {
        const float w = text_width(state.heading_font, 11.0f, word);
        draw_text(state.heading_font, 11.0f, ImVec2(c.x - w * 0.5f, top), rgba(0xffe6ffff), word);
    }
}

}  // namespace

void draw_hero(LauncherState& state, double t) {
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const ImVec2 min = to_screen(hero_left, hero_top);
    const ImVec2 max = to_screen(hero_left + hero_width, hero_top + hero_height);
    draw->PushClipRect(min, max, true);
    draw->AddRectFilled(min, max, rgba(0x060508ff));

    if (state.background_frame && state.settings.animated_background) {
        draw_recorded_frame(state, draw);
        draw->PopClipRect();
        return;
    }

    draw->AddRectFilledMultiColor(min, max, rgba(0x0a0816ff), rgba(0x0a0816ff), rgba(0x040406ff), rgba(0x040406ff));
    draw_stars(draw, t);
    draw_wheel(state, draw, t);

    const float logo_y = hero_top + 0.2f * hero_height;
    game_logo(ImVec2(hero_left + 70.0f, logo_y), 92.0f);
    const double pulse = std::clamp(0.55 + 0.45 * std::sin(3.0 * t), 0.0, 1.0);
    spaced_text(state.heading_font, 15.0f, ImVec2(hero_left + 120.0f, logo_y + 150.0f),
                with_alpha(0xc42024, static_cast<int>(255.0 * pulse)), 2.0f, "PRESS PLAY");
    draw->PopClipRect();
}
