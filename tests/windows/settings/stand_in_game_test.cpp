// The stand-in Vandrels.exe keeps the game's side of the hand-over: it reads the settings
// the launcher writes, follows changes while it runs, records the title screen and ends.
#include <gtest/gtest.h>

#include <objbase.h>
#include <wincodec.h>

#include <functional>
#include <vector>

#include "gamefiles/paths.hpp"
#include "scratch_win32.hpp"
#include "settings/settings_file.hpp"
#include "settings/settings_text.hpp"

namespace fs = std::filesystem;

namespace {

struct Picture {
    UINT width = 0, height = 0;
    std::vector<BYTE> rgba;
};

Picture decode(const fs::path& path)
{
    Picture picture;
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                     &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppRGBA, WICBitmapDitherTypeNone, nullptr, 0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converter->GetSize(&picture.width, &picture.height))) {
        picture.rgba.resize(size_t{picture.width} * picture.height * 4);
        if (FAILED(converter->CopyPixels(nullptr, picture.width * 4, static_cast<UINT>(picture.rgba.size()),
                                         picture.rgba.data())))
            picture = {};
    }
    for (IUnknown* object : {static_cast<IUnknown*>(converter), static_cast<IUnknown*>(frame),
                             static_cast<IUnknown*>(decoder), static_cast<IUnknown*>(factory)})
        if (object) object->Release();
    return picture;
}

// Rows of the left half that hold at least two red pixels, counted the way the launcher
// looks for the logo.
int red_rows_in_left_half(const Picture& p)
{
    int rows = 0;
    for (UINT y = 0; y < p.height; ++y) {
        int red = 0;
        for (UINT x = 0; x < p.width / 2; ++x) {
            const BYTE* px = &p.rgba[(size_t{y} * p.width + x) * 4];
            if (px[0] > 60 && 2 * px[1] < px[0] && 2 * px[2] < px[0]) ++red;
        }
        if (red >= 2) ++rows;
    }
    return rows;
}

bool wait_for(const std::function<bool()>& done, DWORD timeout_ms)
{
    const ULONGLONG until = GetTickCount64() + timeout_ms;
    while (!done()) {
        if (GetTickCount64() > until) return false;
        Sleep(50);
    }
    return true;
}

struct FoundWindow {
    DWORD process;
    HWND window;
};

BOOL CALLBACK match_window(HWND window, LPARAM data)
{
    auto* found = reinterpret_cast<FoundWindow*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    if (process == found->process && IsWindowVisible(window) && std::wstring(title) == L"Vandrels (stand-in)") {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

class StandInGame : public testing::Test {
protected:
    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        folder = scratch::fresh_folder(L"Les Vandrels \u2014 \u00e9dition \u2726 \u65e5\u672c");
        game = folder / L"Vandrels.exe";
        const fs::path built = scratch::from_environment("VANDRELS_STAND_IN");
        ASSERT_TRUE(CopyFileW(built.c_str(), game.c_str(), FALSE)) << GetLastError();
        Settings settings;
        settings.width = 1281;
        save_settings_file(settings, folder / L"settings.toml");
    }
    void TearDown() override { CoUninitialize(); }

    std::string log() const { return scratch::read_bytes(folder / L"Vandrels.stand-in.log"); }
    bool log_has(const std::string& text) const { return log().find(text) != std::string::npos; }

    fs::path folder, game;
};

TEST_F(StandInGame, RecordsTheTitleScreenAndEndsByItself)
{
    SetEnvironmentVariableW(L"VANDRELS_RECORD_TITLE", L"1");
    SetEnvironmentVariableW(L"VANDRELS_STAND_IN_FRAMES", L"12");
    HANDLE process = scratch::start(game);
    SetEnvironmentVariableW(L"VANDRELS_RECORD_TITLE", nullptr);
    SetEnvironmentVariableW(L"VANDRELS_STAND_IN_FRAMES", nullptr);
    ASSERT_EQ(scratch::finish(process, 120000), 0);

    const fs::path title = folder / L"launcher" / L"title";
    EXPECT_EQ(scratch::read_bytes(title / L"info.txt"), "frames=12\r\n");
    for (int i = 0; i < 12; ++i) {
        wchar_t name[16];
        swprintf(name, 16, L"%05u.jpg", i);
        EXPECT_TRUE(fs::exists(title / L"frames" / name)) << i;
    }
    EXPECT_FALSE(fs::exists(title / L"frames" / L"00012.jpg"));
    for (const wchar_t* name : {L"00000.jpg", L"00011.jpg"}) {
        const Picture picture = decode(title / L"frames" / name);
        ASSERT_EQ(picture.width, 1280u);
        ASSERT_EQ(picture.height, 720u);
        // A logo taller than a twentieth of the picture plus a line of prompt text.
        EXPECT_GT(red_rows_in_left_half(picture), 720 / 20 + 20);
    }

    const std::string folder_text = to_utf8(folder.native());
    EXPECT_TRUE(log_has("command line: \"" + folder_text + "\\Vandrels.exe\"\r\n")) << log();
    EXPECT_TRUE(log_has("current folder: " + folder_text + "\r\n")) << log();
    EXPECT_TRUE(log_has("VANDRELS_RECORD_TITLE: 1\r\n")) << log();
    EXPECT_TRUE(log_has("; width = 1281;")) << log();
    EXPECT_TRUE(log_has("recording: saved\r\nexit\r\n")) << log();
}

TEST_F(StandInGame, FollowsSettingsChangesUntilItsWindowCloses)
{
    HANDLE process = scratch::start(game);
    ASSERT_NE(process, nullptr);
    FoundWindow found{GetProcessId(process), nullptr};
    EXPECT_TRUE(wait_for([&] { return !EnumWindows(match_window, reinterpret_cast<LPARAM>(&found)) && found.window; },
                         30000));
    EXPECT_TRUE(wait_for([&] { return log_has("settings: "); }, 10000)) << log();

    Settings changed;
    changed.width = 1999;
    changed.display_mode = DisplayMode::Windowed;
    save_settings_file(changed, folder / L"settings.toml");
    EXPECT_TRUE(wait_for([&] { return log_has("settings changed: ") && log_has("width = 1999"); }, 10000)) << log();
    EXPECT_TRUE(log_has("display_mode = 'windowed'")) << log();

    if (found.window) PostMessageW(found.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(scratch::finish(process, found.window ? 20000 : 0), 0);
    EXPECT_TRUE(log_has("VANDRELS_RECORD_TITLE: (not set)\r\n")) << log();
    EXPECT_TRUE(log_has("exit\r\n")) << log();
    EXPECT_FALSE(fs::exists(folder / L"launcher" / L"title"));
}

}  // namespace
