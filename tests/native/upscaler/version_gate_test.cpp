#include <gtest/gtest.h>

#include "version_gate.hpp"

namespace {

using vorx::MakeDriverVersion;

struct GateCase {
    std::uint64_t version;
    bool supported;
    bool optimal;
};

class DriverVersionGate : public testing::TestWithParam<GateCase> {};

TEST_P(DriverVersionGate, DecidesOnTheLowFieldsOnly)
{
    const GateCase& c = GetParam();
    EXPECT_EQ(vorx::IsSupportedDriverVersion(c.version), c.supported) << vorx::DriverVersionText(c.version);
    EXPECT_EQ(vorx::IsOptimalDriverVersion(c.version), c.optimal) << vorx::DriverVersionText(c.version);
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, DriverVersionGate,
    testing::Values(GateCase{MakeDriverVersion(31, 0, 101, 6553), true, true},
                    GateCase{MakeDriverVersion(31, 0, 101, 7000), true, true},
                    GateCase{MakeDriverVersion(31, 0, 101, 6552), false, false},
                    GateCase{MakeDriverVersion(31, 0, 101, 6470), true, false},
                    GateCase{MakeDriverVersion(31, 0, 101, 6458), true, false},
                    GateCase{MakeDriverVersion(31, 0, 101, 6498), true, false},
                    GateCase{MakeDriverVersion(31, 0, 101, 6457), false, false},
                    GateCase{MakeDriverVersion(31, 0, 101, 6499), false, false},
                    GateCase{MakeDriverVersion(31, 0, 101, 6287), true, true},
                    GateCase{MakeDriverVersion(31, 0, 101, 6288), false, false},
                    GateCase{MakeDriverVersion(31, 0, 101, 6257), true, true},
                    GateCase{MakeDriverVersion(31, 0, 101, 6256), false, false},
                    GateCase{MakeDriverVersion(30, 0, 101, 6600), true, true},
                    GateCase{MakeDriverVersion(32, 0, 100, 9999), false, false},
                    GateCase{MakeDriverVersion(31, 0, 102, 0), true, true},
                    GateCase{0, false, false}));

TEST(DriverVersion, KeyIsTheLowThirtyTwoBits)
{
    EXPECT_EQ(vorx::DriverVersionKey(MakeDriverVersion(31, 0, 101, 6553)), 6625689u);
    EXPECT_EQ(vorx::DriverVersionKey(MakeDriverVersion(31, 0, 101, 6257)), 6625393u);
    EXPECT_EQ(vorx::DriverVersionKey(MakeDriverVersion(31, 0, 101, 6498)), 6625634u);
}

TEST(DriverVersion, TextListsTheFourFields)
{
    EXPECT_EQ(vorx::DriverVersionText(MakeDriverVersion(31, 0, 101, 6553)), "Driver version: 31.0.101.6553");
    EXPECT_EQ(vorx::DriverVersionText(0), "Driver version: 0.0.0.0");
}

} // namespace
