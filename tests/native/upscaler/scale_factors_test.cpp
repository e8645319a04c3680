#include <gtest/gtest.h>

#include "scale_factors.hpp"

namespace {

using kvgext::Size2;

struct ScaleCase {
    std::uint32_t quality;
    bool legacy;
    Size2 output;
    Size2 input;
};

class ScaleFactorTable : public testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleFactorTable, DividesAndRoundsToNearest)
{
    const ScaleCase& c = GetParam();
    const auto input = kvgext::InputResolution(c.output, c.quality, c.legacy);
    ASSERT_TRUE(input.has_value());
    EXPECT_EQ(input->x, c.input.x);
    EXPECT_EQ(input->y, c.input.y);
}

INSTANTIATE_TEST_SUITE_P(
    Presets, ScaleFactorTable,
    testing::Values(ScaleCase{100, false, {3840, 2160}, {1280, 720}}, ScaleCase{101, false, {3840, 2160}, {1670, 939}},
                    ScaleCase{102, false, {3840, 2160}, {1920, 1080}}, ScaleCase{103, false, {3840, 2160}, {2259, 1271}},
                    ScaleCase{104, false, {3840, 2160}, {2560, 1440}}, ScaleCase{105, false, {3840, 2160}, {2954, 1662}},
                    ScaleCase{106, false, {3840, 2160}, {3840, 2160}}, ScaleCase{100, true, {3840, 2160}, {1280, 720}},
                    ScaleCase{101, true, {3840, 2160}, {1920, 1080}}, ScaleCase{102, true, {3840, 2160}, {2259, 1271}},
                    ScaleCase{103, true, {3840, 2160}, {2560, 1440}}, ScaleCase{104, true, {3840, 2160}, {2954, 1662}},
                    ScaleCase{105, true, {3840, 2160}, {2954, 1662}}, ScaleCase{106, true, {3840, 2160}, {3840, 2160}},
                    ScaleCase{101, true, {128, 72}, {64, 36}}, ScaleCase{100, false, {1, 1}, {1, 1}}));

TEST(ScaleFactors, RefuseUnknownPresetsAndEmptyOutput)
{
    for (std::uint32_t quality : {0u, 99u, 107u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(kvgext::InputResolution({1920, 1080}, quality, false).has_value()) << quality;
    }
    EXPECT_FALSE(kvgext::InputResolution({0, 1080}, 103, false).has_value());
    EXPECT_FALSE(kvgext::OptimalInputResolution({1920, 0}, 103, false).has_value());
}

TEST(ScaleFactors, DynamicRangeRunsFromUltraPerformanceToNative)
{
    const auto range = kvgext::OptimalInputResolution({1920, 1080}, 103, false);
    ASSERT_TRUE(range.has_value());
    EXPECT_EQ(range->optimal.x, 1129u);
    EXPECT_EQ(range->optimal.y, 635u);
    EXPECT_EQ(range->minimum.x, 640u);
    EXPECT_EQ(range->minimum.y, 360u);
    EXPECT_EQ(range->maximum.x, 1920u);
    EXPECT_EQ(range->maximum.y, 1080u);
}

} // namespace
