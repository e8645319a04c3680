#include <windows.h>

#include <algorithm>

#include "gamefiles/paths.hpp"
#include "settings/file_replace.hpp"
#include "settings/settings_file.hpp"
#include "settings/settings_text.hpp"
#include "shell/launcher_state.hpp"

namespace fs = std::filesystem;

namespace {

// Far beyond any real settings file; a larger one is not ours and is not read into memory.
constexpr LONGLONG largest_settings_file = 16 * 1024 * 1024;

bool write_whole(const fs::path& path, std::string_view bytes)
{
    // Readers may hold the file (the running game); they keep reading while it is rewritten.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = SetEndOfFile(file) != FALSE;
    size_t written = 0;
    while (ok && written < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - written, 1 << 20));
        DWORD done = 0;
        ok = WriteFile(file, bytes.data() + written, chunk, &done, nullptr) && done == chunk;
        written += done;
    }
    ok = ok && FlushFileBuffers(file);
    CloseHandle(file);
    return ok;
}

bool replace(const fs::path& from, const fs::path& to)
{
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void remove(const fs::path& path) { DeleteFileW(path.c_str()); }

constexpr FileReplaceOps win32_file_ops = {write_whole, replace, remove};

}  // namespace

std::string read_settings_text(const fs::path& path)
{
    // Full sharing: the launcher's replace must never fail because the game is reading.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= largest_settings_file) {
        text.resize(static_cast<size_t>(size.QuadPart));
        DWORD done = 0;
        if (!ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &done, nullptr)) done = 0;
        text.resize(done);
    }
    CloseHandle(file);
    return text;
}

Settings read_settings(const fs::path& path) { return parse_settings(read_settings_text(path)); }

void load_settings(LauncherState& state)
{
    state.settings = read_settings(settings_path());

    // Unknown until the driver profile can be queried; an unknown state leaves the file's choice.
    const int driver_state = -1;
    state.smooth_motion_state = driver_state;
    state.settings.frame_generation = reconcile_frame_generation(state.settings.frame_generation, driver_state);
    state.driver_smooth_motion_on = driver_state == 1;
    state.applied_frame_generation = state.settings.frame_generation;
}

void save_settings_file(const Settings& settings, const fs::path& path)
{
    write_file_replacing(path, print_settings(settings, read_settings_text(path)), win32_file_ops);
}

void save_settings(const Settings& settings) { save_settings_file(settings, settings_path()); }
