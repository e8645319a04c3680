#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "gamefiles/vulkan_layer.hpp"

namespace fs = std::filesystem;

namespace {
class VulkanLayerFiles : public testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() /
               (std::string("vandrels-vkd3d-") + testing::UnitTest::GetInstance()->current_test_info()->name());
        layer = root / "launcher" / "vkd3d";
        game = root;
        fs::remove_all(root);
        fs::create_directories(layer);
        fs::create_directories(game);
    }
    void TearDown() override { fs::remove_all(root); }

    static void write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    static std::string read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path root;
    fs::path layer;
    fs::path game;
};

TEST_F(VulkanLayerFiles, PresentOnlyWithBothFiles)
{
    EXPECT_FALSE(vkd3d_files_present(layer));
    write(layer / "d3d12core.dll", "core");
    EXPECT_FALSE(vkd3d_files_present(layer));
    fs::create_directory(layer / "d3d12.dll");  // a folder of that name is no layer file
    EXPECT_FALSE(vkd3d_files_present(layer));
    fs::remove(layer / "d3d12.dll");
    write(layer / "d3d12.dll", "d3d12");
    EXPECT_TRUE(vkd3d_files_present(layer));
    EXPECT_FALSE(vkd3d_files_present(root / "missing"));
}

TEST_F(VulkanLayerFiles, CopiesReplaceFilesBesideTheGame)
{
    write(layer / "d3d12.dll", "new d3d12");
    write(layer / "d3d12core.dll", "new core");
    write(game / "d3d12.dll", "old");
    ASSERT_TRUE(copy_vkd3d_files(layer, game));
    EXPECT_EQ(read(game / "d3d12.dll"), "new d3d12");
    EXPECT_EQ(read(game / "d3d12core.dll"), "new core");
}

TEST_F(VulkanLayerFiles, ReplacingCopyOverALongerFileLeavesOnlyTheNewBytes)
{
    write(layer / "d3d12.dll", "short");
    write(game / "d3d12.dll", "a much longer previous file");
    ASSERT_TRUE(copy_file_replacing(layer / "d3d12.dll", game / "d3d12.dll"));
    EXPECT_EQ(read(game / "d3d12.dll"), "short");
    EXPECT_FALSE(copy_file_replacing(layer / "missing.dll", game / "d3d12.dll"));
    EXPECT_EQ(read(game / "d3d12.dll"), "short") << "a missing source must not empty the target";
}

TEST_F(VulkanLayerFiles, CopyFailsWhenAFileIsMissing)
{
    write(layer / "d3d12.dll", "d3d12");
    EXPECT_FALSE(copy_vkd3d_files(layer, game));
}

TEST_F(VulkanLayerFiles, CleanUpRemovesOnlySameSizeCopies)
{
    write(layer / "d3d12.dll", "12345");
    write(layer / "d3d12core.dll", "core!");
    write(game / "d3d12.dll", "player's own, longer");  // another size: not ours
    write(game / "d3d12core.dll", "abcde");              // same size: our copy
    remove_vkd3d_copies(layer, game);
    EXPECT_TRUE(fs::exists(game / "d3d12.dll"));
    EXPECT_FALSE(fs::exists(game / "d3d12core.dll"));
    EXPECT_TRUE(vkd3d_files_present(layer));
}

TEST_F(VulkanLayerFiles, CleanUpWithoutInstalledLayerKeepsEverything)
{
    write(game / "d3d12.dll", "12345");
    remove_vkd3d_copies(layer, game);
    EXPECT_TRUE(fs::exists(game / "d3d12.dll"));
}
}  // namespace
