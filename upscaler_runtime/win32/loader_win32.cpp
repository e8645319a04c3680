#include "loader_win32.hpp"

#include <objbase.h>
#include <psapi.h>

#include <cstdarg>
#include <algorithm>
#include <new>
#include <optional>

#include "krva_abi.h"
#include "../core/extension_slots.hpp"
#include "../core/loader_rules.hpp"

namespace vorx::loader {
namespace {

// The display adapter setup class.
constexpr GUID kDisplayClassGuid = {0x4D36E968, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

constexpr ULONG kCmGetIdListFilterClass = 0x00000200; // CM_GETIDLIST_FILTER_CLASS
constexpr ULONG kCmLocateDevnodeNormal = 0x00000000;
constexpr DWORD kCrSuccess = 0x00000000;
constexpr DWORD kCrNoSuchDevnode = 0x0000000D;
constexpr DWORD kCrBufferSmall = 0x0000001A;

struct DevPropKey {
    GUID fmtid;
    ULONG pid;
};
// DEVPKEY_Device_DriverInfPath
constexpr DevPropKey kDriverInfPathKey = {
    {0xa8b865dd, 0x2e3d, 0x4094, {0xad, 0x97, 0xe5, 0x93, 0xa7, 0x0c, 0x75, 0xd6}}, 5};

std::optional<std::wstring> ReadEnvironment(const wchar_t* name)
{
    SetLastError(ERROR_SUCCESS);
    const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
    if (needed == 0) {
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
        return std::wstring(); // exists but empty
    }
    std::wstring value(needed, L'\0');
    const DWORD got = GetEnvironmentVariableW(name, value.data(), needed);
    value.resize(got < needed ? got : 0);
    return value;
}

bool FileAccessible(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void LogCannotAccess(const std::wstring& path)
{
    LoaderLog(kLogError,
              "Cannot load Korva Extensions library from: \"%S\"! Cannot access the path specified. Trying default "
              "method...",
              path.c_str());
}

HMODULE LoadCandidate(const std::wstring& path)
{
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, 0);
    if (module != nullptr) {
        LoaderLog(kLogInfo, "Korva Extensions library loaded: \"%S\"!", path.c_str());
        return module;
    }
    const DWORD error = GetLastError();
    LoaderLog(kLogError, "Cannot load Korva Extensions library from: \"%S\"!", path.c_str());
    if (error != 0) {
        char reason[1024] = {};
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reason, sizeof(reason) - 1, nullptr);
        LoaderLog(kLogError, "GetLastError reason: %s", reason);
    }
    return nullptr;
}

} // namespace

using PFN_PathRemoveFileSpecW = BOOL(WINAPI*)(LPWSTR);
using PFN_SetupGetInfDriverStoreLocationW = BOOL(WINAPI*)(PCWSTR, const void*, PCWSTR, PWSTR, DWORD, PDWORD);
using PFN_CM_Get_Device_ID_ListW = DWORD(WINAPI*)(PCWSTR, PWCHAR, ULONG, ULONG);
using PFN_CM_Get_Device_ID_List_SizeW = DWORD(WINAPI*)(PULONG, PCWSTR, ULONG);
using PFN_CM_Get_DevNode_PropertyW = DWORD(WINAPI*)(DWORD, const DevPropKey*, ULONG*, BYTE*, ULONG*, ULONG);
using PFN_CM_Locate_DevNodeW = DWORD(WINAPI*)(DWORD*, const WCHAR*, ULONG);
using PFN_CM_MapCrToWin32Err = DWORD(WINAPI*)(DWORD, DWORD);

struct DeviceEnumerationApi {
    HMODULE shlwapi = nullptr;
    HMODULE setupapi = nullptr;
    HMODULE cfgmgr32 = nullptr;
    PFN_PathRemoveFileSpecW pathRemoveFileSpec = nullptr;
    PFN_SetupGetInfDriverStoreLocationW getInfDriverStoreLocation = nullptr;
    PFN_CM_Get_Device_ID_ListW getDeviceIdList = nullptr;
    PFN_CM_Get_Device_ID_List_SizeW getDeviceIdListSize = nullptr;
    PFN_CM_Get_DevNode_PropertyW getDevNodeProperty = nullptr;
    PFN_CM_Locate_DevNodeW locateDevNode = nullptr;
    PFN_CM_MapCrToWin32Err mapCrToWin32Err = nullptr;

    bool Load()
    {
        shlwapi = LoadLibraryW(L"shlwapi.dll");
        setupapi = LoadLibraryW(L"setupapi.dll");
        cfgmgr32 = LoadLibraryW(L"cfgmgr32.dll");
        if (shlwapi == nullptr || setupapi == nullptr || cfgmgr32 == nullptr) return false;
        pathRemoveFileSpec = Resolve<PFN_PathRemoveFileSpecW>(shlwapi, "PathRemoveFileSpecW");
        getInfDriverStoreLocation =
            Resolve<PFN_SetupGetInfDriverStoreLocationW>(setupapi, "SetupGetInfDriverStoreLocationW");
        getDeviceIdList = Resolve<PFN_CM_Get_Device_ID_ListW>(cfgmgr32, "CM_Get_Device_ID_ListW");
        getDeviceIdListSize = Resolve<PFN_CM_Get_Device_ID_List_SizeW>(cfgmgr32, "CM_Get_Device_ID_List_SizeW");
        getDevNodeProperty = Resolve<PFN_CM_Get_DevNode_PropertyW>(cfgmgr32, "CM_Get_DevNode_PropertyW");
        locateDevNode = Resolve<PFN_CM_Locate_DevNodeW>(cfgmgr32, "CM_Locate_DevNodeW");
        mapCrToWin32Err = Resolve<PFN_CM_MapCrToWin32Err>(cfgmgr32, "CM_MapCrToWin32Err");
        return pathRemoveFileSpec && getInfDriverStoreLocation && getDeviceIdList && getDeviceIdListSize &&
               getDevNodeProperty && locateDevNode && mapCrToWin32Err;
    }

    void Release()
    {
        for (HMODULE* module : {&shlwapi, &setupapi, &cfgmgr32}) {
            if (*module != nullptr) FreeLibrary(*module);
            *module = nullptr;
        }
    }

private:
    template <typename Fn>
    static Fn Resolve(HMODULE module, const char* name)
    {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
};

LoaderState& GetLoaderState()
{
    static LoaderState state;
    return state;
}

void LoaderLog(std::int32_t level, const char* format, ...)
{
    if (level > GetLoaderState().debugLevel) return;
    std::va_list args;
    va_start(args, format);
    const std::string line = FormatLoaderLogLine(level, format, args);
    va_end(args);
    OutputDebugStringA(line.c_str());
}

void EnumerateDisplayDrivers(std::vector<DisplayDriverEntry>& list, const wchar_t* deviceIds, std::size_t length,
                             const DeviceEnumerationApi& api)
{
    const std::int32_t preference = GetLoaderState().indexPreference;
    LoaderLog(kLogDebug, "Enumerating device drivers...");
    std::int32_t position = -1;
    for (std::wstring_view id : SplitMultiString(deviceIds, length)) {
        ++position;
        if (id.empty()) continue;
        const std::wstring idString(id);
        const char* mark = PreferenceMark(preference, position);
        DWORD devnode = 0;
        const DWORD located = api.locateDevNode(&devnode, idString.c_str(), kCmLocateDevnodeNormal);
        if (located == kCrNoSuchDevnode) {
            LoaderLog(kLogDebug, "Device[%d%s] | DeviceIDString: %S | skipped [NO_DEVICE]", position, mark,
                      idString.c_str());
            continue;
        }
        if (located != kCrSuccess) {
            LoaderLog(kLogDebug, "Device[%d%s] | DeviceIDString: %S | skipped [OTHER: 0x%08x]", position, mark,
                      idString.c_str(), static_cast<unsigned>(located));
            continue;
        }
        DisplayDriverEntry entry;
        entry.devnode = devnode;
        // Device instance IDs are at most 200 characters with the terminator.
        entry.deviceIdString = idString.substr(0, 199);

        ULONG type = 0;
        ULONG size = 0;
        if (api.getDevNodeProperty(devnode, &kDriverInfPathKey, &type, nullptr, &size, 0) == kCrBufferSmall &&
            size > 0) {
            std::vector<BYTE> infName(size + sizeof(wchar_t), 0);
            if (api.getDevNodeProperty(devnode, &kDriverInfPathKey, &type, infName.data(), &size, 0) == kCrSuccess) {
                wchar_t folder[kPathBufferChars] = {};
                if (api.getInfDriverStoreLocation(reinterpret_cast<const wchar_t*>(infName.data()), nullptr, nullptr,
                                                  folder, static_cast<DWORD>(kPathBufferChars), nullptr)) {
                    folder[kPathBufferChars - 1] = L'\0';
                    api.pathRemoveFileSpec(folder);
                    entry.driverFolder = folder;
                }
            }
        }
        entry.vendorId = HexAfter(entry.deviceIdString, L"VEN_");
        entry.deviceId = HexAfter(entry.deviceIdString, L"DEV_");
        LoaderLog(kLogDebug, "Device[%d%s] | DeviceIDString: %S | VendorID[0x%04x] DeviceID[0x%04x] DriverPath[%S]",
                  position, mark, entry.deviceIdString.c_str(), entry.vendorId, entry.deviceId,
                  entry.driverFolder.c_str());
        list.push_back(std::move(entry));
    }
    LoaderLog(kLogDebug, "Enumerating device drivers finished!");
}

namespace {

// The driver folder of the display device the search settles on, or the
// folder of an already loaded module of the Korva driver.
std::optional<std::wstring> CandidateFromDisplayDevices(std::uint32_t vendorId, std::uint32_t deviceId)
{
    DeviceEnumerationApi api;
    if (!api.Load()) {
        api.Release();
        return std::nullopt;
    }
    wchar_t classGuid[64] = {};
    StringFromGUID2(kDisplayClassGuid, classGuid, 64);
    ULONG length = 0;
    if (api.getDeviceIdListSize(&length, classGuid, kCmGetIdListFilterClass) != kCrSuccess) {
        api.Release();
        return std::nullopt;
    }
    std::vector<wchar_t> ids(static_cast<std::size_t>(length) + 2, L'\0');
    if (api.getDeviceIdList(classGuid, ids.data(), length, kCmGetIdListFilterClass) != kCrSuccess) {
        api.Release();
        return std::nullopt;
    }
    std::vector<DisplayDriverEntry> devices;
    EnumerateDisplayDrivers(devices, ids.data(), length, api);

    const std::int32_t preference = GetLoaderState().indexPreference;
    std::vector<DeviceIds> pciIds;
    for (const DisplayDriverEntry& entry : devices) pciIds.push_back({entry.vendorId, entry.deviceId});
    const std::optional<std::size_t> chosen = ChooseDisplayDevice(pciIds, preference, vendorId, deviceId);
    if (chosen) {
        const DisplayDriverEntry& entry = devices[*chosen];
        api.Release();
        // A driver folder too long for a path is treated like no choice:
        // the loaded-module step may still find the library.
        if (std::optional<std::wstring> path = LibraryPathInFolder(entry.driverFolder)) {
            LoaderLog(kLogDebug,
                      "Loading Korva Extensions library using: Device[%d%s] | VendorID=0x%04x DeviceID=0x%04x | "
                      "Path: \"%S\"... ",
                      static_cast<int>(*chosen), preference > 0 ? "*" : "", entry.vendorId, entry.deviceId,
                      path->c_str());
            return path;
        }
    }
    api.Release();

    HANDLE process = GetCurrentProcess();
    std::vector<HMODULE> modules(1024);
    DWORD needed = 0;
    if (!K32EnumProcessModules(process, modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)),
                               &needed)) {
        return std::nullopt;
    }
    modules.resize(std::min<std::size_t>(modules.size(), needed / sizeof(HMODULE)));
    for (HMODULE module : modules) {
        wchar_t name[kPathBufferChars] = {};
        if (K32GetModuleFileNameExW(process, module, name, kPathBufferChars) == 0) continue;
        for (const DisplayDriverEntry& entry : devices) {
            if (entry.vendorId != KORVA_VENDOR_ID || !ModuleInDriverFolder(name, entry.driverFolder)) continue;
            std::wstring path = LibraryPathBeside(name);
            LoaderLog(kLogDebug, "Loading Korva Extensions library from the driver folder: \"%S\"... ", path.c_str());
            return path;
        }
    }
    return std::nullopt;
}

} // namespace

HMODULE LocateAndLoadExtensionLibrary(bool tryExeFolder, std::uint32_t vendorId, std::uint32_t deviceId)
{
    LoaderState& state = GetLoaderState();
    const std::optional<std::wstring> altPath = ReadEnvironment(L"KRVA_ALT_DRIVER_EXTENSIONS_PATH");
    if (std::optional<std::wstring> level = ReadEnvironment(L"KRVA_KVGEXT_DEBUG_LOG_LEVEL")) {
        state.debugLevel = ParseEnvInteger(*level);
    }
    if (std::optional<std::wstring> index = ReadEnvironment(L"KRVA_KVGEXT_DEVICE_INDEX_PREFERENCE")) {
        state.indexPreference = StoredIndexPreference(ParseEnvInteger(*index));
    }

    std::optional<std::wstring> candidate;
    if (altPath && AltPathLengthAccepted(altPath->size())) {
        if (std::optional<std::wstring> path = LibraryPathInFolder(*altPath)) {
            LoaderLog(kLogDebug, "Loading Korva Extensions library from env var: \"%S\"... ", path->c_str());
            if (FileAccessible(*path)) candidate = std::move(path);
            else LogCannotAccess(*path);
        }
    }

    if (!candidate && tryExeFolder) {
        std::vector<wchar_t> exe(32768, L'\0');
        const DWORD got = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (got == 0 || got >= exe.size()) return nullptr;
        std::wstring path = LibraryPathBeside(std::wstring_view(exe.data(), got));
        LoaderLog(kLogDebug, "Loading Korva Extensions library from the current folder: \"%S\"... ", path.c_str());
        if (FileAccessible(path)) candidate = std::move(path);
        else LogCannotAccess(path);
    }

    if (!candidate) candidate = CandidateFromDisplayDevices(vendorId, deviceId);
    if (!candidate) return nullptr;
    return LoadCandidate(*candidate);
}

HRESULT OpenDriverExtension(bool tryExeFolder, std::uint32_t vendorId, std::uint32_t deviceId)
{
    LoaderState& state = GetLoaderState();
    if (state.table == nullptr) {
        state.table = new (std::nothrow) void*[kExtensionTableSlots]();
        if (state.table == nullptr) return E_FAIL;
    }
    HMODULE module = LocateAndLoadExtensionLibrary(tryExeFolder, vendorId, deviceId);
    if (module == nullptr) return E_FAIL;
    if (state.table[0] == nullptr) state.table[0] = reinterpret_cast<void*>(module);
    if (state.loadCount++ > 0) return S_OK;

    HMODULE library = static_cast<HMODULE>(state.table[0]);
    for (std::size_t slot = kFirstEntrySlot; slot <= kLastEntrySlot; ++slot) {
        state.table[slot] = reinterpret_cast<void*>(GetProcAddress(library, kExtensionSlotNames[slot]));
    }
    for (const SlotFallback& fallback : kSlotFallbacks) {
        if (state.table[fallback.slot] == nullptr) {
            state.table[fallback.slot] = reinterpret_cast<void*>(GetProcAddress(library, fallback.name));
        }
    }
    return S_OK;
}

void* ExtensionEntry(std::size_t slot)
{
    void** table = GetLoaderState().table;
    return table != nullptr && slot < kExtensionTableSlots ? table[slot] : nullptr;
}

} // namespace vorx::loader
