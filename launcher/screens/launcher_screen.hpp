// The launcher's whole screen, rebuilt every frame from LauncherState between the
// GUI's new-frame and render calls. It never blocks and never touches files: its
// effects are the fields and request flags it sets in the state.
#pragma once

struct LauncherState;

void draw_launcher_screen(LauncherState& state, float ui_scale);
