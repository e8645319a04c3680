// What the built VandrelsLauncher.exe carries: the program icon and its manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {
#pragma pack(push, 2)
struct IconGroupHeader {
    WORD reserved, type, count;
};
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bit_count;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

class LauncherResources : public testing::Test {
protected:
    void SetUp() override
    {
        // The build path is a Unix one; Wine maps it onto its Z: drive.
        module = LoadLibraryExW((L"Z:" + std::wstring(LAUNCHER_EXE)).c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_TRUE(module) << GetLastError();
    }
    void TearDown() override { FreeLibrary(module); }

    std::string resource(LPCWSTR name, LPCWSTR type)
    {
        const HRSRC found = FindResourceW(module, name, type);
        if (!found) return {};
        const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
        return std::string(data, SizeofResource(module, found));
    }
    HMODULE module = nullptr;
};

TEST_F(LauncherResources, IconGroupHasSevenSizesAt32Bits)
{
    const std::string group = resource(MAKEINTRESOURCEW(101), RT_GROUP_ICON);
    ASSERT_GE(group.size(), sizeof(IconGroupHeader));
    const auto* header = reinterpret_cast<const IconGroupHeader*>(group.data());
    ASSERT_EQ(header->count, 7);
    ASSERT_EQ(group.size(), sizeof(IconGroupHeader) + 7 * sizeof(IconGroupEntry));
    const auto* entries = reinterpret_cast<const IconGroupEntry*>(header + 1);
    std::set<int> sizes;
    for (int i = 0; i < 7; ++i) {
        sizes.insert(entries[i].width == 0 ? 256 : entries[i].width);
        EXPECT_EQ(entries[i].bit_count, 32);
        EXPECT_FALSE(resource(MAKEINTRESOURCEW(entries[i].id), RT_ICON).empty());
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 24, 32, 48, 64, 128, 256}));
}

TEST_F(LauncherResources, ManifestAsksForNoElevation)
{
    const std::string manifest = resource(MAKEINTRESOURCEW(1), RT_MANIFEST);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
}
}  // namespace
