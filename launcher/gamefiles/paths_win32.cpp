#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "gamefiles/paths.hpp"

namespace fs = std::filesystem;

namespace {

void shell_open(const fs::path& folder)
{
    ShellExecuteW(nullptr, L"open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

fs::path launcher_dir()
{
    // The module path can exceed MAX_PATH; grow the buffer until the call no longer cuts it.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            const fs::path exe(std::wstring(buffer.data(), length));
            return fs::path(extended_length_form(exe.parent_path().native()));
        }
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

fs::path settings_path() { return launcher_dir() / L"settings.toml"; }
fs::path assets_dir() { return find_assets_dir(launcher_dir()); }
fs::path vkd3d_dir() { return launcher_dir() / L"launcher" / L"vkd3d"; }
fs::path title_dir() { return launcher_dir() / L"launcher" / L"title"; }
fs::path logs_dir() { return launcher_dir() / L"logs"; }
fs::path find_disc_image() { return pick_disc_image(list_folder(assets_dir())); }

std::vector<FolderEntry> list_folder(const fs::path& folder)
{
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileExW((folder / L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        FolderEntry& entry = entries.emplace_back();
        entry.path = folder / name;
        entry.is_folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.size = (std::uintmax_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
        entry.size_known = true;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            // The listing gives a link's own size; the image is what it points to.
            entry.size_known = false;
            HANDLE target = CreateFileW(entry.path.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
            LARGE_INTEGER size;
            if (target != INVALID_HANDLE_VALUE) {
                if (GetFileSizeEx(target, &size)) {
                    entry.size = static_cast<std::uintmax_t>(size.QuadPart);
                    entry.size_known = true;
                }
                CloseHandle(target);
            }
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

std::string to_utf8(const std::wstring& text)
{
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

fs::path ensure_logs_dir()
{
    fs::path logs = logs_dir();
    std::error_code ignored;
    fs::create_directories(logs, ignored);
    return logs;
}

void open_logs_folder() { shell_open(ensure_logs_dir()); }
void open_game_folder() { shell_open(launcher_dir()); }
