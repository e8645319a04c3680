// Where the launcher's fonts come from on Windows: three typefaces embedded as
// resources and Segoe UI from the system's font folder.
#include <windows.h>

#include <string>

#include "shell/fonts_style.hpp"

namespace {

constexpr int anton_resource = 301;
constexpr int oswald_resource = 302;
constexpr int permanent_marker_resource = 303;

std::vector<uint8_t> load_resource_font(int id) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_RCDATA);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(nullptr, found);
    const DWORD size = SizeofResource(nullptr, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return {};
    const auto* begin = static_cast<const uint8_t*>(bytes);
    return std::vector<uint8_t>(begin, begin + size);
}

std::vector<uint8_t> load_system_font() {
    wchar_t windows_dir[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows_dir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    const std::wstring path = std::wstring(windows_dir, length) + L"\\Fonts\\segoeui.ttf";

    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::vector<uint8_t> data;
    LARGE_INTEGER size{};
    // A font file is a few hundred kilobytes; anything past 64 MB is not one.
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (64ll << 20)) {
        data.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &read, nullptr) || read != data.size())
            data.clear();
    }
    CloseHandle(file);
    return data;
}

}  // namespace

void load_fonts(LauncherState& state, float ui_scale) {
    FontSources sources;
    sources.anton = load_resource_font(anton_resource);
    sources.oswald = load_resource_font(oswald_resource);
    sources.permanent_marker = load_resource_font(permanent_marker_resource);
    sources.system_font = load_system_font();
    build_fonts(state, ui_scale, sources);
}
