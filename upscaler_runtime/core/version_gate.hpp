// Which Korva driver versions the runtime works with, decided from the version
// number alone; reading the number from the registry is version_gate_win32.cpp.
#pragma once

#include <cstdint>
#include <string>

namespace vorx {

// Four 16-bit fields, most significant first (31.0.101.6553). 0 means "not found".
constexpr std::uint64_t MakeDriverVersion(std::uint16_t f1, std::uint16_t f2, std::uint16_t f3, std::uint16_t f4)
{
    return (std::uint64_t{f1} << 48) | (std::uint64_t{f2} << 32) | (std::uint64_t{f3} << 16) | std::uint64_t{f4};
}

// The driver branches share fields 3 and 4 across product lines, so only they
// are compared: field 3 * 65536 + field 4.
constexpr std::uint32_t DriverVersionKey(std::uint64_t version)
{
    return static_cast<std::uint32_t>(version & 0xFFFFFFFFu);
}

bool IsOptimalDriverVersion(std::uint64_t version);
bool IsSupportedDriverVersion(std::uint64_t version);

// "Driver version: 31.0.101.6553"
std::string DriverVersionText(std::uint64_t version);

} // namespace vorx
