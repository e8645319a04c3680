// The pieces the launcher screen is built from, one file each. They all draw into
// the current "##launcher" window with the widget context set for the frame.
#pragma once

#include <string>

struct LauncherState;

// Page numbers held in LauncherState::current_page.
enum Page : int { page_home = 0, page_video, page_controls, page_game, page_advanced, page_about, page_count };

void draw_sidebar(LauncherState& state);
void draw_footer(LauncherState& state);

// The footer's status line. Drops a stale "Settings saved." once a change follows it.
std::string footer_status_text(LauncherState& state);

// HOME: the hero art (t is the GUI clock in seconds), its headings and the quick settings.
void draw_home_page(LauncherState& state, double t);
void draw_hero(LauncherState& state, double t);
void draw_quick_settings(LauncherState& state);

void draw_video_page(LauncherState& state);
void draw_controls_page(LauncherState& state);
void draw_game_page(LauncherState& state);
void draw_advanced_page(LauncherState& state);
void draw_about_page(LauncherState& state);
