#include "gamefiles/vulkan_layer.hpp"

namespace fs = std::filesystem;

bool vkd3d_files_present(const fs::path& folder)
{
    for (const fs::path& name : vkd3d_files) {
        std::error_code error;
        if (!fs::is_regular_file(folder / name, error) || error) return false;
    }
    return true;
}

bool copy_vkd3d_files(const fs::path& from, const fs::path& to)
{
    for (const fs::path& name : vkd3d_files) {
        std::error_code error;
        if (!fs::copy_file(from / name, to / name, fs::copy_options::overwrite_existing, error) || error) return false;
    }
    return true;
}

void remove_vkd3d_copies(const fs::path& vkd3d_folder, const fs::path& game_folder)
{
    for (const fs::path& name : vkd3d_files) {
        std::error_code error;
        const fs::path beside_game = game_folder / name;
        const fs::path installed = vkd3d_folder / name;
        if (!fs::is_regular_file(beside_game, error) || !fs::is_regular_file(installed, error)) continue;
        const auto game_size = fs::file_size(beside_game, error);
        if (error) continue;
        const auto installed_size = fs::file_size(installed, error);
        if (error || game_size != installed_size) continue;
        fs::remove(beside_game, error);
    }
}
