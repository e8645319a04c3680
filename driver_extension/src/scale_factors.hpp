// How much smaller than the output the game renders for each quality preset.
//
// Current table (output / input):        Legacy table (ForceLegacyScaleFactors):
//   100 ultra performance   3.0            3.0
//   101 performance         2.3            2.0
//   102 balanced            2.0            1.7
//   103 quality             1.7            1.5
//   104 ultra quality       1.5            1.3
//   105 ultra quality plus  1.3            1.3
//   106 native AA           1.0            1.0
//
// The input is the output divided by the factor, rounded to the nearest
// pixel and never below 1. For dynamic resolution the allowed range runs from
// the ultra-performance size of the same table up to the output size itself.
#pragma once

#include <cstdint>
#include <optional>

namespace kvgext {

struct Size2 {
    std::uint32_t x;
    std::uint32_t y;
};

struct InputRange {
    Size2 optimal;
    Size2 minimum;
    Size2 maximum;
};

// Factor in thousandths, or nothing for a preset outside 100 to 106.
std::optional<std::uint32_t> ScaleFactorMilli(std::uint32_t quality, bool legacy);

// Nothing for an unknown preset or an empty output.
std::optional<Size2> InputResolution(Size2 output, std::uint32_t quality, bool legacy);
std::optional<InputRange> OptimalInputResolution(Size2 output, std::uint32_t quality, bool legacy);

} // namespace kvgext
