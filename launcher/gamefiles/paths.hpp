// The launcher's folder layout. Every call recomputes its answer from the file system.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

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

// One entry of a folder listing.
struct FolderEntry {
    std::filesystem::path path;
    bool is_folder = false;
    bool size_known = false;  // false when the size could not be read
    std::uintmax_t size = 0;
};

// The entries of `folder` in the order the file system gives them; empty when it cannot be
// listed. Unlike std::filesystem here, it also lists folders beyond the classic path limit.
std::vector<FolderEntry> list_folder(const std::filesystem::path& folder);

// --- Portable (also built and tested natively) --------------------------------------------

// The file name's extension, from its last dot, is ".iso" in any letter case.
bool has_iso_extension(const std::filesystem::path& path);

// The asset-folder search from `start`: the first of start\assets and up to five folders
// above that is a folder (links followed); start\assets when none is.
std::filesystem::path find_assets_dir(const std::filesystem::path& start);

// `folder` as it must be given to the file functions: unchanged while it and the layout below
// it fit the classic 260-character limit, else in the extended-length form ("\\?\C:\..." or
// "\\?\UNC\server\share\...").
std::wstring extended_length_form(const std::wstring& folder);

// The first entry with an .iso extension and larger than 1 MiB (an unreadable size counts
// as larger); empty when none is.
std::filesystem::path pick_disc_image(const std::vector<FolderEntry>& entries);

// pick_disc_image over a std::filesystem listing of `folder`.
std::filesystem::path find_disc_image_in(const std::filesystem::path& folder);
