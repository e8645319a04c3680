// The player's copy of vkd3d-proton: kept in the launcher's vkd3d folder and placed
// beside the game only for a start with Vulkan.
#pragma once

#include <array>
#include <filesystem>

struct LauncherState;

// The layer's two files, in the order they are copied.
inline const std::array<std::filesystem::path, 2> vkd3d_files = {L"d3d12.dll", L"d3d12core.dll"};

// --- Portable (also built and tested natively) --------------------------------------------

// Both layer files exist in `folder`; any error while checking counts as absent.
bool vkd3d_files_present(const std::filesystem::path& folder);

// Copies one file over another of the same name. std::filesystem's own replacing copy is
// not usable here: on Windows it can take two different files for one and refuse.
bool copy_file_replacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Copies both layer files from `from` to `to`, replacing files of the same name.
// False as soon as one copy fails.
bool copy_vkd3d_files(const std::filesystem::path& from, const std::filesystem::path& to);

// Removes the layer files beside the game that are copies of the installed ones (same
// size); a file of another size is the player's own and stays. Errors are ignored.
void remove_vkd3d_copies(const std::filesystem::path& vkd3d_folder, const std::filesystem::path& game_folder);

// --- Windows only -------------------------------------------------------------------------

// vkd3d_files_present(vkd3d_dir())
bool vkd3d_installed();

// "Add vkd3d-proton..." / "Replace vkd3d-proton...": the file dialog, the check for
// d3d12core.dll beside the chosen file, the copies into vkd3d_dir() and the ready text.
void install_vkd3d(LauncherState& state);
