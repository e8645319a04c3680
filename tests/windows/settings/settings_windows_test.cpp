// settings.toml on a real Windows file system: wide folder names, readers holding the file,
// and the names the keyboard layout gives to keys.
#include <gtest/gtest.h>

#include "gamefiles/paths.hpp"
#include "scratch_win32.hpp"
#include "settings/key_name.hpp"
#include "settings/settings_text.hpp"

namespace fs = std::filesystem;

namespace {

const std::string old_file = "width = 1280\nfoo = '\xC3\xA9t\xC3\xA9'\n[launcher]\nmusic_volume = 0.5\nextra = 1\n";

// What the probe's "save" writes for old_file: width one more, the rest as loaded.
std::string saved_file()
{
    Settings expected = parse_settings(old_file);
    expected.width += 1;
    return print_settings(expected, old_file);
}

class SettingsFolder : public testing::Test {
protected:
    void SetUp() override
    {
        folder = scratch::fresh_folder(name());
        launcher = folder / L"VandrelsLauncher.exe";
        const fs::path probe = scratch::from_environment("LAUNCHER_PROBE");
        ASSERT_TRUE(CopyFileW(probe.c_str(), launcher.c_str(), FALSE)) << GetLastError();
        ASSERT_TRUE(scratch::write_bytes(settings(), old_file));
    }
    virtual std::wstring name() const { return L"settings"; }
    fs::path settings() const { return folder / L"settings.toml"; }
    bool no_leftovers() const { return !fs::exists(folder / L"settings.toml.new"); }

    fs::path folder, launcher;
};

class NonAsciiFolder : public SettingsFolder {
protected:
    std::wstring name() const override { return L"Les Vandrels \u2014 \u00e9dition \u2726 \u65e5\u672c"; }
};

TEST_F(NonAsciiFolder, LoadsAndSaves)
{
    // The name really is outside the system code page, so a narrowed path could not open it.
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name().c_str(), -1, nullptr, 0, nullptr, &lossy);
    ASSERT_TRUE(lossy) << "code page " << GetACP() << " holds the whole name";

    ASSERT_EQ(scratch::run(launcher, L"save"), 0);
    EXPECT_EQ(scratch::read_bytes(settings()), saved_file());
    EXPECT_NE(saved_file().find("width = 1281\r\n"), std::string::npos);
    EXPECT_NE(saved_file().find("music_volume = 0.5\r\n"), std::string::npos);
    EXPECT_TRUE(no_leftovers());
}

TEST_F(SettingsFolder, SaveWhileAReaderHoldsTheFileRewritesItInPlace)
{
    // A reader without delete sharing (as the C library opens files) blocks the replace.
    HANDLE reader = CreateFileW(settings().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    const long code = scratch::run(launcher, L"save");
    CloseHandle(reader);
    ASSERT_EQ(code, 0);
    EXPECT_EQ(scratch::read_bytes(settings()), saved_file());
    EXPECT_TRUE(no_leftovers());
}

TEST_F(SettingsFolder, SaveThatCannotWriteLeavesTheOldFile)
{
    HANDLE holder = CreateFileW(settings().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const long code = scratch::run(launcher, L"save");
    CloseHandle(holder);
    EXPECT_EQ(code, 0) << "a failed save is silent";
    EXPECT_EQ(scratch::read_bytes(settings()), old_file);
    EXPECT_TRUE(no_leftovers());
}

TEST_F(SettingsFolder, SaveCreatesAMissingFile)
{
    ASSERT_TRUE(DeleteFileW(settings().c_str()));
    ASSERT_EQ(scratch::run(launcher, L"save"), 0);
    Settings expected;
    expected.width = 1;
    EXPECT_EQ(scratch::read_bytes(settings()), print_settings(expected, ""));
}

TEST(KeyName, NamesKeysForTheBindingsList)
{
    EXPECT_EQ(key_name(0x01), "Mouse 1");
    EXPECT_EQ(key_name(0x1B), "Esc");
    EXPECT_EQ(key_name(0xA5), "Right Alt");
    EXPECT_EQ(key_name(0x41), "A");
    // The cursor keys must not come out as their numeric-pad twins.
    EXPECT_NE(key_name(VK_UP), key_name(VK_NUMPAD8));
    EXPECT_NE(key_name(VK_DELETE), key_name(VK_DECIMAL));
    EXPECT_FALSE(key_name(VK_RETURN).empty());
    EXPECT_EQ(key_name(0xE8), "Key 232");  // unassigned: no scan code, no name
}

}  // namespace
