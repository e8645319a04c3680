// Entry and main loop of VandrelsLauncher.
#include <windows.h>

#include <shellscalingapi.h>

#include <cwchar>

#include "driverprofile/smooth_motion_helper.hpp"
#include "imgui.h"
#include "imgui_impl_dx11.h"
#include "imgui_impl_win32.h"
#include "screens/launcher_screen.hpp"
#include "settings/key_name.hpp"
#include "settings/settings_file.hpp"
#include "shell/device_win32.hpp"
#include "shell/fonts_style.hpp"
#include "shell/launcher_globals_win32.hpp"
#include "shell/window_geometry.hpp"

namespace {
constexpr wchar_t window_class_name[] = L"VandrelsLauncher";
constexpr wchar_t window_title[] = L"The Vandrels";
constexpr DWORD window_style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int program_icon = 101;

WindowGeometry primary_monitor_geometry()
{
    const HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    UINT dpi_x = 0, dpi_y = 0;
    if (FAILED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpi_x, &dpi_y)) || dpi_x == 0) dpi_x = 96;
    MONITORINFO info = {sizeof(info)};
    GetMonitorInfoW(monitor, &info);
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectExForDpi(&frame, window_style, FALSE, 0, dpi_x);
    const ScreenRect work{int(info.rcWork.left), int(info.rcWork.top), int(info.rcWork.right), int(info.rcWork.bottom)};
    return compute_window_geometry(int(dpi_x), work, ScreenRect{int(frame.left), int(frame.top), int(frame.right), int(frame.bottom)});
}

bool register_window_class(HINSTANCE instance)
{
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = launcher_window_proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(program_icon));
    wc.hIconSm = HICON(LoadImageW(instance, MAKEINTRESOURCEW(program_icon), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                  GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = window_class_name;
    return RegisterClassExW(&wc) != 0;
}

// Another launcher owns the mutex: bring its window forward instead of opening a second one.
void bring_other_instance_forward()
{
    if (const HWND other = FindWindowW(window_class_name, nullptr)) {
        ShowWindow(other, SW_RESTORE);
        SetForegroundWindow(other);
    }
}

void run_main_loop(LauncherState& state)
{
    for (bool quit = false; !quit;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            if (msg.message == WM_QUIT) quit = true;
        }
        if (quit) break;
        if (IsIconic(g_window)) {
            Sleep(50);
            continue;
        }
        call<LauncherState&>(g_actions.upload_background_frame, state);
        begin_gui_frame();
        ImGui::NewFrame();
        draw_launcher_screen(state, g_ui_scale);
        ImGui::Render();
        draw_and_present();
        dispatch_requests(state, g_actions, GetTickCount64());
        call<LauncherState&>(g_actions.keep_title_music_in_line, state);
    }
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int show_command)
{
    // The elevated copy that writes the driver profile runs beside an open launcher,
    // so it must not touch the mutex, the window or anything else below.
    if (command_line && std::wcsstr(command_line, L"--smooth-motion="))
        return run_smooth_motion_helper(std::wcsstr(command_line, L"=on") != nullptr);

    // Fails harmlessly where the process is already per-monitor aware.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    const HANDLE once = CreateMutexW(nullptr, TRUE, L"VandrelsLauncherOnce");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        bring_other_instance_forward();
        if (once) CloseHandle(once);
        return 0;
    }

    LauncherState& state = g_launcher;
    g_actions = make_launcher_actions();
    register_window_class(instance);
    const WindowGeometry geometry = primary_monitor_geometry();
    g_ui_scale = geometry.ui_scale;
    g_window = CreateWindowExW(0, window_class_name, window_title, window_style, geometry.window.left, geometry.window.top,
                               geometry.window.width(), geometry.window.height(), nullptr, nullptr, instance, nullptr);

    if (!g_window || !create_device(g_window)) {
        MessageBoxW(nullptr, L"Direct3D 11 is not available.", window_title, MB_OK | MB_ICONERROR);
        return 1;
    }
    ShowWindow(g_window, show_command);
    UpdateWindow(g_window);

    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // the launcher keeps no GUI state between runs
    io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;
    load_fonts(state, g_ui_scale);
    apply_style(g_ui_scale);
    ImGui_ImplWin32_Init(g_window);
    ImGui_ImplDX11_Init(graphics_device(), graphics_context());

    call(g_actions.create_audio_engine);
    load_settings(state);
    state.key_name = key_name;
    call<LauncherState&>(g_actions.refresh_image_name, state);
    if (g_actions.vkd3d_installed) state.vulkan_layer_present = g_actions.vkd3d_installed();
    call<LauncherState&>(g_actions.load_title_music, state);
    call<LauncherState&>(g_actions.start_title_background, state);
    call<LauncherState&>(g_actions.start_title_music, state);

    run_main_loop(state);

    // Unsaved option changes are deliberately not written here: only explicit saves are.
    call<LauncherState&>(g_actions.stop_title_background, state);
    call(g_actions.release_audio);
    ImGui_ImplDX11_Shutdown();
    ImGui_ImplWin32_Shutdown();
    ImGui::DestroyContext();
    if (once) {
        ReleaseMutex(once);
        CloseHandle(once);
    }
    return 0;
}
