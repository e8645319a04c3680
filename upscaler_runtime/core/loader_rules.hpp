// Decisions of the driver-extension search that need no system call: parsing
// the environment, composing candidate paths, reading PCI IDs out of device
// instance IDs, choosing a display device, and the debugger line format.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorx::loader {

inline constexpr std::wstring_view kExtensionLibraryName = L"kvgext64.dll";
// Candidate paths live in a MAX_PATH buffer (terminator included).
inline constexpr std::size_t kPathBufferChars = 260;
inline constexpr std::size_t kLoaderLogBufferBytes = 1024;

// Loader log levels (a higher debug level shows more).
inline constexpr std::int32_t kLogError = 1;
inline constexpr std::int32_t kLogInfo = 2;
inline constexpr std::int32_t kLogDebug = 3;

// Base-10 like wcstol: leading blanks and a sign allowed, parsing stops at the
// first non-digit, no digits gives 0; saturates at the 32-bit range.
std::int32_t ParseEnvInteger(std::wstring_view text);

// The stored device-index preference is the variable's value plus 1 so that 0
// keeps meaning "none"; the largest value saturates instead of wrapping.
std::int32_t StoredIndexPreference(std::int32_t variableValue);

// The alternative-path variable is used only when its length plus the file
// name stays within the buffer (a 249-character value never is).
bool AltPathLengthAccepted(std::size_t valueLength);

// folder + "\" (unless it already ends with one) + "kvgext64.dll", or nothing
// when that does not fit the path buffer with its terminator.
std::optional<std::wstring> LibraryPathInFolder(std::wstring_view folder);

// A file path with everything after its last backslash replaced by the
// library name; the bare library name when there is no backslash or the
// result does not fit.
std::wstring LibraryPathBeside(std::wstring_view filePath);

// The hexadecimal number right after `tag` ("VEN_", "DEV_") in a device
// instance ID such as "PCI\VEN_4B56&DEV_0470&SUBSYS_...", 0 if absent.
std::uint32_t HexAfter(std::wstring_view deviceId, std::wstring_view tag);

struct DeviceIds {
    std::uint32_t vendorId;
    std::uint32_t deviceId;
};

// With a preference (stored value above 0) the entry at position preference - 1,
// otherwise the first entry matching both IDs when both are non-zero.
std::optional<std::size_t> ChooseDisplayDevice(const std::vector<DeviceIds>& entries, std::int32_t storedPreference,
                                               std::uint32_t vendorId, std::uint32_t deviceId);

// "*" when the preference names this position of the device ID list.
const char* PreferenceMark(std::int32_t storedPreference, std::int32_t position);

// Does a loaded module's path mark it as part of this driver's store folder?
bool ModuleInDriverFolder(std::wstring_view modulePath, std::wstring_view driverFolder);

// Splits a list of `length` wide characters into its NUL-terminated strings,
// empty ones included: the device positions count every string.
std::vector<std::wstring_view> SplitMultiString(const wchar_t* list, std::size_t length);

// "[KRVA_D3D12][ERROR] " for 1, "[KRVA_D3D12][INFO] " for 2, "[KRVA_D3D12][DEBUG] " for 3, "" otherwise.
const char* LoaderLogPrefix(std::int32_t level);

// Prefix, printf-style text (%S takes a wide string) and "\n", cut to fit the
// 1024-byte debugger buffer with the line break and terminator kept.
std::string FormatLoaderLogLine(std::int32_t level, const char* format, std::va_list args);

} // namespace vorx::loader
