// Reading and writing settings.toml beside the launcher (Windows only).
#pragma once

#include <filesystem>
#include <string>

#include "settings/settings.hpp"

struct LauncherState;

// Fills state.settings from settings_path() (a missing or broken file leaves the defaults)
// and then brings frame_generation in line with the driver's Smooth Motion state.
void load_settings(LauncherState& state);

// Writes settings_path() from `settings`, keeping unknown top-level keys of the old file.
// The old file is replaced in one step, so readers see either the old or the new file.
// Failures are silent.
void save_settings(const Settings& settings);

// save_settings for a file at `path`.
void save_settings_file(const Settings& settings, const std::filesystem::path& path);

// The whole file as bytes, opened by its wide path with full sharing so a reader never
// blocks the launcher's replace; empty when the file is missing or unreadable.
std::string read_settings_text(const std::filesystem::path& path);

// read_settings_text + parse_settings: what the launcher and the stand-in game both use.
Settings read_settings(const std::filesystem::path& path);
