// The asset-folder search and the disc-image pick on real temporary folder trees.
#include <gtest/gtest.h>

#include <fstream>

#include "gamefiles/paths.hpp"

namespace fs = std::filesystem;

namespace {

TEST(HasIsoExtension, MatchesOnlyAnIsoEnding)
{
    for (const char* name : {"game.iso", "GAME.ISO", "The Vandrels (USA).Iso", "dir.x/a.iSo", ".iso"})
        EXPECT_TRUE(has_iso_extension(name)) << name;
    for (const char* name : {"game.iso.part", "game.img", "game.isox", "gameiso", "game.is", "iso", "game.iso/", ""})
        EXPECT_FALSE(has_iso_extension(name)) << name;
}

TEST(ExtendedLengthForm, OnlyForFoldersTooDeepForTheLayout)
{
    const std::wstring fits = L"C:\\" + std::wstring(216, L'a');  // 219 + 40 < 260
    const std::wstring deep = L"C:\\" + std::wstring(217, L'a');
    const std::wstring share = L"\\\\server\\share\\" + std::wstring(220, L'b');
    EXPECT_EQ(extended_length_form(L"C:\\Games\\Vandrels"), L"C:\\Games\\Vandrels");
    EXPECT_EQ(extended_length_form(fits), fits);
    EXPECT_EQ(extended_length_form(deep), L"\\\\?\\" + deep);
    EXPECT_EQ(extended_length_form(share), L"\\\\?\\UNC\\server\\share\\" + std::wstring(220, L'b'));
    EXPECT_EQ(extended_length_form(L"\\\\?\\" + deep), L"\\\\?\\" + deep);
}

class FolderTree : public testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() /
               (std::string("paths_") + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }

    // root/l1/l2/.../l<depth>, created.
    fs::path nested(int depth)
    {
        fs::path p = root;
        for (int i = 1; i <= depth; ++i) p /= "l" + std::to_string(i);
        fs::create_directories(p);
        return p;
    }
    static void make_file(const fs::path& p, std::uintmax_t size)
    {
        std::ofstream(p, std::ios::binary).put('x');
        fs::resize_file(p, size);
    }

    fs::path root;
};

TEST_F(FolderTree, AssetsTwoLevelsUpIsFound)
{
    const fs::path launcher = nested(6);
    fs::create_directories(root / "l1" / "l2" / "l3" / "l4" / "assets");
    fs::create_directories(root / "l1" / "assets");  // farther away: not the one
    EXPECT_EQ(find_assets_dir(launcher), root / "l1" / "l2" / "l3" / "l4" / "assets");
}

TEST_F(FolderTree, SearchStopsAfterFiveFoldersAbove)
{
    const fs::path launcher = nested(6);
    fs::create_directories(root / "l1" / "assets");  // five above: still found
    EXPECT_EQ(find_assets_dir(launcher), root / "l1" / "assets");
    fs::remove_all(root / "l1" / "assets");
    fs::create_directories(root / "assets");  // six above: out of reach
    EXPECT_EQ(find_assets_dir(launcher), launcher / "assets");
}

TEST_F(FolderTree, PlainFileNamedAssetsIsSkipped)
{
    const fs::path launcher = nested(2);
    make_file(launcher / "assets", 10);
    fs::create_directories(root / "l1" / "assets");
    EXPECT_EQ(find_assets_dir(launcher), root / "l1" / "assets");
}

TEST_F(FolderTree, LinksAreFollowed)
{
    const fs::path launcher = nested(2);
    fs::create_directories(root / "elsewhere");
    make_file(root / "file", 10);
    std::error_code error;
    fs::create_directory_symlink(root / "file", launcher / "assets", error);  // link to a file: skipped
    // MinGW's library cannot make links; the native build covers this case.
    if (error) GTEST_SKIP() << "links cannot be made here: " << error.message();
    fs::create_directory_symlink(root / "elsewhere", root / "l1" / "assets");
    EXPECT_EQ(find_assets_dir(launcher), root / "l1" / "assets");
}

TEST_F(FolderTree, UnreadableCandidateCountsAsNoHit)
{
    const fs::path launcher = nested(1);
    make_file(launcher / "blocker", 10);
    fs::create_directories(root / "assets");
    // The search starts below a plain file, so looking there fails with "not a directory".
    EXPECT_EQ(find_assets_dir(launcher / "blocker" / "sub"), root / "assets");
}

TEST_F(FolderTree, FilesystemRootIsTheLastCandidate)
{
    EXPECT_EQ(find_assets_dir(root.root_path()), root.root_path() / "assets");
}

TEST_F(FolderTree, NoAssetsFallsBackBesideTheLauncher)
{
    const fs::path launcher = nested(3);
    EXPECT_EQ(find_assets_dir(launcher), launcher / "assets");
    EXPECT_FALSE(fs::exists(launcher / "assets"));
}

TEST_F(FolderTree, DiscImageMustBeALargerIsoFile)
{
    constexpr std::uintmax_t mib = 1024 * 1024;
    make_file(root / "exact.iso", mib);
    make_file(root / "game.iso.part", 5 * mib);
    make_file(root / "game.img", 5 * mib);
    fs::create_directories(root / "folder.iso");
    EXPECT_EQ(find_disc_image_in(root), fs::path());

    make_file(root / "GAME.ISO", mib + 1);
    EXPECT_EQ(find_disc_image_in(root), root / "GAME.ISO");
}

TEST_F(FolderTree, FirstImageInListingOrderWins)
{
    make_file(root / "a.iso", 3 * 1024 * 1024);
    make_file(root / "b.iso", 3 * 1024 * 1024);
    fs::path first_listed;
    for (const auto& entry : fs::directory_iterator(root)) {
        first_listed = entry.path();
        break;
    }
    EXPECT_EQ(find_disc_image_in(root), first_listed);
}

TEST_F(FolderTree, MissingFolderGivesNoImage)
{
    EXPECT_EQ(find_disc_image_in(root / "missing"), fs::path());
    make_file(root / "plain", 10);
    EXPECT_EQ(find_disc_image_in(root / "plain"), fs::path());
}

}  // namespace
