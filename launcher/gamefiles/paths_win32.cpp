#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "gamefiles/paths.hpp"

namespace fs = std::filesystem;

namespace {

// The longest name the layout hangs below the launcher folder
// ("\launcher\title\frames\00000.jpg"), plus room for a few more digits.
constexpr size_t deepest_layout_name = 40;

// Paths this long only open in the extended-length form, which skips the system's
// 260-character limit.
std::wstring extended_length(const std::wstring& path)
{
    if (path.size() + deepest_layout_name < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0) return path;
    if (path.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

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
            return fs::path(extended_length(exe.parent_path().native()));
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
fs::path find_disc_image() { return find_disc_image_in(assets_dir()); }

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
