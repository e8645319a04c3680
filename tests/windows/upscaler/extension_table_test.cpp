// The process-wide table of driver entry points and the pass-through exports.
// The table is resolved once per process, so the tests of one suite run in
// order in their own process (one ctest entry per suite).
#include <gtest/gtest.h>

#include <functional>

#include "core/extension_slots.hpp"
#include "test_support.hpp"
#include "win32/forwarders_win32.hpp"
#include "win32/loader_win32.hpp"

namespace {

using namespace upscaler_test;
using vorx::loader::GetLoaderState;
using vorx::loader::OpenDriverExtension;
namespace slot = vorx::loader::slot;

std::wstring Variant(const wchar_t* name) { return ExeFolder() + L"\\variants\\" + name; }

// Each D3D11 Vorx export with null arguments: before a load none may touch them.
const std::vector<std::function<vorx_result_t()>>& AllVorxForwarders()
{
    static const std::vector<std::function<vorx_result_t()>> calls = {
        [] { return KRVA_D3D11_VorxCreateContext(nullptr, nullptr); },
        [] { return KRVA_D3D11_VorxDestroyContext(nullptr, nullptr); },
        [] { return KRVA_D3D11_VorxInit(nullptr, nullptr, nullptr); },
        [] { return KRVA_D3D11_VorxGetInitParams(nullptr, nullptr, nullptr); },
        [] { return KRVA_D3D11_VorxExecute(nullptr, nullptr, nullptr); },
        [] { return KRVA_D3D11_VorxGetVersion(nullptr, nullptr); },
        [] { return KRVA_D3D11_VorxGetKorvaLuFXVersion(nullptr, nullptr, nullptr); },
        [] { return KRVA_D3D11_VorxGetInputResolution(nullptr, nullptr, nullptr, 0, nullptr); },
        [] { return KRVA_D3D11_VorxGetOptimalInputResolution(nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr); },
        [] { return KRVA_D3D11_VorxGetJitterScale(nullptr, nullptr, nullptr, nullptr); },
        [] { return KRVA_D3D11_VorxGetVelocityScale(nullptr, nullptr, nullptr, nullptr); },
        [] { return KRVA_D3D11_VorxSetJitterScale(nullptr, nullptr, 0, 0); },
        [] { return KRVA_D3D11_VorxSetVelocityScale(nullptr, nullptr, 0, 0); },
        [] { return KRVA_D3D11_VorxSetExposureMultiplier(nullptr, nullptr, 1); },
        [] { return KRVA_D3D11_VorxGetExposureMultiplier(nullptr, nullptr, nullptr); },
        [] { return KRVA_D3D11_VorxSetLoggingCallback(nullptr, nullptr, 0, nullptr); },
        [] { return KRVA_D3D11_VorxIsOptimalDriver(nullptr, nullptr); },
        [] { return KRVA_D3D11_VorxSelectNetworkModel(nullptr, nullptr, 0); },
        [] { return KRVA_D3D11_VorxGetProfilingData(nullptr, nullptr, nullptr); },
        [] { return KRVA_D3D11_VorxForceLegacyScaleFactors(nullptr, nullptr, 0); },
    };
    return calls;
}

TEST(ExtensionTable, ForwardersBeforeAnyLoadGiveTheirMissingAnswers)
{
    ASSERT_EQ(GetLoaderState().table, nullptr);
    ASSERT_EQ(AllVorxForwarders().size(), 20u);
    for (const auto& call : AllVorxForwarders()) EXPECT_EQ(call(), -8);
    EXPECT_EQ(KRVA_D3D12_GetApplicationInfo(nullptr), E_NOINTERFACE);
    KRVA_D3D12_RegisterDriverCallbacks(nullptr);
    KRVA_D3D12_GpuCrashDumpOnDeviceDestroy(nullptr);
    KRVA_D3D12_GetGpuCrashDumpBufferInfo(nullptr);
    KRVA_D3D12_GpuCrashDumpOnCommandListCreate(nullptr);
    KRVA_D3D12_GpuCrashDumpOnCommandListDestroy(nullptr);
    std::uint32_t count = 0;
    EXPECT_EQ(vorx::forward::D3D11GetSupportedVersions(nullptr, nullptr, &count), E_NOINTERFACE);
    EXPECT_EQ(vorx::forward::D3D11CreateDeviceExtensionContext(nullptr, nullptr, nullptr, nullptr), E_NOINTERFACE);
    EXPECT_EQ(vorx::forward::DestroyDeviceExtensionContext(nullptr), E_NOINTERFACE);
}

TEST(ExtensionTable, FailedOpenCreatesTheTableButCountsNothing)
{
    ScopedEnv alt(L"KRVA_ALT_DRIVER_EXTENSIONS_PATH", (ExeFolder() + L"\\variants\\none").c_str());
    EXPECT_EQ(OpenDriverExtension(false, 0, 0), E_FAIL);
    ASSERT_NE(GetLoaderState().table, nullptr);
    EXPECT_EQ(GetLoaderState().table[0], nullptr);
    EXPECT_EQ(GetLoaderState().loadCount, 0u);
}

TEST(ExtensionTable, FirstOpenResolvesEverySlotByName)
{
    ScopedEnv alt(L"KRVA_ALT_DRIVER_EXTENSIONS_PATH", Variant(L"no_select_network").c_str());
    ASSERT_EQ(OpenDriverExtension(false, 0, 0), S_OK);
    void** table = GetLoaderState().table;
    EXPECT_EQ(GetLoaderState().loadCount, 1u);
    HMODULE first = static_cast<HMODULE>(table[0]);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ModulePath(first), Variant(L"no_select_network") + L"\\kvgext64.dll");

    for (std::size_t i = 1; i <= 121; ++i) {
        void* expected = reinterpret_cast<void*>(GetProcAddress(first, vorx::loader::kExtensionSlotNames[i]));
        EXPECT_EQ(table[i], expected) << vorx::loader::kExtensionSlotNames[i];
    }
    EXPECT_NE(table[slot::kD3D11GetSupportedVersions], nullptr);
    EXPECT_NE(table[slot::kD3D11CreateDeviceExtensionContext], nullptr);
    EXPECT_NE(table[slot::kDestroyDeviceExtensionContext], nullptr);
    EXPECT_NE(table[slot::kD3D11VorxExecute], nullptr);
    EXPECT_NE(table[slot::kD3D12GetApplicationInfo], nullptr);
    // The entry point this library lacks leaves its slot empty, as do the ones it never offers.
    EXPECT_EQ(table[slot::kD3D11VorxSelectNetworkModel], nullptr);
    EXPECT_EQ(table[3], nullptr);
    for (std::size_t i = 122; i < 126; ++i) EXPECT_EQ(table[i], nullptr);
}

TEST(ExtensionTable, SecondOpenLoadsAgainButKeepsTheFirstHandleAndResolution)
{
    void** table = GetLoaderState().table;
    void* firstModule = table[0];
    ScopedEnv alt(L"KRVA_ALT_DRIVER_EXTENSIONS_PATH", Variant(L"default").c_str());
    ASSERT_EQ(OpenDriverExtension(false, 0, 0), S_OK);
    EXPECT_EQ(GetLoaderState().loadCount, 2u);
    EXPECT_EQ(table[0], firstModule);
    EXPECT_EQ(table[slot::kD3D11VorxSelectNetworkModel], nullptr); // the default library has it, but is not resolved
    EXPECT_NE(GetModuleHandleW((Variant(L"default") + L"\\kvgext64.dll").c_str()), nullptr);
    EXPECT_EQ(KRVA_D3D11_VorxSelectNetworkModel(nullptr, nullptr, 0), -8);
}

TEST(ExtensionTable, ForwardersReachTheLibraryWithTheirArguments)
{
    auto device = CreateDevice();
    std::uint32_t count = 0;
    ASSERT_EQ(vorx::forward::D3D11GetSupportedVersions(device.Get(), nullptr, &count), S_OK);
    ASSERT_EQ(count, 3u);
    std::vector<KrvaExtensionVersion> versions(count);
    ASSERT_EQ(vorx::forward::D3D11GetSupportedVersions(device.Get(), versions.data(), &count), S_OK);
    EXPECT_EQ(versions[0].major, 4u);
    EXPECT_EQ(versions[0].minor, 16u);

    KrvaExtensionInfo info{};
    info.requestedExtensionVersion = versions[0];
    KrvaExtensionContext* ext = nullptr;
    ASSERT_EQ(vorx::forward::D3D11CreateDeviceExtensionContext(device.Get(), &ext, &info, nullptr), S_OK);
    ASSERT_NE(ext, nullptr);
    krva_vorx_handle_t driver = nullptr;
    ASSERT_EQ(KRVA_D3D11_VorxCreateContext(ext, &driver), 0);

    float x = 0, y = 0;
    EXPECT_EQ(KRVA_D3D11_VorxSetJitterScale(ext, driver, 0.25f, -0.125f), 0);
    EXPECT_EQ(KRVA_D3D11_VorxGetJitterScale(ext, driver, &x, &y), 0);
    EXPECT_EQ(x, 0.25f);
    EXPECT_EQ(y, -0.125f);
    EXPECT_EQ(KRVA_D3D11_VorxSetVelocityScale(ext, driver, -2.0f, 3.5f), 0);
    EXPECT_EQ(KRVA_D3D11_VorxGetVelocityScale(ext, driver, &x, &y), 0);
    EXPECT_EQ(x, -2.0f);
    EXPECT_EQ(y, 3.5f);
    EXPECT_EQ(KRVA_D3D11_VorxSetExposureMultiplier(ext, driver, 1.75f), 0);
    EXPECT_EQ(KRVA_D3D11_VorxGetExposureMultiplier(ext, driver, &x), 0);
    EXPECT_EQ(x, 1.75f);

    const vorx_2d_t output{1920, 1080};
    vorx_2d_t optimal{}, minimum{}, maximum{};
    EXPECT_EQ(KRVA_D3D11_VorxGetOptimalInputResolution(ext, driver, &output, 103, &optimal, &minimum, &maximum), 0);
    EXPECT_EQ(optimal.x, 1129u);
    EXPECT_EQ(minimum.x, 640u);
    EXPECT_EQ(maximum.x, 1920u);
    EXPECT_EQ(KRVA_D3D11_VorxForceLegacyScaleFactors(ext, driver, 1), 0);
    vorx_2d_t input{};
    EXPECT_EQ(KRVA_D3D11_VorxGetInputResolution(ext, driver, &output, 103, &input), 0);
    EXPECT_EQ(input.x, 1280u);
    EXPECT_EQ(input.y, 720u);

    vorx_version_t version{};
    EXPECT_EQ(KRVA_D3D11_VorxGetVersion(ext, &version), 0);
    EXPECT_EQ(version.major, 4);
    EXPECT_EQ(version.minor, 16);
    EXPECT_EQ(KRVA_D3D11_VorxGetKorvaLuFXVersion(ext, driver, &version), 0);
    EXPECT_EQ(version.major, 1);
    EXPECT_EQ(KRVA_D3D11_VorxIsOptimalDriver(ext, driver), 0);
    vorx_profiling_data_t* profiling = nullptr;
    EXPECT_EQ(KRVA_D3D11_VorxGetProfilingData(ext, driver, &profiling), 0);
    EXPECT_NE(profiling, nullptr);
    vorx_d3d11_init_params_t init{};
    EXPECT_EQ(KRVA_D3D11_VorxGetInitParams(ext, driver, &init), -3);
    const vorx_d3d11_init_params_t wanted{{128, 72}, 101, VORX_INIT_FLAG_HIGH_RES_MV};
    EXPECT_EQ(KRVA_D3D11_VorxInit(ext, driver, &wanted), 0);
    EXPECT_EQ(KRVA_D3D11_VorxGetInitParams(ext, driver, &init), 0);
    EXPECT_EQ(init.qualitySetings, 101u);
    EXPECT_EQ(init.initFlags, static_cast<std::uint32_t>(VORX_INIT_FLAG_HIGH_RES_MV));
    EXPECT_EQ(KRVA_D3D11_VorxSetLoggingCallback(ext, driver, VORX_LOGGING_LEVEL_ERROR, nullptr), 0);
    // The driver's own tests answer through the same path.
    EXPECT_EQ(KRVA_D3D11_VorxExecute(ext, driver, nullptr), -4);

    int commandList = 0, callbacks = 0;
    KRVA_D3D12_RegisterDriverCallbacks(&callbacks);
    KRVA_D3D12_GpuCrashDumpOnCommandListCreate(&commandList);
    KRVA_D3D12_GpuCrashDumpOnDeviceDestroy(device.Get());
    KrvaApplicationInfo app{};
    app.size = sizeof(app);
    EXPECT_EQ(KRVA_D3D12_GetApplicationInfo(&app), S_OK);
    EXPECT_EQ(app.registeredCallbacks, &callbacks);
    EXPECT_EQ(app.lastCommandList, &commandList);
    EXPECT_EQ(app.liveCommandLists, 1u);
    EXPECT_EQ(app.devicesDestroyed, 1u);
    KRVA_D3D12_GpuCrashDumpOnCommandListDestroy(&commandList);
    EXPECT_EQ(KRVA_D3D12_GetApplicationInfo(&app), S_OK);
    EXPECT_EQ(app.liveCommandLists, 0u);
    KrvaCrashDumpBufferInfo buffer{};
    KRVA_D3D12_GetGpuCrashDumpBufferInfo(&buffer);
    EXPECT_NE(buffer.buffer, nullptr);
    EXPECT_EQ(buffer.size, 4096u);

    EXPECT_EQ(KRVA_D3D11_VorxDestroyContext(ext, driver), 0);
    EXPECT_EQ(KRVA_D3D11_VorxDestroyContext(ext, driver), -8); // gone
    EXPECT_EQ(vorx::forward::DestroyDeviceExtensionContext(&ext), S_OK);
    EXPECT_EQ(ext, nullptr);
}

TEST(FallbackNames, OlderEntryPointNamesFillTheirSlots)
{
    ScopedEnv alt(L"KRVA_ALT_DRIVER_EXTENSIONS_PATH", Variant(L"fallback_names").c_str());
    ASSERT_EQ(OpenDriverExtension(false, 0, 0), S_OK);
    void** table = GetLoaderState().table;
    HMODULE module = static_cast<HMODULE>(table[0]);
    EXPECT_EQ(GetProcAddress(module, "_KRVA_D3D11_GetSupportedVersions"), nullptr);
    EXPECT_EQ(table[slot::kD3D11GetSupportedVersions],
              reinterpret_cast<void*>(GetProcAddress(module, "D3D11GetSupportedVersions2")));
    EXPECT_EQ(table[slot::kDestroyDeviceExtensionContext],
              reinterpret_cast<void*>(GetProcAddress(module, "D3D11D3D12DestroyDeviceExtensionContext2")));
    EXPECT_NE(table[slot::kD3D11GetSupportedVersions], nullptr);
    EXPECT_EQ(table[5], nullptr); // neither name offered

    auto device = CreateDevice();
    std::uint32_t count = 0;
    EXPECT_EQ(vorx::forward::D3D11GetSupportedVersions(device.Get(), nullptr, &count), S_OK);
    EXPECT_EQ(count, 3u);
}

} // namespace
