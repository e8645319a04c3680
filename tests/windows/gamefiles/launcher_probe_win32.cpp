// Runs the launcher's path and settings code from wherever a test copies it, and writes what
// it found to probe.txt beside itself. Arguments: "save" (load, change width, save) and
// "logs" (create the logs folder the way "Open the logs folder" does).
#include <windows.h>

#include <cstdio>
#include <string>

#include "gamefiles/paths.hpp"
#include "settings/settings_file.hpp"
#include "shell/launcher_state.hpp"

int wmain(int argc, wchar_t** argv)
{
    LauncherState state;
    load_settings(state);
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"save") {
            state.settings.width += 1;
            save_settings(state.settings);
        } else if (arg == L"logs") {
            ensure_logs_dir();
        }
    }
    const std::string report = "launcher_dir=" + to_utf8(launcher_dir().native()) +
                               "\nsettings_path=" + to_utf8(settings_path().native()) +
                               "\nassets_dir=" + to_utf8(assets_dir().native()) +
                               "\nfind_disc_image=" + to_utf8(find_disc_image().native()) +
                               "\nlogs_dir=" + to_utf8(logs_dir().native()) +
                               "\ntitle_dir=" + to_utf8(title_dir().native()) +
                               "\nvkd3d_dir=" + to_utf8(vkd3d_dir().native()) +
                               "\nwidth=" + std::to_string(state.settings.width) + "\n";
    FILE* file = _wfopen((launcher_dir() / L"probe.txt").c_str(), L"wb");
    if (!file) return 2;
    std::fwrite(report.data(), 1, report.size(), file);
    return std::fclose(file) == 0 ? 0 : 3;
}
