// The launcher screen driven headless: navigation, the footer's buttons and status
// line, the sidebar's music toggle, the hero and the end-of-frame key capture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <string>

#include "gui_harness.hpp"
#include "screens/pages.hpp"
#include "screens/widgets.hpp"

namespace {

constexpr ImVec2 play_centre(936.0f + 110.0f, 675.0f + 26.0f);
constexpr ImVec2 save_centre(808.0f + 57.5f, 681.0f + 20.0f);
constexpr ImVec2 music_centre(22.0f + 75.0f, 624.0f + 11.0f);

ImVec2 nav_centre(int page) { return ImVec2(118.0f, 128.0f + 46.0f * page + 23.0f); }

ImTextureID fake_texture(int n) { return reinterpret_cast<ImTextureID>(static_cast<intptr_t>(0x1000 + n)); }

class ScreenTest : public ::testing::TestWithParam<float> {
protected:
    ScreenTest() : gui(GetParam()) {}
    void click(ImVec2 at) { gui.click(at.x, at.y); }
    GuiHarness gui;
};

INSTANTIATE_TEST_SUITE_P(Scales, ScreenTest, ::testing::Values(1.0f, 1.5f),
                         [](const auto& info) { return info.param == 1.0f ? "scale_1" : "scale_1_5"; });

TEST_P(ScreenTest, EachNavigationEntrySelectsItsPageAndCarriesTheAccentBar) {
    for (int page : {3, 1, 5, 2, 4, 0}) {
        click(nav_centre(page));
        EXPECT_EQ(gui.state.current_page, page);
        gui.hover_nothing();
        const float top = 128.0f + 46.0f * page;
        EXPECT_GT(gui.vertices_in(rgba(0xc42024ff), ImVec2(0, top), ImVec2(4, top + 46)), 0) << "page " << page;
        for (int other = 0; other < page_count; ++other) {
            if (other == page) continue;
            const float other_top = 128.0f + 46.0f * other;
            EXPECT_EQ(gui.vertices_in(rgba(0xc42024ff), ImVec2(0, other_top + 2), ImVec2(4, other_top + 44)), 0)
                << "accent bar on " << other << " while " << page << " is current";
        }
    }
    EXPECT_FALSE(gui.state.settings_dirty) << "changing the page is no change of the settings";
}

TEST_P(ScreenTest, PlayWithoutDiscImageIsGreyedAndRaisesNothing) {
    gui.state.disc_image_path.clear();
    gui.hover(play_centre.x, play_centre.y);
    const ImVec2 min(936, 675), max(1156, 727);
    EXPECT_EQ(gui.vertices_in(rgba(0xe23032ff), min, max), 0) << "a disabled button shows no hover colour";
    EXPECT_GT(gui.vertices_in(rgba(0x463c3aff), min, max), 0) << "grey gradient";
    click(play_centre);
    EXPECT_FALSE(gui.state.play_requested);
    EXPECT_FALSE(gui.state.focus_game_requested);
    EXPECT_FALSE(gui.state.save_requested);
}

TEST_P(ScreenTest, PlayWithDiscImageRaisesPlayOnce) {
    gui.state.disc_image_path = "The Vandrels (USA).iso";
    gui.hover(play_centre.x, play_centre.y);
    EXPECT_GT(gui.vertices_in(rgba(0xe23032ff), ImVec2(936, 675), ImVec2(1156, 727)), 0) << "hover colour";
    gui.state.play_requested = false;
    click(play_centre);
    EXPECT_TRUE(gui.state.play_requested);
    gui.clear_requests();
    gui.frame();
    gui.frame();
    EXPECT_FALSE(gui.state.play_requested) << "one click is one request";
}

TEST_P(ScreenTest, SaveRaisesSaveWithOrWithoutImage) {
    for (const char* image : {"", "game.iso"}) {
        gui.clear_requests();
        gui.state.disc_image_path = image;
        click(save_centre);
        EXPECT_TRUE(gui.state.save_requested) << "image '" << image << "'";
        EXPECT_FALSE(gui.state.play_requested);
    }
}

TEST_P(ScreenTest, WhileTheGameRunsTheButtonIsToGame) {
    gui.state.game_running = true;
    gui.state.disc_image_path = "game.iso";
    click(play_centre);
    EXPECT_TRUE(gui.state.focus_game_requested);
    EXPECT_FALSE(gui.state.play_requested);

    // Even without an image (it was removed while the game runs) the player can go back to it.
    gui.clear_requests();
    gui.state.disc_image_path.clear();
    click(play_centre);
    EXPECT_TRUE(gui.state.focus_game_requested);
}

TEST_P(ScreenTest, MusicToggleFlipsMusicAndMarksTheSettingsChanged) {
    ASSERT_TRUE(gui.state.settings.music);
    click(music_centre);
    EXPECT_FALSE(gui.state.settings.music);
    EXPECT_TRUE(gui.state.settings_dirty);
    click(music_centre);
    EXPECT_TRUE(gui.state.settings.music);
}

TEST_P(ScreenTest, SettingsSavedGivesWayToTheNextChange) {
    gui.state.disc_image_path = "game.iso";
    gui.state.status_text = "Settings saved.";
    gui.frame();
    EXPECT_EQ(gui.state.status_text, "Settings saved.") << "nothing changed yet";
    click(music_centre);
    EXPECT_TRUE(gui.state.status_text.empty());
    EXPECT_EQ(footer_status_text(gui.state), "Ready to play. Changes are saved when you press Play.");
}

TEST_P(ScreenTest, StatusDotIsGreenOnlyWithAnImage) {
    gui.frame();
    EXPECT_GT(gui.vertices_in(rgba(0xe23032ff), ImVec2(263, 696), ImVec2(273, 706)), 0);
    gui.state.disc_image_path = "game.iso";
    gui.frame();
    EXPECT_GT(gui.vertices_in(rgba(0x78c860ff), ImVec2(263, 696), ImVec2(273, 706)), 0);
    EXPECT_EQ(gui.vertices_in(rgba(0xe23032ff), ImVec2(263, 696), ImVec2(273, 706)), 0);
}

TEST_P(ScreenTest, SidebarAndFooterAreFilledWhereTheyBelong) {
    gui.frame();
    EXPECT_EQ(gui.vertices_in(rgba(0x0b0909ff), ImVec2(0, 0), ImVec2(236, 740)), 4);
    EXPECT_GE(gui.vertices_in(rgba(0x0d0b0bff), ImVec2(236, 662), ImVec2(1180, 740)), 4);
}

TEST_P(ScreenTest, LongStatusTextWrapsBeforeTheSaveButton) {
    gui.state.status_text =
        "NVIDIA's driver refused Smooth Motion: the profile store answered with an error that is rather long "
        "(logs\\nvidia_profile.log).";
    gui.hover_nothing();
    const ImU32 text = rgba(0xe8e0d4ff);
    EXPECT_GT(gui.vertices_in(text, ImVec2(284, 662), ImVec2(800, 740)), 0);
    EXPECT_EQ(gui.vertices_in(text, ImVec2(800, 662), ImVec2(807, 740)), 0) << "text runs under the Save button";
    EXPECT_EQ(gui.vertices_in(text, ImVec2(284, 735), ImVec2(800, 740)), 0) << "text runs off the window";
}

TEST(StatusText, FirstRuleThatAppliesWins) {
    struct Case {
        const char* status;
        bool running, image, dirty;
        const char* expected;
    };
    const Case cases[] = {
        {"", true, true, true, "The game is running: changes here apply to it right away."},
        {"", true, false, false, "The game is running: changes here apply to it right away."},
        {"", false, false, true, "Choose your game: Game > Choose the ISO."},
        {"", false, true, true, "Ready to play. Changes are saved when you press Play."},
        {"", false, true, false, "Ready to play."},
        {"Vulkan is ready: the game runs on it when you press Play.", true, false, true,
         "Vulkan is ready: the game runs on it when you press Play."},
        {"Settings saved.", false, true, false, "Settings saved."},
        {"Settings saved.", false, true, true, "Ready to play. Changes are saved when you press Play."},
        {"Settings saved.", true, true, true, "The game is running: changes here apply to it right away."},
        // Only the exact text is stale; a longer message that starts the same stays.
        {"Settings saved. Restart the game.", false, true, true, "Settings saved. Restart the game."},
    };
    for (const Case& c : cases) {
        LauncherState state;
        state.status_text = c.status;
        state.game_running = c.running;
        state.disc_image_path = c.image ? "game.iso" : "";
        state.settings_dirty = c.dirty;
        EXPECT_EQ(footer_status_text(state), c.expected) << "status '" << c.status << "' running " << c.running
                                                         << " image " << c.image << " dirty " << c.dirty;
    }
}

TEST_P(ScreenTest, KeyCaptureEndsOnTheCaughtKey) {
    struct Case {
        int slot, column;
        uint16_t key;
        bool stored;
    };
    const Case cases[] = {
        {3, 1, 0x41, true},   // A as the alternative of move_right
        {0, 0, 0xA5, true},   // right Alt as the primary of move_up
        {22, 0, 27, false},   // Esc cancels
        {24, 0, 0x41, false}, // no such action: the capture is dropped, nothing is written
        {5, 2, 0x41, false},  // no such column
    };
    for (const Case& c : cases) {
        gui.state.settings = Settings{};
        gui.state.settings_dirty = false;
        gui.state.capture_slot = c.slot;
        gui.state.capture_column = c.column;
        gui.state.captured_key = c.key;
        gui.frame();
        EXPECT_EQ(gui.state.capture_slot, -1) << "slot " << c.slot;
        EXPECT_EQ(gui.state.captured_key, 0);
        EXPECT_EQ(gui.state.settings_dirty, c.stored) << "slot " << c.slot;
        if (c.stored) EXPECT_EQ(gui.state.settings.key_bindings[c.slot][c.column], c.key);
        else EXPECT_EQ(gui.state.settings.key_bindings, default_key_bindings());
    }
}

TEST_P(ScreenTest, KeyCaptureWaitsWhileNoKeyWasCaught) {
    gui.state.capture_slot = 7;
    gui.state.capture_column = 0;
    gui.state.captured_key = 0;
    gui.frame();
    gui.frame();
    EXPECT_EQ(gui.state.capture_slot, 7);
    EXPECT_FALSE(gui.state.settings_dirty);
}

TEST_P(ScreenTest, HomeShowsTheRecordingOnlyWhenWantedAndPresent) {
    const ImU32 rim = rgba(0xd654e6ff);
    const ImVec2 hero_min(236, 0), hero_max(1180, 662);
    gui.frame();
    EXPECT_GT(gui.vertices_in(rim, hero_min, hero_max), 0) << "no recording: the wheel";

    gui.state.background_frame = fake_texture(1);
    gui.frame();
    EXPECT_TRUE(gui.uses_texture(fake_texture(1)));
    EXPECT_EQ(gui.vertices_in(rim, hero_min, hero_max), 0) << "recording: no wheel";
    EXPECT_EQ(gui.vertices_in(rgba(0xcc1e22ff), hero_min, hero_max), 0) << "recording: no text logo in the hero";

    gui.state.settings.animated_background = false;
    gui.frame();
    EXPECT_FALSE(gui.uses_texture(fake_texture(1)));
    EXPECT_GT(gui.vertices_in(rim, hero_min, hero_max), 0) << "background off: the wheel again";
}

TEST_P(ScreenTest, RecordedFrameCoversTheHeroKeepingItsShape) {
    struct Case {
        float aspect;
        ImVec2 min, max;  // expected image corners in layout units
    };
    const Case cases[] = {
        // Wider than the hero: full height, cropped left and right alike.
        {3.0f, {236.0f + (944.0f - 1986.0f) / 2, 0.0f}, {236.0f + (944.0f + 1986.0f) / 2, 662.0f}},
        // Narrower: full width, 35 % of the surplus cut at the top.
        {1.0f, {236.0f, (662.0f - 944.0f) * 0.35f}, {1180.0f, (662.0f - 944.0f) * 0.35f + 944.0f}},
        // A broken ratio is taken as 16:9 instead of dividing by zero.
        {0.0f, {236.0f + (944.0f - 662.0f * 16 / 9) / 2, 0.0f}, {236.0f + (944.0f + 662.0f * 16 / 9) / 2, 662.0f}},
    };
    gui.state.background_frame = fake_texture(2);
    for (const Case& c : cases) {
        gui.state.background_aspect = c.aspect;
        gui.frame();
        const ImDrawList* list = gui.window_draw_list();
        ImVec2 lo(FLT_MAX, FLT_MAX), hi(-FLT_MAX, -FLT_MAX);
        int image_vertices = 0;
        for (const ImDrawCmd& cmd : list->CmdBuffer) {
            if (cmd.TextureId != fake_texture(2)) continue;
            for (unsigned i = 0; i < cmd.ElemCount; ++i) {
                const ImDrawVert& v = list->VtxBuffer[list->IdxBuffer[cmd.IdxOffset + i] + cmd.VtxOffset];
                lo = ImVec2(std::min(lo.x, v.pos.x), std::min(lo.y, v.pos.y));
                hi = ImVec2(std::max(hi.x, v.pos.x), std::max(hi.y, v.pos.y));
                ++image_vertices;
            }
        }
        ASSERT_GT(image_vertices, 0) << "aspect " << c.aspect;
        const float s = gui.scale, tol = 1.5f * s;
        EXPECT_NEAR(lo.x, c.min.x * s, tol) << "aspect " << c.aspect;
        EXPECT_NEAR(lo.y, c.min.y * s, tol) << "aspect " << c.aspect;
        EXPECT_NEAR(hi.x, c.max.x * s, tol) << "aspect " << c.aspect;
        EXPECT_NEAR(hi.y, c.max.y * s, tol) << "aspect " << c.aspect;
    }
}

TEST_P(ScreenTest, LogoImageReplacesTheTextLogo) {
    gui.frame();
    EXPECT_GT(gui.vertices_in(rgba(0xcc1e22ff), ImVec2(0, 0), ImVec2(236, 128)), 0) << "text logo in the sidebar";
    gui.state.logo_image = fake_texture(3);
    gui.frame();
    EXPECT_TRUE(gui.uses_texture(fake_texture(3)));
    EXPECT_EQ(gui.vertices_in(rgba(0xcc1e22ff), ImVec2(0, 0), ImVec2(236, 128)), 0);
}

TEST_P(ScreenTest, EveryPageDrawsWithoutRaisingRequests) {
    for (int page = 0; page < page_count; ++page) {
        gui.state.current_page = page;
        gui.frame();
        if (page > 0) {
            EXPECT_GT(gui.vertices_in(rgba(0xc42024ff), ImVec2(278, 34 + 78), ImVec2(332, 34 + 80)), 0)
                << "red rule under the page header of page " << page;
        }
    }
    EXPECT_FALSE(gui.state.play_requested || gui.state.save_requested || gui.state.focus_game_requested ||
                 gui.state.choose_image_requested || gui.state.record_title_requested ||
                 gui.state.remove_background_requested || gui.state.open_logs_requested ||
                 gui.state.add_vulkan_layer_requested || gui.state.open_game_folder_requested);
}

}  // namespace
