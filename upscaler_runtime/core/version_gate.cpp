#include "version_gate.hpp"

namespace vorx {
namespace {

struct KeyRange {
    std::uint32_t first;
    std::uint32_t last;
};

constexpr std::uint32_t kOptimalFrom = DriverVersionKey(MakeDriverVersion(31, 0, 101, 6553));
constexpr KeyRange kOptimalBranch{DriverVersionKey(MakeDriverVersion(31, 0, 101, 6257)),
                                  DriverVersionKey(MakeDriverVersion(31, 0, 101, 6287))};
constexpr KeyRange kSupportedOnlyBranch{DriverVersionKey(MakeDriverVersion(31, 0, 101, 6458)),
                                        DriverVersionKey(MakeDriverVersion(31, 0, 101, 6498))};

constexpr bool InRange(std::uint32_t key, KeyRange range) { return key >= range.first && key <= range.last; }

} // namespace

bool IsOptimalDriverVersion(std::uint64_t version)
{
    const std::uint32_t key = DriverVersionKey(version);
    return key >= kOptimalFrom || InRange(key, kOptimalBranch);
}

bool IsSupportedDriverVersion(std::uint64_t version)
{
    return IsOptimalDriverVersion(version) || InRange(DriverVersionKey(version), kSupportedOnlyBranch);
}

std::string DriverVersionText(std::uint64_t version)
{
    std::string text = "Driver version: ";
    for (int shift = 48; shift >= 0; shift -= 16) {
        text += std::to_string((version >> shift) & 0xFFFFu);
        if (shift > 0) text += '.';
    }
    return text;
}

} // namespace vorx
