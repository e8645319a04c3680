// A small Windows-side probe for the end-to-end tests: what X11 tools cannot see of
// a Wine window (its class, client area, minimised state, message boxes).
//
//   wintool windows CLASS            one line per visible top-level window of CLASS:
//                                    "<hwnd> <iconic> <client x> <client y> <client w> <client h> <pid> <title>"
//   wintool dialog-text TITLE        texts of the static controls of the dialog titled TITLE
//   wintool dialog-owner TITLE       class name of the owner window of that dialog ("-" when none)
//   wintool press TITLE BUTTON       clicks the button labelled BUTTON in the dialog titled TITLE
//   wintool minimize CLASS | restore CLASS | close CLASS
//   wintool foreground               class and title of the foreground window
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {
std::vector<HWND> top_level_windows(const wchar_t* class_name, const wchar_t* title)
{
    std::vector<HWND> found;
    for (HWND w = FindWindowExW(nullptr, nullptr, class_name, title); w; w = FindWindowExW(nullptr, w, class_name, title))
        if (IsWindowVisible(w)) found.push_back(w);
    return found;
}

std::string utf8(const std::wstring& text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring window_text(HWND w)
{
    wchar_t buffer[1024] = {};
    GetWindowTextW(w, buffer, 1024);
    return buffer;
}

std::wstring class_of(HWND w)
{
    wchar_t buffer[256] = {};
    GetClassNameW(w, buffer, 256);
    return buffer;
}

int list_windows(const wchar_t* class_name)
{
    for (HWND w : top_level_windows(class_name, nullptr)) {
        RECT client = {};
        GetClientRect(w, &client);
        POINT origin = {0, 0};
        ClientToScreen(w, &origin);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        std::printf("%llu %d %ld %ld %ld %ld %lu %s\n", (unsigned long long)(uintptr_t)w, IsIconic(w) ? 1 : 0, origin.x,
                    origin.y, client.right, client.bottom, pid, utf8(window_text(w)).c_str());
    }
    return 0;
}

HWND dialog(const wchar_t* title)
{
    const auto found = top_level_windows(L"#32770", title);
    return found.empty() ? nullptr : found.front();
}

int dialog_text(const wchar_t* title)
{
    const HWND d = dialog(title);
    if (!d) return 1;
    for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (class_of(c) == L"Static" && !window_text(c).empty()) std::printf("%s\n", utf8(window_text(c)).c_str());
    return 0;
}

int dialog_owner(const wchar_t* title)
{
    const HWND d = dialog(title);
    if (!d) return 1;
    const HWND owner = GetWindow(d, GW_OWNER);
    std::printf("%s\n", owner ? utf8(class_of(owner)).c_str() : "-");
    return 0;
}

int press(const wchar_t* title, const wchar_t* label)
{
    const HWND d = dialog(title);
    if (!d) return 1;
    for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        std::wstring text = window_text(c);
        std::erase(text, L'&');
        if (class_of(c) == L"Button" && text == label) {
            PostMessageW(d, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), BN_CLICKED), LPARAM(c));
            return 0;
        }
    }
    return 1;
}

int for_each(const wchar_t* class_name, void (*action)(HWND))
{
    const auto found = top_level_windows(class_name, nullptr);
    for (HWND w : found) action(w);
    return found.empty() ? 1 : 0;
}
}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"windows" && argc == 3) return list_windows(argv[2]);
    if (command == L"dialog-text" && argc == 3) return dialog_text(argv[2]);
    if (command == L"dialog-owner" && argc == 3) return dialog_owner(argv[2]);
    if (command == L"press" && argc == 4) return press(argv[2], argv[3]);
    if (command == L"minimize" && argc == 3) return for_each(argv[2], [](HWND w) { ShowWindow(w, SW_MINIMIZE); });
    if (command == L"restore" && argc == 3)
        return for_each(argv[2], [](HWND w) { ShowWindow(w, SW_RESTORE); SetForegroundWindow(w); });
    if (command == L"close" && argc == 3) return for_each(argv[2], [](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); });
    if (command == L"foreground") {
        const HWND w = GetForegroundWindow();
        if (!w) return 1;
        std::printf("%s\t%s\n", utf8(class_of(w)).c_str(), utf8(window_text(w)).c_str());
        return 0;
    }
    std::fprintf(stderr, "usage: see the comment at the top of wintool.cpp\n");
    return 2;
}
