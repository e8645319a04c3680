#include "gamefiles/paths.hpp"

#include <cwctype>
#include <system_error>

namespace fs = std::filesystem;

bool has_iso_extension(const fs::path& path)
{
    const auto name = path.filename().native();
    const auto dot = name.rfind('.');
    if (dot == decltype(name)::npos || name.size() - dot != 4) return false;
    const wchar_t expected[] = L".iso";
    for (size_t i = 0; i < 4; ++i) {
        const auto unit = static_cast<std::make_unsigned_t<fs::path::value_type>>(name[dot + i]);
        if (std::towlower(static_cast<wint_t>(unit)) != static_cast<wint_t>(expected[i])) return false;
    }
    return true;
}

fs::path find_assets_dir(const fs::path& start)
{
    fs::path candidate = start;
    for (int level = 0; level < 6; ++level) {
        // Any failure to look (missing share, bad name, no access) just means no folder here.
        std::error_code error;
        fs::path assets = candidate / "assets";
        if (fs::is_directory(assets, error)) return assets;
        fs::path parent = candidate.parent_path();
        if (parent.empty() || parent == candidate) break;
        candidate = std::move(parent);
    }
    return start / "assets";
}

fs::path find_disc_image_in(const fs::path& folder)
{
    constexpr std::uintmax_t one_mib = 1024 * 1024;
    std::error_code error;
    fs::directory_iterator entry(folder, error);
    if (error) return {};
    for (; entry != fs::directory_iterator(); entry.increment(error)) {
        if (error) return {};
        if (!has_iso_extension(entry->path())) continue;
        // A folder can carry any name but is never an image.
        std::error_code kind_error;
        if (entry->is_directory(kind_error)) continue;
        // A size that cannot be read (a file held by another program) does not disqualify it.
        std::error_code size_error;
        const std::uintmax_t size = entry->file_size(size_error);
        if (size_error || size > one_mib) return entry->path();
    }
    return {};
}
