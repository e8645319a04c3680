#include "scale_factors.hpp"

#include <array>

namespace kvgext {
namespace {

constexpr std::uint32_t kFirstPreset = 100;
constexpr std::array<std::uint32_t, 7> kCurrent = {3000, 2300, 2000, 1700, 1500, 1300, 1000};
constexpr std::array<std::uint32_t, 7> kLegacy = {3000, 2000, 1700, 1500, 1300, 1300, 1000};

std::uint32_t Divide(std::uint32_t length, std::uint32_t factorMilli)
{
    const std::uint64_t rounded = (std::uint64_t{length} * 1000 + factorMilli / 2) / factorMilli;
    return rounded == 0 ? 1u : static_cast<std::uint32_t>(rounded);
}

} // namespace

std::optional<std::uint32_t> ScaleFactorMilli(std::uint32_t quality, bool legacy)
{
    const std::uint32_t index = quality - kFirstPreset;
    if (index >= kCurrent.size()) return std::nullopt;
    return legacy ? kLegacy[index] : kCurrent[index];
}

std::optional<Size2> InputResolution(Size2 output, std::uint32_t quality, bool legacy)
{
    const std::optional<std::uint32_t> factor = ScaleFactorMilli(quality, legacy);
    if (!factor || output.x == 0 || output.y == 0) return std::nullopt;
    return Size2{Divide(output.x, *factor), Divide(output.y, *factor)};
}

std::optional<InputRange> OptimalInputResolution(Size2 output, std::uint32_t quality, bool legacy)
{
    const std::optional<Size2> optimal = InputResolution(output, quality, legacy);
    if (!optimal) return std::nullopt;
    const Size2 minimum = *InputResolution(output, kFirstPreset, legacy);
    return InputRange{*optimal, minimum, output};
}

} // namespace kvgext
