// The folder layout on a real Windows file system: a copy of the probe program stands in
// for the launcher, so launcher_dir is wherever the test puts it.
#include <gtest/gtest.h>

#include <map>

#include "gamefiles/paths.hpp"
#include "settings/settings_file.hpp"
#include "settings/settings_text.hpp"
#include "scratch_win32.hpp"

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> probe_report(const fs::path& folder)
{
    std::map<std::string, std::string> report;
    const std::string text = scratch::read_bytes(folder / L"probe.txt");
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        const size_t equals = line.find('=');
        if (equals != std::string::npos) report[line.substr(0, equals)] = line.substr(equals + 1);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return report;
}

class LauncherFolder : public testing::Test {
protected:
    // Puts a copy of the probe into `folder` and returns its path.
    fs::path place_probe(const fs::path& folder)
    {
        const fs::path probe = scratch::from_environment("LAUNCHER_PROBE");
        EXPECT_FALSE(probe.empty()) << "LAUNCHER_PROBE is not set";
        const fs::path copy = folder / L"VandrelsLauncher.exe";
        EXPECT_TRUE(CopyFileW(probe.c_str(), copy.c_str(), FALSE)) << GetLastError();
        return copy;
    }
};

TEST_F(LauncherFolder, LayoutHangsFromTheExecutablesFolder)
{
    const fs::path folder = scratch::fresh_folder(L"Les Vandrels \u2014 \u00e9dition \u2726 \u65e5\u672c");
    ASSERT_EQ(scratch::run(place_probe(folder)), 0);
    auto report = probe_report(folder);
    const std::string dir = to_utf8(folder.native());
    EXPECT_EQ(report["launcher_dir"], dir);
    EXPECT_EQ(report["settings_path"], dir + "\\settings.toml");
    EXPECT_EQ(report["assets_dir"], dir + "\\assets");
    EXPECT_EQ(report["find_disc_image"], "");
    EXPECT_EQ(report["logs_dir"], dir + "\\logs");
    EXPECT_EQ(report["title_dir"], dir + "\\launcher\\title");
    EXPECT_EQ(report["vkd3d_dir"], dir + "\\launcher\\vkd3d");
    EXPECT_FALSE(fs::exists(folder / L"logs")) << "looking up the layout must not create folders";
    EXPECT_FALSE(fs::exists(folder / L"settings.toml")) << "loading must not write";
}

TEST_F(LauncherFolder, DiscImageMustBeLargerThanOneMebibyte)
{
    const fs::path folder = scratch::fresh_folder(L"disc image");
    fs::create_directories(folder / L"game");
    const fs::path launcher = place_probe(folder / L"game");
    fs::create_directories(folder / L"assets");  // one level above the launcher
    constexpr LONGLONG mib = 1024 * 1024;
    ASSERT_TRUE(scratch::sized_file(folder / L"assets" / L"exactly.iso", mib));
    ASSERT_TRUE(scratch::sized_file(folder / L"assets" / L"game.iso.part", 4 * mib));
    ASSERT_TRUE(scratch::sized_file(folder / L"assets" / L"game.img", 4 * mib));
    fs::create_directories(folder / L"assets" / L"folder.iso");

    ASSERT_EQ(scratch::run(launcher), 0);
    EXPECT_EQ(probe_report(folder / L"game")["assets_dir"], to_utf8((folder / L"assets").native()));
    EXPECT_EQ(probe_report(folder / L"game")["find_disc_image"], "");

    ASSERT_TRUE(scratch::sized_file(folder / L"assets" / L"GAME.ISO", mib + 1));
    ASSERT_EQ(scratch::run(launcher), 0);
    EXPECT_EQ(probe_report(folder / L"game")["find_disc_image"], to_utf8((folder / L"assets" / L"GAME.ISO").native()));
}

TEST_F(LauncherFolder, OpenLogsCreatesTheFolderWithItsParents)
{
    const fs::path folder = scratch::fresh_folder(L"Les Vandrels \u2014 \u00e9dition \u2726 \u65e5\u672c");
    ASSERT_EQ(scratch::run(place_probe(folder), L"logs"), 0);
    EXPECT_TRUE(fs::is_directory(folder / L"logs"));
    // An existing folder is fine too.
    ASSERT_EQ(scratch::run(folder / L"VandrelsLauncher.exe", L"logs"), 0);
    EXPECT_TRUE(fs::is_directory(folder / L"logs"));
}

// Windows cannot start a program from such a folder unless long paths are enabled, and Wine
// cannot at all, so the folder is used in-process here the way launcher_dir hands it out.
TEST(DeepFolder, LayoutWorksBeyondTheClassicPathLimit)
{
    std::wstring plain = scratch::fresh_folder(L"deep").native();
    while (plain.size() < 300) plain += L"\\a-rather-long-folder-name-\u00e9";
    const std::wstring deep = extended_length_form(plain);
    ASSERT_EQ(deep.rfind(L"\\\\?\\", 0), 0u);
    ASSERT_TRUE(scratch::create_folders(deep)) << GetLastError();

    const fs::path settings = fs::path(deep) / L"settings.toml";
    ASSERT_TRUE(scratch::write_bytes(settings, "width = 1280\nkept = true\n"));
    Settings loaded = read_settings(settings);
    EXPECT_EQ(loaded.width, 1280);
    loaded.width = 1281;
    save_settings_file(loaded, settings);
    EXPECT_EQ(scratch::read_bytes(settings), print_settings(loaded, "width = 1280\nkept = true\n"));

    ASSERT_TRUE(scratch::create_folders(deep + L"\\assets"));
    ASSERT_TRUE(scratch::sized_file(fs::path(deep) / L"assets" / L"GAME.ISO", 2 * 1024 * 1024));
    const fs::path below = fs::path(deep) / L"launcher";
    ASSERT_TRUE(scratch::create_folders(below.native()));
    EXPECT_EQ(find_assets_dir(below), fs::path(deep) / L"assets");
    EXPECT_EQ(pick_disc_image(list_folder(find_assets_dir(below))), fs::path(deep) / L"assets" / L"GAME.ISO");
}

TEST(ToUtf8, GivesUtf8Bytes)
{
    EXPECT_EQ(to_utf8(L""), "");
    EXPECT_EQ(to_utf8(L"plain"), "plain");
    EXPECT_EQ(to_utf8(L"\u00e9dition"), "\xC3\xA9" "dition");
    EXPECT_EQ(to_utf8(L"\u2014"), "\xE2\x80\x94");
    EXPECT_EQ(to_utf8(L"\U0001F3AE"), "\xF0\x9F\x8E\xAE");
}

TEST(FindDiscImage, TakesTheFirstLargeIsoInListingOrder)
{
    const fs::path folder = scratch::fresh_folder(L"listing order");
    ASSERT_TRUE(scratch::sized_file(folder / L"b.iso", 3 * 1024 * 1024));
    ASSERT_TRUE(scratch::sized_file(folder / L"a.ISO", 3 * 1024 * 1024));
    const fs::path first = fs::directory_iterator(folder)->path();
    EXPECT_EQ(find_disc_image_in(folder), first);
    EXPECT_EQ(pick_disc_image(list_folder(folder)), first);
}

}  // namespace
