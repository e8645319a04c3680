// The search for kvgext64.dll, step by step, as the debugger sees it. The
// display-device step runs against our stand-in cfgmgr32.dll and setupapi.dll
// (WINEDLLOVERRIDES), whose devices and driver store the tests describe.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "krva_abi.h"
#include "test_support.hpp"
#include "win32/loader_win32.hpp"

namespace {

using namespace upscaler_test;
using vorx::loader::LocateAndLoadExtensionLibrary;

bool HasLine(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool AnyLineContains(const std::vector<std::string>& lines, const std::string& part)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const auto& l : lines) all += l + "\n";
    return all;
}

class LoaderSearch : public testing::Test {
protected:
    // Stored loader values persist across searches, so each test states them.
    ScopedEnv level_{L"KRVA_KVGEXT_DEBUG_LOG_LEVEL", L"3"};
    ScopedEnv preference_{L"KRVA_KVGEXT_DEVICE_INDEX_PREFERENCE", L"-1"};
    ScopedEnv alt_{L"KRVA_ALT_DRIVER_EXTENSIONS_PATH", nullptr};
    ScopedEnv devices_{L"STANDIN_DISPLAY_DEVICES", nullptr};
    ScopedEnv store_{L"STANDIN_DRIVER_STORE", nullptr};
    ScopedEnv listFails_{L"STANDIN_CM_LIST_FAIL", nullptr};
    TempFolder temp_{L"loader"};
    DebugOutputCapture capture_;

    // The path of the module the search loaded ("" for none); the test gives the reference back.
    std::wstring Search(bool tryExeFolder, std::uint32_t vendorId = 0, std::uint32_t deviceId = 0)
    {
        HMODULE module = LocateAndLoadExtensionLibrary(tryExeFolder, vendorId, deviceId);
        if (module == nullptr) return L"";
        std::wstring path = ModulePath(module);
        FreeLibrary(module);
        return path;
    }

    std::wstring Library() const { return ExeFolder() + L"\\kvgext64.dll"; }
    std::wstring ExeCandidate() const { return ExeFolder() + L"\\kvgext64.dll"; }
};

TEST_F(LoaderSearch, EnvironmentFolderWithAndWithoutTrailingBackslash)
{
    const std::wstring folder = temp_.Make(L"alt");
    CopyInto(Library(), folder, L"kvgext64.dll");
    const std::string expected = Narrow(folder) + "\\kvgext64.dll";
    for (const std::wstring& value : {folder, folder + L"\\"}) {
        capture_.Clear();
        ScopedEnv alt(L"KRVA_ALT_DRIVER_EXTENSIONS_PATH", value.c_str());
        EXPECT_EQ(Narrow(Search(true)), expected);
        const auto lines = capture_.Lines();
        EXPECT_TRUE(HasLine(lines, "[KRVA_D3D12][DEBUG] Loading Korva Extensions library from env var: \"" + expected +
                                       "\"... "))
            << Joined(lines);
        EXPECT_TRUE(HasLine(lines, "[KRVA_D3D12][INFO] Korva Extensions library loaded: \"" + expected + "\"!"))
            << Joined(lines);
        EXPECT_FALSE(AnyLineContains(lines, "current folder")) << Joined(lines);
    }
}

TEST_F(LoaderSearch, InaccessibleEnvironmentFolderFallsThroughToTheExecutableFolder)
{
    const std::wstring missing = temp_.Path() + L"\\missing";
    ScopedEnv alt(L"KRVA_ALT_DRIVER_EXTENSIONS_PATH", missing.c_str());
    EXPECT_EQ(Search(true), ExeCandidate());
    const auto lines = capture_.Lines();
    EXPECT_TRUE(HasLine(lines, "[KRVA_D3D12][ERROR] Cannot load Korva Extensions library from: \"" + Narrow(missing) +
                                   "\\kvgext64.dll\"! Cannot access the path specified. Trying default method..."))
        << Joined(lines);
    EXPECT_TRUE(HasLine(lines, "[KRVA_D3D12][DEBUG] Loading Korva Extensions library from the current folder: \"" +
                                   Narrow(ExeCandidate()) + "\"... "))
        << Joined(lines);
}

TEST_F(LoaderSearch, OverlongEnvironmentValueIsIgnoredWithoutAMessage)
{
    const std::wstring value = L"C:\\" + std::wstring(246, L'a'); // 249 characters
    ASSERT_EQ(value.size(), 249u);
    ScopedEnv alt(L"KRVA_ALT_DRIVER_EXTENSIONS_PATH", value.c_str());
    EXPECT_EQ(Search(true), ExeCandidate());
    const auto lines = capture_.Lines();
    EXPECT_FALSE(AnyLineContains(lines, "env var")) << Joined(lines);
    EXPECT_FALSE(AnyLineContains(lines, "[ERROR]")) << Joined(lines);
}

TEST_F(LoaderSearch, ExecutableFolderIsTriedOnlyWhenAsked)
{
    EXPECT_EQ(Search(true), ExeCandidate());
    capture_.Clear();
    // No display device either: nothing is found, without an error line.
    EXPECT_EQ(Search(false, KORVA_VENDOR_ID, 0x0470), L"");
    const auto lines = capture_.Lines();
    EXPECT_FALSE(AnyLineContains(lines, "current folder")) << Joined(lines);
    EXPECT_FALSE(AnyLineContains(lines, "[ERROR]")) << Joined(lines);
    EXPECT_TRUE(HasLine(lines, "[KRVA_D3D12][DEBUG] Enumerating device drivers...")) << Joined(lines);
}

TEST_F(LoaderSearch, DebugLevelFiltersTheLines)
{
    const std::wstring missing = temp_.Path() + L"\\missing";
    ScopedEnv alt(L"KRVA_ALT_DRIVER_EXTENSIONS_PATH", missing.c_str());
    struct LevelCase {
        const wchar_t* level;
        std::vector<std::string> prefixes; // the kinds of line that must appear, and no others
    };
    const LevelCase cases[] = {
        {L"0", {}},
        {L"1", {"[KRVA_D3D12][ERROR] "}},
        {L"2", {"[KRVA_D3D12][ERROR] ", "[KRVA_D3D12][INFO] "}},
        {L"3", {"[KRVA_D3D12][ERROR] ", "[KRVA_D3D12][INFO] ", "[KRVA_D3D12][DEBUG] "}},
        {L"junk", {}},
    };
    for (const LevelCase& c : cases) {
        capture_.Clear();
        ScopedEnv level(L"KRVA_KVGEXT_DEBUG_LOG_LEVEL", c.level);
        ASSERT_EQ(Search(true), ExeCandidate());
        const auto lines = capture_.Lines();
        for (const std::string& line : lines) {
            EXPECT_TRUE(std::any_of(c.prefixes.begin(), c.prefixes.end(),
                                    [&](const std::string& p) { return line.rfind(p, 0) == 0; }))
                << Narrow(c.level) << ": " << line;
        }
        for (const std::string& prefix : c.prefixes) {
            EXPECT_TRUE(AnyLineContains(lines, prefix)) << Narrow(c.level) << " lacks " << prefix;
        }
    }
    // A variable that is gone keeps the level last read.
    {
        ScopedEnv level(L"KRVA_KVGEXT_DEBUG_LOG_LEVEL", L"1");
        Search(true);
    }
    ScopedEnv gone(L"KRVA_KVGEXT_DEBUG_LOG_LEVEL", nullptr);
    capture_.Clear();
    Search(true);
    const auto lines = capture_.Lines();
    ASSERT_FALSE(lines.empty());
    for (const std::string& line : lines) EXPECT_EQ(line.rfind("[KRVA_D3D12][ERROR] ", 0), 0u) << line;
}

// A machine with a vanished device, an NVIDIA adapter, a device that cannot be
// read and a Korva adapter, in that order; the two adapters have driver-store folders.
class DisplayDeviceStep : public LoaderSearch {
protected:
    void SetUp() override
    {
        store_path_ = temp_.Make(L"Windows\\System32\\DriverStore\\FileRepository");
        nvidia_ = temp_.Make(L"Windows\\System32\\DriverStore\\FileRepository\\oem1.inf_amd64");
        korva_ = temp_.Make(L"Windows\\System32\\DriverStore\\FileRepository\\oem7.inf_amd64");
        CopyInto(Library(), nvidia_, L"kvgext64.dll");
        CopyInto(Library(), korva_, L"kvgext64.dll");
        SetEnvironmentVariableW(L"STANDIN_DRIVER_STORE", store_path_.c_str());
        SetEnvironmentVariableW(L"STANDIN_DISPLAY_DEVICES",
                                L"PCI\\VEN_1234&DEV_0001\\gone,missing,;"
                                L"PCI\\VEN_10DE&DEV_06CD&SUBSYS_00000000\\3&1,ok,oem1.inf;"
                                L"PCI\\VEN_5555&DEV_0002\\broken,fail,;"
                                L"PCI\\VEN_4B56&DEV_0470&SUBSYS_00000000\\3&2,ok,oem7.inf");
    }

    std::wstring store_path_, nvidia_, korva_;
};

TEST_F(DisplayDeviceStep, VendorAndDeviceMatchLoadsFromTheDriverFolder)
{
    EXPECT_EQ(Search(false, KORVA_VENDOR_ID, 0x0470), korva_ + L"\\kvgext64.dll");
    const std::vector<std::string> expected = {
        "[KRVA_D3D12][DEBUG] Enumerating device drivers...",
        "[KRVA_D3D12][DEBUG] Device[0] | DeviceIDString: PCI\\VEN_1234&DEV_0001\\gone | skipped [NO_DEVICE]",
        "[KRVA_D3D12][DEBUG] Device[1] | DeviceIDString: PCI\\VEN_10DE&DEV_06CD&SUBSYS_00000000\\3&1 | "
        "VendorID[0x10de] DeviceID[0x06cd] DriverPath[" + Narrow(nvidia_) + "]",
        "[KRVA_D3D12][DEBUG] Device[2] | DeviceIDString: PCI\\VEN_5555&DEV_0002\\broken | skipped [OTHER: 0x00000013]",
        "[KRVA_D3D12][DEBUG] Device[3] | DeviceIDString: PCI\\VEN_4B56&DEV_0470&SUBSYS_00000000\\3&2 | "
        "VendorID[0x4b56] DeviceID[0x0470] DriverPath[" + Narrow(korva_) + "]",
        "[KRVA_D3D12][DEBUG] Enumerating device drivers finished!",
        "[KRVA_D3D12][DEBUG] Loading Korva Extensions library using: Device[1] | VendorID=0x4b56 DeviceID=0x0470 | "
        "Path: \"" + Narrow(korva_) + "\\kvgext64.dll\"... ",
        "[KRVA_D3D12][INFO] Korva Extensions library loaded: \"" + Narrow(korva_) + "\\kvgext64.dll\"!",
    };
    EXPECT_EQ(capture_.Lines(), expected);
}

TEST_F(DisplayDeviceStep, NoMatchingDeviceLeavesTheStepWithoutChoice)
{
    EXPECT_EQ(Search(false, KORVA_VENDOR_ID, 0x9999), L"");
    EXPECT_EQ(Search(false, 0, 0x0470), L"");
    EXPECT_EQ(Search(false, KORVA_VENDOR_ID, 0), L"");
    EXPECT_FALSE(AnyLineContains(capture_.Lines(), "Loading Korva Extensions library using"));
}

TEST_F(DisplayDeviceStep, IndexPreferenceChoosesByListPosition)
{
    struct PreferenceCase {
        const wchar_t* value;
        std::wstring folder;       // "" when nothing is chosen
        const char* markedDevice; // the enumeration line carrying "*", if any
        const char* chosenLine;   // start of the "using:" line
    };
    const PreferenceCase cases[] = {
        // "abc" parses as 0: list position 0 is the NVIDIA adapter, while the mark sits on
        // the vanished device, which is position 0 of the ID list.
        {L"abc", nvidia_, "Device[0*] | DeviceIDString: PCI\\VEN_1234", "Loading Korva Extensions library using: Device[0*]"},
        {L"1", korva_, "Device[1*] | DeviceIDString: PCI\\VEN_10DE", "Loading Korva Extensions library using: Device[1*]"},
        {L"-1", korva_, nullptr, "Loading Korva Extensions library using: Device[1] "},
        {L"2", L"", "Device[2*] | DeviceIDString: PCI\\VEN_5555", nullptr},
        {L"7", L"", nullptr, nullptr},
    };
    for (const PreferenceCase& c : cases) {
        capture_.Clear();
        ScopedEnv preference(L"KRVA_KVGEXT_DEVICE_INDEX_PREFERENCE", c.value);
        EXPECT_EQ(Search(false, KORVA_VENDOR_ID, 0x0470), c.folder.empty() ? L"" : c.folder + L"\\kvgext64.dll")
            << Narrow(c.value);
        const auto lines = capture_.Lines();
        if (c.markedDevice) {
            EXPECT_TRUE(AnyLineContains(lines, c.markedDevice)) << Narrow(c.value) << "\n" << Joined(lines);
        }
        const auto marks = std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
            return l.find("Device[") != std::string::npos && l.find("*]") != std::string::npos &&
                   l.find("using") == std::string::npos;
        });
        EXPECT_EQ(marks, c.markedDevice ? 1 : 0) << Narrow(c.value) << "\n" << Joined(lines);
        if (c.chosenLine) {
            EXPECT_TRUE(AnyLineContains(lines, c.chosenLine)) << Narrow(c.value) << "\n" << Joined(lines);
        } else {
            EXPECT_FALSE(AnyLineContains(lines, "using: Device")) << Narrow(c.value);
        }
    }
}

TEST_F(DisplayDeviceStep, FailedLoadIsReportedWithTheSystemReason)
{
    DeleteFileW((korva_ + L"\\kvgext64.dll").c_str());
    EXPECT_EQ(Search(false, KORVA_VENDOR_ID, 0x0470), L"");
    const auto lines = capture_.Lines();
    EXPECT_TRUE(HasLine(lines, "[KRVA_D3D12][ERROR] Cannot load Korva Extensions library from: \"" + Narrow(korva_) +
                                   "\\kvgext64.dll\"!"))
        << Joined(lines);
    const auto reason = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.rfind("[KRVA_D3D12][ERROR] GetLastError reason: ", 0) == 0;
    });
    ASSERT_NE(reason, lines.end()) << Joined(lines);
    EXPECT_GT(reason->size(), std::string("[KRVA_D3D12][ERROR] GetLastError reason: ").size());
}

TEST_F(DisplayDeviceStep, FailingDeviceListEndsTheSearch)
{
    ScopedEnv fails(L"STANDIN_CM_LIST_FAIL", L"1");
    EXPECT_EQ(Search(false, KORVA_VENDOR_ID, 0x0470), L"");
    EXPECT_FALSE(AnyLineContains(capture_.Lines(), "Enumerating device drivers"));
}

TEST_F(DisplayDeviceStep, LoadedDriverModuleFromTheDriverStoreLeadsToTheLibrary)
{
    // The Korva driver's own module is loaded already; nothing is chosen by ID.
    CopyInto(Library(), korva_, L"korvaumd64.dll");
    HMODULE driver = LoadLibraryW((korva_ + L"\\korvaumd64.dll").c_str());
    ASSERT_NE(driver, nullptr);
    EXPECT_EQ(Search(false, 0, 0), korva_ + L"\\kvgext64.dll");
    EXPECT_TRUE(HasLine(capture_.Lines(), "[KRVA_D3D12][DEBUG] Loading Korva Extensions library from the driver folder: \"" +
                                             Narrow(korva_) + "\\kvgext64.dll\"... "))
        << Joined(capture_.Lines());
    FreeLibrary(driver);
}

TEST_F(DisplayDeviceStep, ModuleOutsideTheDriverStoreDoesNotCount)
{
    const std::wstring elsewhere = temp_.Make(L"Games\\oem7.inf_amd64");
    SetEnvironmentVariableW(L"STANDIN_DRIVER_STORE", (temp_.Path() + L"\\Games").c_str());
    CopyInto(Library(), elsewhere, L"korvaumd64.dll");
    CopyInto(Library(), elsewhere, L"kvgext64.dll");
    HMODULE driver = LoadLibraryW((elsewhere + L"\\korvaumd64.dll").c_str());
    ASSERT_NE(driver, nullptr);
    EXPECT_EQ(Search(false, 0, 0), L"");
    FreeLibrary(driver);
}

TEST_F(DisplayDeviceStep, KorvaDeviceWithoutDriverFolderTakesAnyDriverStoreModule)
{
    SetEnvironmentVariableW(L"STANDIN_DISPLAY_DEVICES", L"PCI\\VEN_4B56&DEV_0470\\3&2,ok,");
    const std::wstring other = temp_.Make(L"Windows\\System32\\DriverStore\\FileRepository\\other.inf_amd64");
    CopyInto(Library(), other, L"someumd64.dll");
    CopyInto(Library(), other, L"kvgext64.dll");
    HMODULE module = LoadLibraryW((other + L"\\someumd64.dll").c_str());
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(Search(false, 0, 0), other + L"\\kvgext64.dll");
    EXPECT_TRUE(AnyLineContains(capture_.Lines(), "VendorID[0x4b56] DeviceID[0x0470] DriverPath[]"));
    FreeLibrary(module);
}

} // namespace
