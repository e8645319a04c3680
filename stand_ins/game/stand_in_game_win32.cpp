// Stands in for Vandrels.exe in tests and in the demo. It honours what the launcher relies
// on: it reads settings.toml at start and whenever the file changes, shows a window, records
// the title screen when VANDRELS_RECORD_TITLE is "1" and then ends by itself, and ends when
// its window is closed. Everything it sees goes to Vandrels.stand-in.log beside it.
#include <windows.h>
#include <objbase.h>

#include <string>

#include "gamefiles/paths.hpp"
#include "settings/settings_file.hpp"
#include "settings/settings_text.hpp"
#include "title_scene_win32.hpp"

namespace fs = std::filesystem;

namespace {

constexpr wchar_t window_title[] = L"Vandrels (stand-in)";
constexpr UINT_PTR settings_timer = 1;
constexpr UINT_PTR record_timer = 2;

std::string last_settings_text;
bool have_read_settings = false;
std::wstring status_line = L"Waiting for settings...";

void log_line(const std::string& line)
{
    // Opened per line so a test can read the log while the game still runs.
    const fs::path path = launcher_dir() / L"Vandrels.stand-in.log";
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::wstring environment(const wchar_t* name, bool* present = nullptr)
{
    wchar_t value[256];
    const DWORD length = GetEnvironmentVariableW(name, value, 256);
    if (present) *present = length > 0 && length < 256;
    return length > 0 && length < 256 ? std::wstring(value, length) : std::wstring();
}

// One line per read: the canonical file text of what was parsed, table keys prefixed.
std::string describe(const Settings& settings)
{
    const std::string text = print_settings(settings, "");
    std::string out, table;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 2;
        if (line.empty()) continue;
        if (line.front() == '[') {
            table = line.substr(1, line.size() - 2) + ".";
            continue;
        }
        if (!out.empty()) out += "; ";
        out += table + line;
    }
    return out;
}

void read_settings_if_changed(HWND window)
{
    const std::string text = read_settings_text(settings_path());
    if (have_read_settings && text == last_settings_text) return;
    const bool first = !have_read_settings;
    have_read_settings = true;
    last_settings_text = text;
    const Settings settings = parse_settings(text);
    log_line((first ? "settings: " : "settings changed: ") + describe(settings));
    status_line = L"display_mode " + std::to_wstring(settings.display_mode) + L", " +
                  std::to_wstring(settings.width) + L" x " + std::to_wstring(settings.height) + L", fps_cap " +
                  std::to_wstring(settings.fps_cap);
    if (window) InvalidateRect(window, nullptr, FALSE);
}

unsigned recording_frames()
{
    // The real game records 20 seconds; tests ask for fewer through this knob.
    const std::wstring value = environment(L"VANDRELS_STAND_IN_FRAMES");
    const unsigned long frames = value.empty() ? 150 : std::wcstoul(value.c_str(), nullptr, 10);
    return frames == 0 ? 1 : frames > 3000 ? 3000 : static_cast<unsigned>(frames);
}

void record(HWND window)
{
    const unsigned frames = recording_frames();
    log_line("recording: " + std::to_string(frames) + " frames");
    const bool ok = record_title(title_dir(), frames, 1280, 720);
    log_line(ok ? "recording: saved" : "recording: failed");
    DestroyWindow(window);
}

void paint(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    draw_title_scene(dc, client.right, client.bottom, static_cast<unsigned>(GetTickCount64() / 33));
    SetTextColor(dc, RGB(200, 200, 210));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 10, client.bottom - 24, status_line.c_str(), static_cast<int>(status_line.size()));
    EndPaint(window, &ps);
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_TIMER:
        if (wparam == settings_timer) read_settings_if_changed(window);
        if (wparam == record_timer) {
            KillTimer(window, record_timer);
            record(window);
        }
        return 0;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    wchar_t folder[MAX_PATH * 4] = {};
    GetCurrentDirectoryW(MAX_PATH * 4, folder);
    bool record_set = false;
    const std::wstring record_value = environment(L"VANDRELS_RECORD_TITLE", &record_set);
    log_line("start: pid " + std::to_string(GetCurrentProcessId()));
    log_line("command line: " + to_utf8(GetCommandLineW()));
    log_line("current folder: " + to_utf8(folder));
    log_line("VANDRELS_RECORD_TITLE: " + (record_set ? to_utf8(record_value) : std::string("(not set)")));

    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = window_proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"VandrelsStandInGame";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, window_title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 960, 560, nullptr, nullptr, instance, nullptr);
    if (!window) {
        log_line("exit: no window");
        return 1;
    }
    read_settings_if_changed(window);
    ShowWindow(window, show == SW_HIDE ? SW_SHOWNORMAL : show);
    UpdateWindow(window);
    SetTimer(window, settings_timer, 200, nullptr);
    // The player needs a moment on the title screen before pressing F9.
    if (record_value == L"1") SetTimer(window, record_timer, 500, nullptr);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    log_line("exit");
    CoUninitialize();
    return 0;
}
