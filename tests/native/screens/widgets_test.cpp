// The launcher's controls on their own, in a plain full-window test window.
#include <gtest/gtest.h>

#include <string>

#include "gui_harness.hpp"
#include "imgui_internal.h"
#include "screens/widgets.hpp"

namespace {

constexpr const char* three_labels[] = {"First", "Second", "Third"};

// Text that ImGui's own widgets rendered during body (the combo's preview and items).
std::string rendered_text(GuiHarness& gui, const std::function<void()>& body) {
    std::string text;
    gui.frame([&] {
        ImGui::LogToBuffer();
        body();
        ImGuiContext& g = *ImGui::GetCurrentContext();
        text = g.LogBuffer.c_str();
        g.LogBuffer.clear();
        ImGui::LogFinish();
    });
    return text;
}

// Centre of item i of the open combo popup, in layout units. The popup finds its
// place in the frame after it opened, so one more frame runs first.
ImVec2 combo_item_centre(GuiHarness& gui, int i, const std::function<void()>& body) {
    gui.frame(body);
    ImGuiWindow* popup = ImGui::FindWindowByName("##Combo_00");
    EXPECT_NE(popup, nullptr) << "the list is not open";
    if (!popup) return ImVec2(-100, -100);
    const float line = ImGui::GetFontSize(), step = line + ImGui::GetStyle().ItemSpacing.y;
    const ImVec2 start = popup->DC.CursorStartPos;
    return ImVec2((popup->Pos.x + popup->Size.x * 0.5f) / gui.scale, (start.y + step * i + line * 0.5f) / gui.scale);
}

struct ListProbe {
    int32_t value;
    bool picked = false;
};

TEST(OptionList, PreviewClampsWithoutTouchingTheValue) {
    GuiHarness gui;
    struct Case { int32_t value; const char* preview; };
    for (const Case c : {Case{7, "Third"}, Case{-2, "First"}, Case{1, "Second"}, Case{2, "Third"}}) {
        int32_t value = c.value;
        const std::string text = rendered_text(gui, [&] { option_list("##list", value, three_labels, 3, 483, 200, 260); });
        EXPECT_NE(text.find(c.preview), std::string::npos) << "value " << c.value << " rendered '" << text << "'";
        EXPECT_EQ(value, c.value);
        EXPECT_FALSE(gui.state.settings_dirty);
    }
}

class OpenList : public ::testing::Test {
protected:
    void open(int32_t start) {
        probe.value = start;
        gui.click(483 + 130, 200 + 15, body);
    }
    void pick(int item) {
        const ImVec2 at = combo_item_centre(gui, item, body);
        gui.click(at.x, at.y, body);
    }
    GuiHarness gui;
    ListProbe probe{0};
    std::function<void()> body = [this] {
        if (option_list("##list", probe.value, three_labels, 3, 483, 200, 260)) probe.picked = true;
    };
};

TEST_F(OpenList, PickingAnItemWritesItsIndexAndMarksTheSettingsChanged) {
    open(0);
    pick(2);
    EXPECT_TRUE(probe.picked);
    EXPECT_EQ(probe.value, 2);
    EXPECT_TRUE(gui.state.settings_dirty);
}

TEST_F(OpenList, PickingTheCurrentItemStillCounts) {
    open(1);
    pick(1);
    EXPECT_TRUE(probe.picked);
    EXPECT_EQ(probe.value, 1);
    EXPECT_TRUE(gui.state.settings_dirty);
}

TEST_F(OpenList, OutOfRangeValueMarksNoItemSelectedUntilAPick) {
    open(7);
    ImGuiWindow* popup = ImGui::FindWindowByName("##Combo_00");
    ASSERT_NE(popup, nullptr);
    int selected_fill = 0;
    for (const ImDrawVert& v : popup->DrawList->VtxBuffer)
        if (v.col == rgba(0x781418ff)) ++selected_fill;
    EXPECT_EQ(selected_fill, 0);
    EXPECT_EQ(probe.value, 7);

    pick(0);
    EXPECT_EQ(probe.value, 0);
    EXPECT_TRUE(probe.picked);
}

TEST(SizeList, ShowsListedSizesAndWritesThePairTogether) {
    GuiHarness gui;
    struct Case { int32_t w, h; const char* preview; };
    const Case cases[] = {{1920, 1080, "1920 x 1080"}, {3840, 2160, "3840 x 2160"}, {0, 0, "Monitor resolution"},
                          {1920, 1200, "Monitor resolution"}, {1280, 1080, "Monitor resolution"}};
    for (const Case& c : cases) {
        gui.state.settings.width = c.w;
        gui.state.settings.height = c.h;
        const std::string text = rendered_text(gui, [] { size_list("##size", 483, 200, 260); });
        EXPECT_NE(text.find(c.preview), std::string::npos) << c.w << "x" << c.h << " rendered '" << text << "'";
        EXPECT_EQ(gui.state.settings.width, c.w) << "showing must not change the stored size";
    }

    gui.state.settings.width = 1000;
    gui.state.settings.height = 700;
    const auto body = [] { size_list("##size", 483, 200, 260); };
    gui.click(483 + 130, 215, body);
    const ImVec2 at = combo_item_centre(gui, 4, body);
    gui.click(at.x, at.y, body);
    EXPECT_EQ(gui.state.settings.width, 2560);
    EXPECT_EQ(gui.state.settings.height, 1440);
    EXPECT_TRUE(gui.state.settings_dirty);

    const ImVec2 again = (gui.click(483 + 130, 215, body), combo_item_centre(gui, 0, body));
    gui.click(again.x, again.y, body);
    EXPECT_EQ(gui.state.settings.width, 0);
    EXPECT_EQ(gui.state.settings.height, 0);
}

TEST(ToggleSwitch, KnobAndTrackFollowTheBoolWhateverSetIt) {
    GuiHarness gui;
    bool on = true;  // as if read from the file
    bool clicked = false;
    const auto body = [&] { clicked |= toggle_switch("##t", on, 483, 204); };
    gui.hover_nothing(body);
    EXPECT_GT(gui.vertices_in(rgba(0xc42024ff), ImVec2(483, 204), ImVec2(527, 228)), 0) << "red track";
    EXPECT_GT(gui.vertices_in(rgba(0xf0e8deff), ImVec2(505, 204), ImVec2(527, 228)), 0) << "knob on the right";
    EXPECT_EQ(gui.vertices_in(rgba(0xf0e8deff), ImVec2(483, 204), ImVec2(504, 228)), 0);
    EXPECT_FALSE(gui.state.settings_dirty);

    gui.click(505, 216, body);
    EXPECT_TRUE(clicked);
    EXPECT_FALSE(on);
    EXPECT_TRUE(gui.state.settings_dirty);
    gui.hover_nothing(body);
    EXPECT_GT(gui.vertices_in(rgba(0x3a3230ff), ImVec2(483, 204), ImVec2(527, 228)), 0) << "grey track";
    EXPECT_GT(gui.vertices_in(rgba(0xf0e8deff), ImVec2(483, 204), ImVec2(505, 228)), 0) << "knob on the left";
    EXPECT_EQ(gui.vertices_in(rgba(0xf0e8deff), ImVec2(506, 204), ImVec2(527, 228)), 0);

    gui.hover(505, 216, body);
    EXPECT_GT(gui.vertices_in(rgba(0xffffff28), ImVec2(483, 204), ImVec2(527, 228)), 0) << "hover outline";
}

TEST(LauncherButton, ColoursFollowHoverHoldAndEnabled) {
    struct Case {
        bool primary, enabled;
        ImU32 idle, hovered, held;
    };
    const Case cases[] = {
        {true, true, rgba(0xc42024ff), rgba(0xe23032ff), rgba(0x780e12ff)},
        {true, false, rgba(0x463c3aff), rgba(0x463c3aff), rgba(0x463c3aff)},
        {false, true, rgba(0x181413ff), rgba(0x26201eff), rgba(0x1b1716ff)},
        {false, false, rgba(0x181413ff), rgba(0x181413ff), rgba(0x181413ff)},
    };
    for (const Case& c : cases) {
        GuiHarness gui;
        int clicks = 0;
        const auto body = [&] { clicks += launcher_button("GO", 400, 300, 200, 50, c.primary, c.enabled); };
        const ImVec2 min(400, 300), max(600, 350);
        const auto shows = [&](ImU32 colour) { return gui.vertices_in(colour, min, max) > 0; };
        const std::string what = std::string(c.primary ? "primary" : "secondary") + (c.enabled ? "" : " disabled");

        gui.hover_nothing(body);
        EXPECT_TRUE(shows(c.idle)) << what;
        gui.hover(500, 325, body);
        EXPECT_TRUE(shows(c.hovered)) << what << " hovered";
        ImGui::GetIO().AddMouseButtonEvent(ImGuiMouseButton_Left, true);
        gui.frame(body);
        EXPECT_TRUE(shows(c.held)) << what << " held";
        ImGui::GetIO().AddMouseButtonEvent(ImGuiMouseButton_Left, false);
        gui.frame(body);
        EXPECT_EQ(clicks, c.enabled ? 1 : 0) << what;
    }
}

TEST(LauncherButton, ReleaseOutsideIsNoClick) {
    GuiHarness gui;
    int clicks = 0;
    const auto body = [&] { clicks += launcher_button("Save", 808, 681, 115, 40, false, true); };
    gui.hover(860, 700, body);
    ImGui::GetIO().AddMouseButtonEvent(ImGuiMouseButton_Left, true);
    gui.frame(body);
    gui.hover(300, 300, body);
    ImGui::GetIO().AddMouseButtonEvent(ImGuiMouseButton_Left, false);
    gui.frame(body);
    EXPECT_EQ(clicks, 0);
}

TEST(SpacedText, WidthGrowsWithTheGapNotOnlyWithTheGlyphs) {
    for (float scale : {1.0f, 1.5f}) {
        GuiHarness gui(scale);
        gui.frame([&] {
            ImFont* font = gui.state.title_font;
            const float plain = text_width(font, 40, "ADVANCED");
            EXPECT_NEAR(spaced_text_width(font, 40, 0, "ADVANCED"), plain, 0.01f);
            EXPECT_NEAR(spaced_text_width(font, 40, 1, "ADVANCED"), plain + 7, 0.01f) << "8 letters, 7 gaps";
            EXPECT_NEAR(spaced_text_width(font, 40, 1, "A"), text_width(font, 40, "A"), 0.01f) << "no gap after the last";
            EXPECT_EQ(spaced_text_width(font, 40, 3, ""), 0.0f);
            const float end = spaced_text(font, 40, ImVec2(278, 34), rgba(0xe8e0d4ff), 1, "ADVANCED");
            EXPECT_NEAR(end, 278 + plain + 7, 0.01f);
            // A multi-byte letter counts once.
            EXPECT_NEAR(spaced_text_width(font, 19, 2, "\xC3\x89T\xC3\x89"), text_width(font, 19, "\xC3\x89T\xC3\x89") + 4,
                        0.01f);
        });
    }
}

TEST(SectionHeader, RedUnderlineFollowsTheSpacedTitle) {
    GuiHarness gui;
    float y = 142, end = 0;
    gui.frame([&] {
        section_header("DISPLAY", y);
        end = 278 + spaced_text_width(gui.state.heading_font, 19, 1.2f, "DISPLAY") + 14;
    });
    EXPECT_EQ(y, 142 + 48);
    EXPECT_GT(gui.vertices_in(rgba(0xc42024ff), ImVec2(end - 1, 171), ImVec2(end + 1, 173)), 0);
    EXPECT_EQ(gui.vertices_in(rgba(0xc42024ff), ImVec2(end + 3, 160), ImVec2(1140, 180)), 0);
}

TEST(PageHeader, ContentStartsBelowTheRule) {
    GuiHarness gui;
    float y = 34;
    gui.frame([&] { page_header("VIDEO", "How the game is shown.", y); });
    EXPECT_EQ(y, 142);
    EXPECT_EQ(gui.vertices_in(rgba(0xc42024ff), ImVec2(278, 112), ImVec2(332, 114)), 4);
}

TEST(GameLogo, ImageKeepsTheLogoRatio) {
    GuiHarness gui;
    const auto texture = reinterpret_cast<ImTextureID>(static_cast<intptr_t>(0x77));
    for (float aspect : {1.6f, 4.0f, 0.0f, -1.0f}) {
        gui.state.logo_image = texture;
        gui.state.logo_aspect = aspect;
        gui.frame([] { game_logo(ImVec2(100, 100), 92); });
        const float expected_h = 3.5f * 92 / (aspect > 0 ? aspect : 1.6f);
        EXPECT_TRUE(gui.uses_texture(texture));
        EXPECT_EQ(gui.vertices_in(IM_COL32_WHITE, ImVec2(100, 100), ImVec2(100 + 322, 100 + expected_h)), 4)
            << "aspect " << aspect;
    }
}

}  // namespace
