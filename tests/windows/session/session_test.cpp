// Starting the stand-in game in recording and normal mode, and installing the Vulkan
// layer through the real file dialog, on a launcher window of the real window procedure.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "gamefiles/paths.hpp"
#include "gamefiles/vulkan_layer.hpp"
#include "session/game_launch.hpp"
#include "shell/launcher_globals_win32.hpp"

namespace fs = std::filesystem;

namespace {
std::string read_file(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs the window's messages until `done` holds or the time is up.
bool pump_until(const std::function<bool()>& done, int seconds = 60)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(20);
    }
    return true;
}

std::wstring window_text(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

// Answers the next modal dialog titled `title` from another thread while the GUI thread
// is blocked inside it, the way a player would.
class DialogDriver {
public:
    DialogDriver(std::wstring title, std::function<void(HWND)> answer)
        : thread_([this, title, answer] {
              for (int i = 0; i < 600 && !stop_; ++i) {
                  if (const HWND dialog = FindWindowW(L"#32770", title.c_str()); dialog && IsWindowVisible(dialog)) {
                      Sleep(300);  // let the dialog finish its own set-up
                      owner_ = GetWindow(dialog, GW_OWNER);
                      for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                          wchar_t cls[64] = {};
                          GetClassNameW(c, cls, 64);
                          if (std::wstring(cls) == L"Static") text_ += window_text(c);
                      }
                      answer(dialog);
                      seen_ = true;
                      return;
                  }
                  Sleep(50);
              }
          })
    {
    }
    ~DialogDriver()
    {
        stop_ = true;
        thread_.join();
    }
    bool seen() const { return seen_; }
    std::wstring text() const { return text_; }
    HWND owner() const { return owner_; }

private:
    std::atomic<bool> stop_{false}, seen_{false};
    std::wstring text_;
    HWND owner_ = nullptr;
    std::thread thread_;
};

void press_ok(HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); }

// Types a path into an open-file dialog's name field and confirms it.
std::function<void(HWND)> choose_file(const fs::path& file)
{
    return [file](HWND dialog) {
        HWND name = GetDlgItem(dialog, 1148);  // explorer-style name box
        if (!name) name = GetDlgItem(dialog, 1152);
        SetWindowTextW(name, file.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    };
}

class GameSession : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSEXW wc = {sizeof(wc)};
        wc.lpfnWndProc = launcher_window_proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VandrelsLauncherUnderTest";
        RegisterClassExW(&wc);
    }

    void SetUp() override
    {
        g_launcher = LauncherState();
        g_actions = make_launcher_actions();
        g_window = CreateWindowExW(0, L"VandrelsLauncherUnderTest", L"The Vandrels", WS_OVERLAPPEDWINDOW, 0, 0, 400,
                                   300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(g_window, SW_SHOWNORMAL);
        fs::remove(log_path);
        fs::remove_all(title_dir());
        fs::remove_all(launcher_dir() / L"launcher" / L"vkd3d");
    }
    void TearDown() override
    {
        // A game left running would keep the test's output open after it ends.
        while (const HWND game = FindWindowW(L"VandrelsStandInGame", nullptr)) {
            PostMessageW(game, WM_CLOSE, 0, 0);
            pump_until([game] { return !IsWindow(game); }, 10);
        }
        DestroyWindow(g_window);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }

    static bool record_variable_set() { return GetEnvironmentVariableW(L"VANDRELS_RECORD_TITLE", nullptr, 0) != 0; }
    std::string game_log() const { return read_file(log_path); }

    fs::path log_path = launcher_dir() / L"Vandrels.stand-in.log";
};

TEST_F(GameSession, RecordingStartsTheGameInRecordingModeAndComesBack)
{
    g_launcher.settings_dirty = true;
    record_title(g_launcher);

    EXPECT_FALSE(record_variable_set()) << "the launcher must never keep the variable";
    EXPECT_FALSE(g_launcher.settings_dirty) << "a recording start saves first";
    EXPECT_TRUE(g_launcher.title_music_held);
    EXPECT_FALSE(g_launcher.game_running);
    EXPECT_EQ(g_launcher.status_text,
              "Recording: go to the title screen (PRESS START) and press F9. The game closes when it is saved.");
    EXPECT_TRUE(IsIconic(g_window));

    // The stand-in records, ends by itself, and the watcher brings the launcher back.
    ASSERT_TRUE(pump_until([] { return !IsIconic(g_window); })) << game_log();
    EXPECT_FALSE(g_launcher.title_music_held);
    EXPECT_NE(game_log().find("VANDRELS_RECORD_TITLE: 1"), std::string::npos) << game_log();
    EXPECT_EQ(read_file(title_dir() / L"info.txt").rfind("frames=3", 0), 0u);
    EXPECT_TRUE(fs::exists(title_dir() / L"frames" / L"00002.jpg"));

    // A normal start right after a recording does not pass the variable on.
    fs::remove(log_path);
    g_launcher.settings.stay_open = true;
    play_game(g_launcher);
    EXPECT_TRUE(g_launcher.game_running);
    ASSERT_TRUE(pump_until([&] { return game_log().find("VANDRELS_RECORD_TITLE:") != std::string::npos; }));
    EXPECT_NE(game_log().find("VANDRELS_RECORD_TITLE: (not set)"), std::string::npos) << game_log();
    HWND game = nullptr;
    ASSERT_TRUE(pump_until([&] { return (game = FindWindowW(L"VandrelsStandInGame", nullptr)) != nullptr; }));
    ShowWindow(game, SW_MINIMIZE);
    bring_game_forward(g_launcher);  // TO GAME restores the game's own window
    EXPECT_FALSE(IsIconic(game));
    PostMessageW(game, WM_CLOSE, 0, 0);
    ASSERT_TRUE(pump_until([] { return !g_launcher.game_running; }, 120));
    EXPECT_FALSE(IsIconic(g_window));
}

TEST_F(GameSession, RecordingThatCannotStartLeavesTheLauncherAsItWas)
{
    const fs::path game = launcher_dir() / L"Vandrels.exe";
    const fs::path hidden = launcher_dir() / L"Vandrels.exe.away";
    fs::rename(game, hidden);
    {
        DialogDriver driver(L"The Vandrels", press_ok);
        record_title(g_launcher);
        fs::rename(hidden, game);
        ASSERT_TRUE(driver.seen());
        EXPECT_EQ(driver.text(), L"Vandrels.exe was not found next to the launcher.");
        EXPECT_EQ(driver.owner(), g_window);
    }
    EXPECT_FALSE(record_variable_set());
    EXPECT_FALSE(g_launcher.title_music_held) << "no game will ever report back, so nothing may stay held";
    EXPECT_FALSE(IsIconic(g_window));
    EXPECT_TRUE(g_launcher.status_text.empty());
}

class VulkanInstall : public GameSession {
protected:
    void SetUp() override
    {
        GameSession::SetUp();
        release = fs::temp_directory_path() / L"vandrels-vkd3d-release";
        std::error_code ignored;
        fs::remove_all(release, ignored);
        fs::create_directories(release / L"x64");
        std::ofstream(release / L"x64" / L"d3d12.dll") << "d3d12 x64";
        std::ofstream(release / L"x64" / L"d3d12core.dll") << "core x64";
        std::ofstream(release / L"x64" / L"readme.txt") << "notes";
        fs::create_directories(release / L"lonely");
        std::ofstream(release / L"lonely" / L"d3d12.dll") << "alone";
    }
    void TearDown() override
    {
        // The file dialog makes the chosen folder current, which would keep it from being removed.
        SetCurrentDirectoryW(launcher_dir().c_str());
        std::error_code ignored;
        fs::remove_all(release, ignored);
        GameSession::TearDown();
    }
    fs::path release;
    const std::wstring title = L"Choose d3d12.dll in vkd3d-proton's x64 folder";
};

TEST_F(VulkanInstall, ChosenLayerIsInstalledAndSelected)
{
    g_launcher.settings.graphics_api = GraphicsApi::D3D11;
    {
        // Any file of the folder serves: the pair of layer files is what gets copied.
        DialogDriver driver(title, choose_file(release / L"x64" / L"readme.txt"));
        install_vkd3d(g_launcher);
        ASSERT_TRUE(driver.seen());
        EXPECT_EQ(driver.owner(), g_window);
    }
    EXPECT_EQ(read_file(vkd3d_dir() / L"d3d12.dll"), "d3d12 x64");
    EXPECT_EQ(read_file(vkd3d_dir() / L"d3d12core.dll"), "core x64");
    EXPECT_TRUE(g_launcher.vulkan_layer_present);
    EXPECT_EQ(g_launcher.settings.graphics_api, GraphicsApi::Vulkan);
    EXPECT_TRUE(g_launcher.settings_dirty);
    EXPECT_EQ(g_launcher.status_text, "Vulkan is ready: the game runs on it when you press Play.");
}

TEST_F(VulkanInstall, MissingCoreFileIsReportedAndNothingIsCopied)
{
    {
        DialogDriver chooser(title, choose_file(release / L"lonely" / L"d3d12.dll"));
        DialogDriver message(L"The Vandrels", press_ok);
        install_vkd3d(g_launcher);
        ASSERT_TRUE(message.seen());
        EXPECT_EQ(message.text(),
                  L"d3d12core.dll is not beside that d3d12.dll. Choose the d3d12.dll in the x64 folder of an "
                  L"extracted vkd3d-proton release.");
    }
    EXPECT_FALSE(fs::exists(vkd3d_dir()));
    EXPECT_FALSE(g_launcher.vulkan_layer_present);
    EXPECT_FALSE(g_launcher.settings_dirty);
    EXPECT_TRUE(g_launcher.status_text.empty());
}

TEST_F(VulkanInstall, CancelledDialogChangesNothing)
{
    {
        DialogDriver driver(title, [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
        install_vkd3d(g_launcher);
        ASSERT_TRUE(driver.seen());
    }
    EXPECT_FALSE(fs::exists(vkd3d_dir()));
    EXPECT_FALSE(g_launcher.settings_dirty);
}
}  // namespace
