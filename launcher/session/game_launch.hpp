// Starting the game beside the launcher and following it until it ends.
#pragma once

struct LauncherState;

enum class GameLaunchMode { normal, title_recording };

// Prepares the Vulkan layer files, starts Vandrels.exe from the launcher's folder and
// starts the watcher; false (after telling the player why) when the game did not start.
bool launch_game(LauncherState& state, GameLaunchMode mode);

// PLAY, after the settings were saved: launch, then close the launcher or stay open
// minimised while the game runs.
void play_game(LauncherState& state);

// The title-screen recording: saves, stops background and music, starts the game in
// recording mode and steps aside.
void record_title(LauncherState& state);

// TO GAME: the game's visible, owner-less top-level window comes to the front.
void bring_game_forward(LauncherState& state);
