// Contexts against differently built driver libraries. The driver library is
// resolved once per process, so every suite runs as its own ctest entry; the
// program's folder has no kvgext64.dll, each suite points the loader at the
// build it needs.
#include <gtest/gtest.h>

#include "core/errors.hpp"
#include "core/version_gate.hpp"
#include "korva_device_wrapper.hpp"
#include "krva_abi.h"
#include "test_support.hpp"
#include "win32/context_win32.hpp"

namespace {

using namespace upscaler_test;

constexpr std::uint64_t kSupported = vorx::MakeDriverVersion(31, 0, 101, 6553);
constexpr std::uint64_t kUnsupported = vorx::MakeDriverVersion(31, 0, 101, 6552);

std::wstring Variant(const wchar_t* name) { return ExeFolder() + L"\\variants\\" + name; }

bool LibraryLoaded() { return GetModuleHandleW(L"kvgext64.dll") != nullptr; }

class KorvaDevice : public testing::Test {
protected:
    ComPtr<ID3D11Device> real_ = CreateDevice();
    ComPtr<ID3D11Device> korva_ = WrapWithAdapterIds(real_.Get(), KORVA_VENDOR_ID, 0x0470);
    ULONG baseRefs_ = RefCount(korva_.Get());
    LUID luid_ = AdapterLuid(real_.Get());
};

TEST(WrongHandle, ResolvingGivesTheInvalidContextError)
{
    vorx::ContextHandle wrong;
    wrong.contextId = 825317445u;
    const auto handle = reinterpret_cast<vorx_context_handle_t>(&wrong);
    try {
        vorx::ResolveContext(handle);
        FAIL() << "resolved";
    } catch (const vorx::ErrorInvalidContext& e) {
        EXPECT_STREQ(e.what(), "Vorx: Invalid Context. Expected ID: 825317444. Received: 825317445");
        EXPECT_EQ(e.result(), -8);
    }
}

TEST(WrongHandle, ExportsAnswerInvalidContextAndWriteNothing)
{
    vorx::ContextHandle wrong;
    wrong.contextId = 825317445u;
    const auto handle = reinterpret_cast<vorx_context_handle_t>(&wrong);
    DebugOutputCapture debugger;
    vorx_version_t version{7, 7, 7, 7};
    EXPECT_EQ(vorxGetKorvaLuFXVersion(handle, &version), -8);
    EXPECT_EQ(version.major, 7);
    EXPECT_EQ(version.reserved, 7);
    const vorx_d3d11_init_params_t init{{128, 72}, 103, 0};
    EXPECT_EQ(vorxD3D11Init(handle, &init), -8);
    EXPECT_EQ(vorxIsOptimalDriver(handle), -8);
    EXPECT_EQ(vorxDestroyContext(handle), -8);
    // Operations that do not resolve the handle answer as usual.
    EXPECT_EQ(vorxSetContextParameterF(handle, 0, 1.0f), -7);
    EXPECT_EQ(vorxGetPipelineBuildStatus(handle), -10);
    EXPECT_EQ(debugger.Text(), ""); // a handle that does not resolve logs nowhere
}

TEST(RuntimeLog, WithoutAHandleOnlyInfoReachesTheDebugger)
{
    DebugOutputCapture debugger;
    vorx::LogMessage(nullptr, "quiet", VORX_LOGGING_LEVEL_ERROR);
    vorx::LogMessage(nullptr, "quiet", VORX_LOGGING_LEVEL_DEBUG);
    EXPECT_EQ(debugger.Text(), "");
    vorx::LogMessage(nullptr, "hello", VORX_LOGGING_LEVEL_INFO);
    EXPECT_EQ(debugger.Text(), "[Vorx][libvorx_dx11.dll][INFO] hello\n");
}

TEST_F(KorvaDevice, NoExtensionLibraryGivesExtensionUnavailable)
{
    DirectXRegistryEntry driver(L"{vorx-context-test}", luid_, &kSupported);
    vorx_context_handle_t ctx = nullptr;
    EXPECT_EQ(vorxD3D11CreateContext(korva_.Get(), &ctx), VORX_RESULT_ERROR_EXTENSION_UNAVAILABLE);
    EXPECT_EQ(ctx, nullptr);
    EXPECT_EQ(RefCount(korva_.Get()), baseRefs_);
    EXPECT_FALSE(LibraryLoaded());
}

TEST_F(KorvaDevice, UnsupportedDriverNeverLoadsTheLibrary)
{
    ScopedEnv alt(L"KRVA_ALT_DRIVER_EXTENSIONS_PATH", Variant(L"default").c_str());
    vorx_context_handle_t ctx = nullptr;
    {
        DirectXRegistryEntry driver(L"{vorx-context-test}", luid_, &kUnsupported);
        EXPECT_EQ(vorxD3D11CreateContext(korva_.Get(), &ctx), VORX_RESULT_ERROR_UNSUPPORTED_DRIVER_VERSION);
    }
    EXPECT_EQ(vorxD3D11CreateContext(korva_.Get(), &ctx), VORX_RESULT_ERROR_UNSUPPORTED_DRIVER_VERSION); // no entry
    EXPECT_EQ(ctx, nullptr);
    EXPECT_EQ(RefCount(korva_.Get()), baseRefs_);
    EXPECT_FALSE(LibraryLoaded());
    try {
        vorx::D3D11Context context(korva_.Get());
        FAIL() << "constructed";
    } catch (const vorx::vorxBaseException& e) {
        EXPECT_STREQ(e.what(), "Vorx: Unsupported driver version");
        EXPECT_EQ(e.result(), -2);
    }
    EXPECT_EQ(RefCount(korva_.Get()), baseRefs_);
}

TEST_F(KorvaDevice, FirstOfferedVersionMeetingEachFieldIsChosen)
{
    // Offered: 5.0.0 (minor below 14), 4.15.0, 7.20.3.
    ScopedEnv alt(L"KRVA_ALT_DRIVER_EXTENSIONS_PATH", Variant(L"mixed_versions").c_str());
    DirectXRegistryEntry driver(L"{vorx-context-test}", luid_, &kSupported);
    vorx_context_handle_t ctx = nullptr;
    ASSERT_EQ(vorxD3D11CreateContext(korva_.Get(), &ctx), VORX_RESULT_SUCCESS);
    vorx_version_t version{};
    ASSERT_EQ(KRVA_D3D11_VorxGetVersion(vorx::ResolveContext(ctx).ExtensionContext(), &version), 0);
    EXPECT_EQ(version.major, 4);
    EXPECT_EQ(version.minor, 15);
    EXPECT_EQ(version.patch, 0);
    EXPECT_EQ(vorxDestroyContext(ctx), VORX_RESULT_SUCCESS);
    EXPECT_EQ(RefCount(korva_.Get()), baseRefs_);
}

TEST_F(KorvaDevice, NoQualifyingVersionLeavesNoExtension)
{
    // Offered: 5.0.0 and 4.13.9 only.
    ScopedEnv alt(L"KRVA_ALT_DRIVER_EXTENSIONS_PATH", Variant(L"old_versions").c_str());
    DirectXRegistryEntry driver(L"{vorx-context-test}", luid_, &kSupported);
    vorx_context_handle_t ctx = nullptr;
    EXPECT_EQ(vorxD3D11CreateContext(korva_.Get(), &ctx), VORX_RESULT_ERROR_EXTENSION_UNAVAILABLE);
    EXPECT_EQ(ctx, nullptr);
    EXPECT_TRUE(LibraryLoaded());
    EXPECT_EQ(RefCount(korva_.Get()), baseRefs_);
}

TEST_F(KorvaDevice, MissingDriverEntryPointAnswersInvalidContext)
{
    ScopedEnv alt(L"KRVA_ALT_DRIVER_EXTENSIONS_PATH", Variant(L"no_select_network").c_str());
    DirectXRegistryEntry driver(L"{vorx-context-test}", luid_, &kSupported);
    vorx_context_handle_t ctx = nullptr;
    ASSERT_EQ(vorxD3D11CreateContext(korva_.Get(), &ctx), VORX_RESULT_SUCCESS);
    EXPECT_EQ(vorxSelectNetworkModel(ctx, VORX_NETWORK_MODEL_SHARP), VORX_RESULT_ERROR_INVALID_CONTEXT);
    EXPECT_EQ(vorxSetJitterScale(ctx, 1.0f, 1.0f), VORX_RESULT_SUCCESS);
    EXPECT_EQ(vorxDestroyContext(ctx), VORX_RESULT_SUCCESS);
}

TEST_F(KorvaDevice, DestroyFreesTheContextEvenWhenTheDriverFails)
{
    ScopedEnv alt(L"KRVA_ALT_DRIVER_EXTENSIONS_PATH", Variant(L"no_destroy_context").c_str());
    DirectXRegistryEntry driver(L"{vorx-context-test}", luid_, &kSupported);
    vorx_context_handle_t ctx = nullptr;
    ASSERT_EQ(vorxD3D11CreateContext(korva_.Get(), &ctx), VORX_RESULT_SUCCESS);
    EXPECT_GT(RefCount(korva_.Get()), baseRefs_);
    EXPECT_EQ(vorxDestroyContext(ctx), VORX_RESULT_ERROR_INVALID_CONTEXT);
    // Our reference and the driver's extension context are gone all the same.
    EXPECT_EQ(RefCount(korva_.Get()), baseRefs_);
}

} // namespace
