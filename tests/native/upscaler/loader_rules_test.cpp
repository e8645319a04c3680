#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "loader_rules.hpp"

namespace {

using namespace vorx::loader;

TEST(LoaderEnvironment, ParsesLikeBaseTenWcstol)
{
    const std::pair<const wchar_t*, std::int32_t> cases[] = {
        {L"3", 3},   {L"  12", 12}, {L"-1", -1},  {L"+7", 7},       {L"abc", 0},
        {L"", 0},    {L"2x", 2},    {L"0x10", 0}, {L"99999999999", INT32_MAX}, {L"-99999999999", INT32_MIN},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseEnvInteger(text), value) << std::wstring(text).size();
}

TEST(LoaderEnvironment, IndexPreferenceIsStoredPlusOne)
{
    EXPECT_EQ(StoredIndexPreference(ParseEnvInteger(L"abc")), 1); // position 0
    EXPECT_EQ(StoredIndexPreference(ParseEnvInteger(L"-1")), 0);  // none
    EXPECT_EQ(StoredIndexPreference(2), 3);
    EXPECT_EQ(StoredIndexPreference(INT32_MAX), INT32_MAX); // saturates instead of wrapping
}

TEST(LoaderPaths, AlternativePathLengthLimit)
{
    EXPECT_TRUE(AltPathLengthAccepted(200));
    EXPECT_TRUE(AltPathLengthAccepted(248));
    EXPECT_FALSE(AltPathLengthAccepted(249));
    EXPECT_FALSE(AltPathLengthAccepted(1000));
}

TEST(LoaderPaths, LibraryInFolderAddsOneBackslash)
{
    EXPECT_EQ(LibraryPathInFolder(L"C:\\drv").value(), L"C:\\drv\\kvgext64.dll");
    EXPECT_EQ(LibraryPathInFolder(L"C:\\drv\\").value(), L"C:\\drv\\kvgext64.dll");
    EXPECT_EQ(LibraryPathInFolder(L"").value(), L"\\kvgext64.dll");
}

TEST(LoaderPaths, LibraryInFolderMustFitThePathBuffer)
{
    // 246 + "\" + 12 + terminator = 260 fits; one more does not.
    EXPECT_TRUE(LibraryPathInFolder(std::wstring(246, L'a')).has_value());
    EXPECT_FALSE(LibraryPathInFolder(std::wstring(247, L'a')).has_value());
    EXPECT_TRUE(LibraryPathInFolder(std::wstring(246, L'a') + L"\\").has_value());
    EXPECT_FALSE(LibraryPathInFolder(std::wstring(248, L'a')).has_value());
}

TEST(LoaderPaths, LibraryBesideReplacesTheFileName)
{
    EXPECT_EQ(LibraryPathBeside(L"C:\\Games\\Vandrels\\Vandrels.exe"), L"C:\\Games\\Vandrels\\kvgext64.dll");
    EXPECT_EQ(LibraryPathBeside(L"Vandrels.exe"), L"kvgext64.dll");
    EXPECT_EQ(LibraryPathBeside(std::wstring(250, L'a') + L"\\x.exe"), L"kvgext64.dll");
    const std::wstring fits = std::wstring(246, L'a') + L"\\x.exe";
    EXPECT_EQ(LibraryPathBeside(fits), std::wstring(246, L'a') + L"\\kvgext64.dll");
}

TEST(LoaderDevices, ReadsPciIdsFromDeviceInstanceIds)
{
    const std::wstring id = L"PCI\\VEN_4B56&DEV_0470&SUBSYS_00000000&REV_A1\\3&2411E6FE&0&10";
    EXPECT_EQ(HexAfter(id, L"VEN_"), 0x4B56u);
    EXPECT_EQ(HexAfter(id, L"DEV_"), 0x0470u);
    EXPECT_EQ(HexAfter(L"PCI\\VEN_10de&DEV_06cd", L"VEN_"), 0x10DEu);
    EXPECT_EQ(HexAfter(L"ROOT\\BasicDisplay\\0000", L"VEN_"), 0u);
    EXPECT_EQ(HexAfter(L"PCI\\VEN_&DEV_1", L"VEN_"), 0u);
}

TEST(LoaderDevices, ChoosesByPreferenceOrByIds)
{
    const std::vector<DeviceIds> list = {{0x10DE, 0x06CD}, {0x4B56, 0x0470}, {0x4B56, 0x0471}};
    // No preference: the first entry matching both IDs.
    EXPECT_EQ(ChooseDisplayDevice(list, 0, 0x4B56, 0x0471), std::optional<std::size_t>(2));
    EXPECT_EQ(ChooseDisplayDevice(list, 0, 0x4B56, 0x9999), std::nullopt);
    // Either ID zero: nothing is chosen.
    EXPECT_EQ(ChooseDisplayDevice(list, 0, 0, 0x0470), std::nullopt);
    EXPECT_EQ(ChooseDisplayDevice(list, 0, 0x4B56, 0), std::nullopt);
    // A preference wins over the IDs; past the end chooses nothing.
    EXPECT_EQ(ChooseDisplayDevice(list, 1, 0x4B56, 0x0471), std::optional<std::size_t>(0));
    EXPECT_EQ(ChooseDisplayDevice(list, 3, 0, 0), std::optional<std::size_t>(2));
    EXPECT_EQ(ChooseDisplayDevice(list, 4, 0x4B56, 0x0470), std::nullopt);
    EXPECT_EQ(ChooseDisplayDevice(list, -3, 0x4B56, 0x0470), std::optional<std::size_t>(1));
}

TEST(LoaderDevices, MarkFollowsThePreferredPosition)
{
    EXPECT_STREQ(PreferenceMark(0, 0), "");
    EXPECT_STREQ(PreferenceMark(1, 0), "*");
    EXPECT_STREQ(PreferenceMark(1, 1), "");
    EXPECT_STREQ(PreferenceMark(3, 2), "*");
}

TEST(LoaderDevices, SplitsMultiStringsKeepingEmptyPositions)
{
    const wchar_t list[] = L"A\0\0BC\0";
    // "A", "", "BC" and nothing after the final terminator.
    const auto parts = SplitMultiString(list, 6);
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0], L"A");
    EXPECT_EQ(parts[1], L"");
    EXPECT_EQ(parts[2], L"BC");
    EXPECT_TRUE(SplitMultiString(nullptr, 4).empty());
    const wchar_t doubleEnd[] = L"X\0";
    const auto withEnd = SplitMultiString(doubleEnd, 3);
    ASSERT_EQ(withEnd.size(), 2u);
    EXPECT_EQ(withEnd[1], L"");
}

TEST(LoaderDevices, ModuleMustBeInTheDriverStore)
{
    const std::wstring folder = L"C:\\Windows\\System32\\DriverStore\\FileRepository\\korva.inf_amd64_1";
    EXPECT_TRUE(ModuleInDriverFolder(folder + L"\\korvaumd64.dll", folder));
    EXPECT_FALSE(ModuleInDriverFolder(L"C:\\Other\\korvaumd64.dll", folder));
    EXPECT_FALSE(ModuleInDriverFolder(L"C:\\korva.inf_amd64_1\\x.dll", L"korva.inf_amd64_1"));
    // An empty folder is in every path; only the driver-store part decides then.
    EXPECT_TRUE(ModuleInDriverFolder(L"D:\\DriverStore\\FileRepository\\x\\y.dll", L""));
}

std::string Format(std::int32_t level, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string line = FormatLoaderLogLine(level, format, args);
    va_end(args);
    return line;
}

TEST(LoaderLogLine, PrefixesByLevel)
{
    EXPECT_EQ(Format(1, "x %d", 5), "[KRVA_D3D12][ERROR] x 5\n");
    EXPECT_EQ(Format(2, "y"), "[KRVA_D3D12][INFO] y\n");
    EXPECT_EQ(Format(3, "Path: \"%S\"", L"C:\\a"), "[KRVA_D3D12][DEBUG] Path: \"C:\\a\"\n");
    EXPECT_EQ(Format(7, "z"), "z\n");
}

TEST(LoaderLogLine, LongTextIsCutToTheBuffer)
{
    const std::string longText(5000, 'q');
    const std::string line = Format(3, "%s", longText.c_str());
    EXPECT_EQ(line.size(), 1023u); // room for the terminator
    EXPECT_EQ(line.back(), '\n');
    EXPECT_EQ(line.rfind("[KRVA_D3D12][DEBUG] qqq", 0), 0u);
}

} // namespace
