// The replacing write on a real folder, with failures injected into single steps.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "settings/file_replace.hpp"

namespace fs = std::filesystem;

namespace {

// What each step does in this test; reset by the fixture.
struct Faults {
    bool fail_replacement_write = false;  // the disk fills up half way through the new file
    bool refuse_replace = false;          // another process holds the target
    bool fail_in_place_write = false;
} faults;

bool write_whole(const fs::path& path, std::string_view bytes)
{
    const bool is_replacement = path.extension() == ".new";
    const bool fail = is_replacement ? faults.fail_replacement_write : faults.fail_in_place_write;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(fail ? bytes.size() / 2 : bytes.size()));
    out.flush();
    return !fail && out.good();
}

bool replace(const fs::path& from, const fs::path& to)
{
    if (faults.refuse_replace) return false;
    std::error_code error;
    fs::rename(from, to, error);
    return !error;
}

void remove(const fs::path& path)
{
    std::error_code ignored;
    fs::remove(path, ignored);
}

constexpr FileReplaceOps ops = {write_whole, replace, remove};

std::string contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class WriteFileReplacing : public testing::Test {
protected:
    void SetUp() override
    {
        faults = {};
        folder = fs::temp_directory_path() / ("file_replace_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                              "_" + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        target = folder / "settings.toml";
        std::ofstream(target, std::ios::binary) << old_text;
    }
    void TearDown() override { fs::remove_all(folder); }

    bool only_target_left() const
    {
        return std::distance(fs::directory_iterator(folder), fs::directory_iterator()) == 1 && fs::exists(target);
    }

    const std::string old_text = "width = 1280\r\n";
    const std::string new_text = std::string(4000, 'x') + "\r\n";
    fs::path folder, target;
};

TEST_F(WriteFileReplacing, PutsTheNewFileInPlace)
{
    EXPECT_TRUE(write_file_replacing(target, new_text, ops));
    EXPECT_EQ(contents(target), new_text);
    EXPECT_TRUE(only_target_left());
}

TEST_F(WriteFileReplacing, CreatesAMissingFile)
{
    fs::remove(target);
    EXPECT_TRUE(write_file_replacing(target, new_text, ops));
    EXPECT_EQ(contents(target), new_text);
}

TEST_F(WriteFileReplacing, FailedWriteLeavesTheOldFileIntact)
{
    faults.fail_replacement_write = true;
    EXPECT_FALSE(write_file_replacing(target, new_text, ops));
    EXPECT_EQ(contents(target), old_text);
    EXPECT_TRUE(only_target_left());
}

TEST_F(WriteFileReplacing, RefusedReplaceRewritesInPlace)
{
    faults.refuse_replace = true;
    EXPECT_TRUE(write_file_replacing(target, new_text, ops));
    EXPECT_EQ(contents(target), new_text);
    EXPECT_TRUE(only_target_left());
}

TEST_F(WriteFileReplacing, ReportsWhenNothingCouldBeWritten)
{
    faults.refuse_replace = true;
    faults.fail_in_place_write = true;
    EXPECT_FALSE(write_file_replacing(target, new_text, ops));
    EXPECT_FALSE(fs::exists(replacement_path(target)));
}

}  // namespace
