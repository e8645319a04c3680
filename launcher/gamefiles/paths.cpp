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

fs::path pick_disc_image(const std::vector<FolderEntry>& entries)
{
    constexpr std::uintmax_t one_mib = 1024 * 1024;
    for (const FolderEntry& entry : entries) {
        // A folder can carry any name but is never an image.
        if (entry.is_folder || !has_iso_extension(entry.path)) continue;
        // A size that cannot be read (a file held by another program) does not disqualify it.
        if (!entry.size_known || entry.size > one_mib) return entry.path;
    }
    return {};
}

fs::path find_disc_image_in(const fs::path& folder)
{
    std::vector<FolderEntry> entries;
    std::error_code error;
    fs::directory_iterator entry(folder, error);
    if (error) return {};
    for (; entry != fs::directory_iterator(); entry.increment(error)) {
        if (error) return {};
        FolderEntry& listed = entries.emplace_back();
        listed.path = entry->path();
        std::error_code kind_error, size_error;
        listed.is_folder = entry->is_directory(kind_error);
        listed.size = listed.is_folder ? 0 : entry->file_size(size_error);
        listed.size_known = !size_error;
    }
    return pick_disc_image(entries);
}

std::wstring extended_length_form(const std::wstring& folder)
{
    // The longest name the layout hangs below the launcher folder is
    // "\launcher\title\frames\00000.jpg"; this leaves room for a few more digits.
    constexpr size_t deepest_layout_name = 40;
    constexpr size_t classic_limit = 260;
    if (folder.size() + deepest_layout_name < classic_limit || folder.rfind(L"\\\\?\\", 0) == 0) return folder;
    if (folder.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + folder.substr(2);
    return L"\\\\?\\" + folder;
}
