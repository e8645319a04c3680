#include <gtest/gtest.h>

#include "errors.hpp"
#include "log_line.hpp"

namespace {

TEST(RuntimeExceptions, CarryPrefixedTextAndCode)
{
    const vorx::vorxBaseException empty;
    EXPECT_STREQ(empty.what(), "Vorx: ");
    EXPECT_EQ(empty.result(), -1000);

    const vorx::vorxBaseException driver("Unsupported driver version", -2);
    EXPECT_STREQ(driver.what(), "Vorx: Unsupported driver version");
    EXPECT_EQ(driver.result(), -2);

    const vorx::ErrorInvalidArgumentMsg argument("vorxGetVersion(): vorx_version_t* pVesion is NULL.");
    EXPECT_STREQ(argument.what(), "Vorx: vorxGetVersion(): vorx_version_t* pVesion is NULL.");
    EXPECT_EQ(argument.result(), -4);

    const vorx::ErrorInvalidContext context(825317444u, 825317445u);
    EXPECT_STREQ(context.what(), "Vorx: Invalid Context. Expected ID: 825317444. Received: 825317445");
    EXPECT_EQ(context.result(), -8);
}

TEST(RuntimeExceptions, PrintIdsUnsigned)
{
    const vorx::ErrorInvalidContext context(825317444u, 0xFFFFFFFFu);
    EXPECT_STREQ(context.what(), "Vorx: Invalid Context. Expected ID: 825317444. Received: 4294967295");
}

TEST(RuntimeExceptions, AreCaughtAsStandardExceptions)
{
    try {
        throw vorx::ErrorInvalidContext(1, 2);
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Vorx: Invalid Context. Expected ID: 1. Received: 2");
        return;
    }
    FAIL() << "not a std::exception";
}

TEST(RuntimeLogLine, NamesTheLibraryAndLevel)
{
    EXPECT_EQ(vorx::BuildLogLine(1, "hello"), "[Vorx][libvorx_dx11.dll][INFO] hello\n");
    EXPECT_EQ(vorx::BuildLogLine(0, "a"), "[Vorx][libvorx_dx11.dll][DEBUG] a\n");
    EXPECT_EQ(vorx::BuildLogLine(2, "b"), "[Vorx][libvorx_dx11.dll][WARNING] b\n");
    EXPECT_EQ(vorx::BuildLogLine(3, "c"), "[Vorx][libvorx_dx11.dll][ERROR] c\n");
}

} // namespace
