// The launcher's folder layout. Every call recomputes its answer from the file system.
#pragma once

#include <filesystem>
#include <string>

// --- Windows only -------------------------------------------------------------------------

// Folder of the running executable, never cut at 260 characters. A folder too deep for the
// classic path limit comes back in the extended-length form so files under it still open.
std::filesystem::path launcher_dir();
std::filesystem::path settings_path();  // launcher_dir\settings.toml
std::filesystem::path assets_dir();     // nearest "assets" folder at or above launcher_dir
std::filesystem::path vkd3d_dir();      // launcher_dir\launcher\vkd3d
std::filesystem::path title_dir();      // launcher_dir\launcher\title
std::filesystem::path logs_dir();       // launcher_dir\logs
std::filesystem::path find_disc_image();  // disc image in assets_dir(), or empty

std::string to_utf8(const std::wstring& text);

// Creates logs_dir() with missing parents (failure ignored) and returns it.
std::filesystem::path ensure_logs_dir();
// "Open the logs folder" / "Open the game folder": shows the folder in the shell; silent on failure.
void open_logs_folder();
void open_game_folder();

// --- Portable (also built and tested natively) --------------------------------------------

// The file name's extension, from its last dot, is ".iso" in any letter case.
bool has_iso_extension(const std::filesystem::path& path);

// The asset-folder search from `start`: the first of start\assets and up to five folders
// above that is a folder (links followed); start\assets when none is.
std::filesystem::path find_assets_dir(const std::filesystem::path& start);

// First entry of `folder`, in listing order, with an .iso extension and larger than 1 MiB.
std::filesystem::path find_disc_image_in(const std::filesystem::path& folder);
