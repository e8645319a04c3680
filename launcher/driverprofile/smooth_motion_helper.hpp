// The window-less mode in which an elevated copy of the launcher writes the driver's
// Smooth Motion setting for the game.
#pragma once

// Outcome of a driver-profile change; also the helper process's exit code.
enum ProfileResult : int {
    profile_done = 0,
    profile_no_driver = 1,      // no NVIDIA driver answered
    profile_no_permission = 2,  // the driver refused for lack of rights
    profile_refused = 3,        // any other refusal
};

// Sets Smooth Motion on or off in the game's driver profile and returns the result.
int run_smooth_motion_helper(bool on);
