// The driver version read from the registry entries Windows keeps per display
// adapter, for the LUID of Wine's real adapter. The tests write their own
// entries (and remove them), so they hold the registry lock in ctest.
#include <gtest/gtest.h>

#include "core/version_gate.hpp"
#include "test_support.hpp"
#include "win32/version_gate_win32.hpp"

namespace {

using namespace upscaler_test;
using vorx::MakeDriverVersion;

class VersionGate : public testing::Test {
protected:
    ComPtr<ID3D11Device> device_ = CreateDevice();
    LUID luid_ = AdapterLuid(device_.Get());
};

TEST_F(VersionGate, NoEntryForTheAdapterFailsBothGates)
{
    EXPECT_EQ(vorx::ReadAdapterDriverVersion(luid_), 0u);
    EXPECT_FALSE(vorx::IsDriverSupported(luid_));
    EXPECT_FALSE(vorx::IsDriverOptimal(luid_));
}

TEST_F(VersionGate, ReadsTheVersionOfTheMatchingAdapter)
{
    struct Case {
        std::uint64_t version;
        bool supported;
        bool optimal;
    };
    const Case cases[] = {
        {MakeDriverVersion(31, 0, 101, 6553), true, true},
        {MakeDriverVersion(31, 0, 101, 6470), true, false},
        {MakeDriverVersion(31, 0, 101, 6552), false, false},
        {MakeDriverVersion(30, 0, 101, 6600), true, true},
    };
    for (const Case& c : cases) {
        DirectXRegistryEntry entry(L"{vorx-test-adapter}", luid_, &c.version);
        EXPECT_EQ(vorx::ReadAdapterDriverVersion(luid_), c.version);
        EXPECT_EQ(vorx::IsDriverSupported(luid_), c.supported) << vorx::DriverVersionText(c.version);
        EXPECT_EQ(vorx::IsDriverOptimal(luid_), c.optimal) << vorx::DriverVersionText(c.version);
    }
}

TEST_F(VersionGate, OtherAdaptersAndEntriesWithoutVersionAreIgnored)
{
    const std::uint64_t version = MakeDriverVersion(31, 0, 101, 6553);
    LUID other = luid_;
    other.LowPart += 1;
    DirectXRegistryEntry foreign(L"{vorx-test-a-other}", other, &version);
    LUID otherHigh = luid_;
    otherHigh.HighPart += 1;
    DirectXRegistryEntry foreignHigh(L"{vorx-test-b-other}", otherHigh, &version);
    DirectXRegistryEntry noVersion(L"{vorx-test-c-noversion}", luid_, nullptr);
    EXPECT_EQ(vorx::ReadAdapterDriverVersion(luid_), 0u);
    EXPECT_FALSE(vorx::IsDriverSupported(luid_));
}

TEST_F(VersionGate, FirstMatchingEntryWithAVersionDecides)
{
    const std::uint64_t first = MakeDriverVersion(31, 0, 101, 6470);
    const std::uint64_t second = MakeDriverVersion(31, 0, 101, 6553);
    {
        DirectXRegistryEntry a(L"{vorx-test-a}", luid_, &first);
        DirectXRegistryEntry b(L"{vorx-test-b}", luid_, &second);
        EXPECT_EQ(vorx::ReadAdapterDriverVersion(luid_), first);
        EXPECT_FALSE(vorx::IsDriverOptimal(luid_));
    }
    DirectXRegistryEntry a(L"{vorx-test-a}", luid_, nullptr);
    DirectXRegistryEntry b(L"{vorx-test-b}", luid_, &second);
    EXPECT_EQ(vorx::ReadAdapterDriverVersion(luid_), second);
    EXPECT_TRUE(vorx::IsDriverOptimal(luid_));
}

} // namespace
