// The text of settings.toml: conversion from and to Settings, without any file access.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/settings.hpp"

// Any bytes give a complete Settings: unusable or missing values keep their defaults.
Settings parse_settings(std::string_view text);

// The file that a save writes: `old_text` (the current file, possibly empty or broken)
// with every known key replaced, [keyboard] and [launcher] rebuilt whole, keys sorted,
// CR LF line ends and one final newline.
std::string print_settings(const Settings& settings, std::string_view old_text);

// frame_generation after comparing it with the driver's Smooth Motion state
// (-1 unknown or no driver, 0 off, 1 on).
int32_t reconcile_frame_generation(int32_t frame_generation, int driver_smooth_motion_state);
