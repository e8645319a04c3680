#include <windows.h>

#include <commdlg.h>

#include "gamefiles/paths.hpp"
#include "gamefiles/vulkan_layer.hpp"
#include "settings/settings.hpp"
#include "shell/launcher_globals_win32.hpp"

namespace fs = std::filesystem;

bool vkd3d_installed()
{
    return vkd3d_files_present(vkd3d_dir());
}

void install_vkd3d(LauncherState& state)
{
    wchar_t chosen[260] = L"";
    OPENFILENAMEW dialog = {sizeof(dialog)};
    dialog.hwndOwner = g_window;
    dialog.lpstrFilter = L"vkd3d-proton d3d12.dll (x64 folder)\0d3d12.dll\0All files\0*.*\0";
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = 260;
    dialog.lpstrTitle = L"Choose d3d12.dll in vkd3d-proton's x64 folder";
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameW(&dialog)) return;

    // Whatever file was chosen, the layer is the pair of that name in its folder.
    const fs::path source = fs::path(chosen).parent_path();
    std::error_code error;
    if (!fs::is_regular_file(source / L"d3d12core.dll", error)) {
        MessageBoxW(g_window,
                    L"d3d12core.dll is not beside that d3d12.dll. Choose the d3d12.dll in the x64 folder of an "
                    L"extracted vkd3d-proton release.",
                    L"The Vandrels", MB_OK | MB_ICONERROR);
        return;
    }
    const fs::path target = vkd3d_dir();
    fs::create_directories(target, error);
    for (const fs::path& name : vkd3d_files) copy_file_replacing(source / name, target / name);

    state.vulkan_layer_present = vkd3d_installed();
    if (state.vulkan_layer_present) {
        state.settings.graphics_api = GraphicsApi::Vulkan;
        state.settings_dirty = true;
        state.status_text = "Vulkan is ready: the game runs on it when you press Play.";
    }
}
