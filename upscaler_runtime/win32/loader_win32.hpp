// Finding, loading and resolving the driver's extensions library kvgext64.dll.
// One process-wide table; context creation is the only caller and must not
// run on two threads at once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vorx::loader {

struct LoaderState {
    // Slot 0: the first module loaded; slots 1 to 121: entry points. Null until
    // the first successful open; never freed, as the driver library stays loaded.
    void** table = nullptr;
    std::uint64_t loadCount = 0;
    std::int32_t debugLevel = 0;
    // Variable value plus 1; 0 means no preference.
    std::int32_t indexPreference = 0;
};

LoaderState& GetLoaderState();

// S_OK when a kvgext64.dll was loaded (and, the first time, resolved).
HRESULT OpenDriverExtension(bool tryExeFolder, std::uint32_t vendorId, std::uint32_t deviceId);

// A fresh load of the first candidate the search settles on, or null.
HMODULE LocateAndLoadExtensionLibrary(bool tryExeFolder, std::uint32_t vendorId, std::uint32_t deviceId);

struct DisplayDriverEntry {
    std::wstring driverFolder; // empty when the driver store had none
    std::wstring deviceIdString;
    DWORD devnode = 0;
    std::uint32_t deviceId = 0;
    std::uint32_t vendorId = 0;
};

// The configuration-manager, setup and shell-path functions of one search.
struct DeviceEnumerationApi;

void EnumerateDisplayDrivers(std::vector<DisplayDriverEntry>& list, const wchar_t* deviceIds, std::size_t length,
                             const DeviceEnumerationApi& api);

// printf-style line to the debugger when level is within the debug level
// (1 error, 2 info, 3 debug).
void LoaderLog(std::int32_t level, const char* format, ...);

// The entry point in `slot`, or null without a table or without that export.
void* ExtensionEntry(std::size_t slot);

} // namespace vorx::loader
