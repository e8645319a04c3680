#include "version_gate_win32.hpp"

#include <vector>

#include "../core/version_gate.hpp"
#include "context_win32.hpp"

namespace vorx {
namespace {

bool ReadQword(HKEY key, const char* subkey, const char* value, std::uint64_t& out)
{
    DWORD size = sizeof(out);
    return RegGetValueA(key, subkey, value, RRF_RT_QWORD, nullptr, &out, &size) == ERROR_SUCCESS;
}

std::uint64_t ReadAndReport(LUID adapterLuid)
{
    const std::uint64_t version = ReadAdapterDriverVersion(adapterLuid);
    LogMessage(nullptr, DriverVersionText(version).c_str(), VORX_LOGGING_LEVEL_DEBUG);
    return version;
}

} // namespace

std::uint64_t ReadAdapterDriverVersion(LUID adapterLuid)
{
    HKEY directx = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX", 0, KEY_READ, &directx) != ERROR_SUCCESS) {
        return 0;
    }
    DWORD subkeys = 0;
    DWORD longestName = 0;
    if (RegQueryInfoKeyA(directx, nullptr, nullptr, nullptr, &subkeys, &longestName, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        RegCloseKey(directx);
        return 0;
    }
    std::uint64_t version = 0;
    std::vector<char> name(static_cast<std::size_t>(longestName) + 1);
    for (DWORD index = 0; index < subkeys; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        if (RegEnumKeyExA(directx, index, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            continue;
        }
        std::uint64_t luid = 0;
        if (!ReadQword(directx, name.data(), "AdapterLuid", luid)) continue;
        if (static_cast<DWORD>(luid & 0xFFFFFFFFu) != adapterLuid.LowPart ||
            static_cast<LONG>(luid >> 32) != adapterLuid.HighPart) {
            continue;
        }
        std::uint64_t found = 0;
        if (ReadQword(directx, name.data(), "DriverVersion", found)) {
            version = found;
            break;
        }
    }
    RegCloseKey(directx);
    return version;
}

bool IsDriverSupported(LUID adapterLuid) { return IsSupportedDriverVersion(ReadAndReport(adapterLuid)); }

bool IsDriverOptimal(LUID adapterLuid) { return IsOptimalDriverVersion(ReadAndReport(adapterLuid)); }

} // namespace vorx
