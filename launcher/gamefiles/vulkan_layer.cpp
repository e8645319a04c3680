#include "gamefiles/vulkan_layer.hpp"

#include <fstream>
#include <vector>

namespace fs = std::filesystem;

bool vkd3d_files_present(const fs::path& folder)
{
    for (const fs::path& name : vkd3d_files) {
        std::error_code error;
        if (!fs::is_regular_file(folder / name, error) || error) return false;
    }
    return true;
}

bool copy_file_replacing(const fs::path& from, const fs::path& to)
{
    std::ifstream in(from, std::ios::binary);
    if (!in) return false;
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    std::vector<char> buffer(1 << 16);
    while (in) {
        in.read(buffer.data(), std::streamsize(buffer.size()));
        out.write(buffer.data(), in.gcount());
    }
    return !in.bad() && bool(out.flush());
}

bool copy_vkd3d_files(const fs::path& from, const fs::path& to)
{
    for (const fs::path& name : vkd3d_files)
        if (!copy_file_replacing(from / name, to / name)) return false;
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
