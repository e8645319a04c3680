// Our kvgext64.dll on its own, called the way the runtime calls it, on Wine's
// real Direct3D 11 device: version negotiation, the Vorx context's values and
// a real upscale read back from the GPU.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "krva_abi.h"
#include "test_support.hpp"

namespace {

using namespace upscaler_test;

template <typename Fn>
Fn Entry(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::vector<std::pair<std::string, int>> gDriverLog;
void CollectLog(const char* message, vorx_logging_level_t level) { gDriverLog.emplace_back(message, level); }

class DriverLibrary : public testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryW((ExeFolder() + L"\\kvgext64.dll").c_str());
        ASSERT_NE(module_, nullptr);
        getVersions_ = Entry<PFN_KRVA_D3D11_GetSupportedVersions>(module_, "_KRVA_D3D11_GetSupportedVersions");
        createExt_ = Entry<PFN_KRVA_D3D11_CreateDeviceExtensionContext>(module_,
                                                                         "_KRVA_D3D11_CreateDeviceExtensionContext");
        destroyExt_ = Entry<PFN_KRVA_DestroyDeviceExtensionContext>(module_, "_KRVA_DestroyDeviceExtensionContext");
        create_ = Entry<PFN_KRVA_D3D11_VorxCreateContext>(module_, "_KRVA_D3D11_VorxCreateContext");
        destroy_ = Entry<PFN_KRVA_D3D11_VorxDestroyContext>(module_, "_KRVA_D3D11_VorxDestroyContext");
        init_ = Entry<PFN_KRVA_D3D11_VorxInit>(module_, "_KRVA_D3D11_VorxInit");
        getInit_ = Entry<PFN_KRVA_D3D11_VorxGetInitParams>(module_, "_KRVA_D3D11_VorxGetInitParams");
        execute_ = Entry<PFN_KRVA_D3D11_VorxExecute>(module_, "_KRVA_D3D11_VorxExecute");
        inputRes_ = Entry<PFN_KRVA_D3D11_VorxGetInputResolution>(module_, "_KRVA_D3D11_VorxGetInputResolution");
        legacy_ = Entry<PFN_KRVA_D3D11_VorxForceLegacyScaleFactors>(module_, "_KRVA_D3D11_VorxForceLegacyScaleFactors");
        setJitterScale_ = Entry<PFN_KRVA_D3D11_VorxSetScale>(module_, "_KRVA_D3D11_VorxSetJitterScale");
        setLog_ = Entry<PFN_KRVA_D3D11_VorxSetLoggingCallback>(module_, "_KRVA_D3D11_VorxSetLoggingCallback");
        ASSERT_TRUE(getVersions_ && createExt_ && destroyExt_ && create_ && destroy_ && init_ && getInit_ &&
                    execute_ && inputRes_ && legacy_ && setJitterScale_ && setLog_);
        device_ = CreateDevice();
        baseRefs_ = RefCount(device_.Get());
        KrvaExtensionInfo info{};
        info.requestedExtensionVersion = {4, 14, 0};
        ASSERT_EQ(createExt_(device_.Get(), &ext_, &info, nullptr), S_OK);
        EXPECT_EQ(info.driverBuildNumber, 6553u);
        ASSERT_EQ(create_(ext_, &driver_), 0);
    }

    void TearDown() override
    {
        if (driver_) {
            EXPECT_EQ(destroy_(ext_, driver_), 0);
        }
        if (ext_) {
            EXPECT_EQ(destroyExt_(&ext_), S_OK);
        }
        if (device_) {
            EXPECT_EQ(RefCount(device_.Get()), baseRefs_); // nothing of ours keeps the device
        }
        device_.Reset();
        if (module_) FreeLibrary(module_);
    }

    // Uploads `image` as the colour texture, upscales into `output` and reads it back.
    Rgba8Image Upscale(const Rgba8Image& image, ID3D11Texture2D* output, float jitterX = 0.0f, float jitterY = 0.0f,
                       UINT colorBind = D3D11_BIND_SHADER_RESOURCE)
    {
        auto color = CreateTexture(device_.Get(), image.width, image.height, DXGI_FORMAT_R8G8B8A8_UNORM, colorBind,
                                   image.pixels.data(), image.width * 4);
        auto velocity = CreateTexture(device_.Get(), image.width, image.height, DXGI_FORMAT_R16G16_FLOAT,
                                      D3D11_BIND_SHADER_RESOURCE);
        auto depth = CreateTexture(device_.Get(), image.width, image.height, DXGI_FORMAT_R32_FLOAT,
                                   D3D11_BIND_SHADER_RESOURCE);
        vorx_d3d11_execute_params_t exec{};
        exec.pColorTexture = color.Get();
        exec.pVelocityTexture = velocity.Get();
        exec.pDepthTexture = depth.Get();
        exec.pOutputTexture = output;
        exec.jitterOffsetX = jitterX;
        exec.jitterOffsetY = jitterY;
        exec.exposureScale = 1.0f;
        EXPECT_EQ(execute_(ext_, driver_, &exec), 0);
        return ReadBack(device_.Get(), output);
    }

    void Init(std::uint32_t width, std::uint32_t height)
    {
        const vorx_d3d11_init_params_t params{{width, height}, VORX_QUALITY_SETTING_PERFORMANCE, 0};
        ASSERT_EQ(init_(ext_, driver_, &params), 0);
    }

    HMODULE module_ = nullptr;
    PFN_KRVA_D3D11_GetSupportedVersions getVersions_ = nullptr;
    PFN_KRVA_D3D11_CreateDeviceExtensionContext createExt_ = nullptr;
    PFN_KRVA_DestroyDeviceExtensionContext destroyExt_ = nullptr;
    PFN_KRVA_D3D11_VorxCreateContext create_ = nullptr;
    PFN_KRVA_D3D11_VorxDestroyContext destroy_ = nullptr;
    PFN_KRVA_D3D11_VorxInit init_ = nullptr;
    PFN_KRVA_D3D11_VorxGetInitParams getInit_ = nullptr;
    PFN_KRVA_D3D11_VorxExecute execute_ = nullptr;
    PFN_KRVA_D3D11_VorxGetInputResolution inputRes_ = nullptr;
    PFN_KRVA_D3D11_VorxForceLegacyScaleFactors legacy_ = nullptr;
    PFN_KRVA_D3D11_VorxSetScale setJitterScale_ = nullptr;
    PFN_KRVA_D3D11_VorxSetLoggingCallback setLog_ = nullptr;
    ComPtr<ID3D11Device> device_;
    ULONG baseRefs_ = 0;
    KrvaExtensionContext* ext_ = nullptr;
    krva_vorx_handle_t driver_ = nullptr;
};

TEST_F(DriverLibrary, OffersVersionsNewestFirstAndRefusesOthers)
{
    std::uint32_t count = 0;
    ASSERT_EQ(getVersions_(device_.Get(), nullptr, &count), S_OK);
    ASSERT_EQ(count, 3u);
    std::vector<KrvaExtensionVersion> versions(count);
    ASSERT_EQ(getVersions_(device_.Get(), versions.data(), &count), S_OK);
    EXPECT_EQ(versions[0].major, 4u);
    EXPECT_EQ(versions[0].minor, 16u);
    EXPECT_EQ(versions[1].minor, 14u);
    KrvaExtensionInfo info{};
    info.requestedExtensionVersion = {9, 9, 9};
    KrvaExtensionContext* other = nullptr;
    EXPECT_EQ(createExt_(device_.Get(), &other, &info, nullptr), E_INVALIDARG);
    EXPECT_EQ(other, nullptr);
}

TEST_F(DriverLibrary, UpscalesIntoAnUnorderedAccessOutput)
{
    Init(128, 72);
    const Rgba8Image input = TestPattern(64, 36);
    auto output = CreateTexture(device_.Get(), 128, 72, DXGI_FORMAT_R8G8B8A8_UNORM,
                                D3D11_BIND_UNORDERED_ACCESS | D3D11_BIND_SHADER_RESOURCE);
    const Rgba8Image result = Upscale(input, output.Get());
    EXPECT_LE(MaxDifference(result, BilinearReference(input, 128, 72)), 2);
}

TEST_F(DriverLibrary, UpscalesIntoRenderTargetsAndPlainTextures)
{
    Init(128, 72);
    const Rgba8Image input = TestPattern(64, 36);
    const Rgba8Image reference = BilinearReference(input, 128, 72);
    for (UINT bind : {UINT(D3D11_BIND_RENDER_TARGET), UINT(D3D11_BIND_SHADER_RESOURCE)}) {
        auto output = CreateTexture(device_.Get(), 128, 72, DXGI_FORMAT_R8G8B8A8_UNORM, bind);
        EXPECT_LE(MaxDifference(Upscale(input, output.Get()), reference), 2) << bind;
    }
    // A colour texture that shaders cannot read is copied first.
    auto output = CreateTexture(device_.Get(), 128, 72, DXGI_FORMAT_R8G8B8A8_UNORM, D3D11_BIND_UNORDERED_ACCESS);
    EXPECT_LE(MaxDifference(Upscale(input, output.Get(), 0, 0, D3D11_BIND_RENDER_TARGET), reference), 2);
}

TEST_F(DriverLibrary, JitterIsTakenOutScaledByTheJitterScale)
{
    Init(96, 54);
    const Rgba8Image input = TestPattern(48, 27);
    auto output = CreateTexture(device_.Get(), 96, 54, DXGI_FORMAT_R8G8B8A8_UNORM, D3D11_BIND_UNORDERED_ACCESS);
    EXPECT_LE(MaxDifference(Upscale(input, output.Get(), 0.25f, -0.5f), BilinearReference(input, 96, 54, 0.25f, -0.5f)),
              2);
    ASSERT_EQ(setJitterScale_(ext_, driver_, 2.0f, 0.0f), 0);
    EXPECT_LE(MaxDifference(Upscale(input, output.Get(), 0.25f, -0.5f), BilinearReference(input, 96, 54, 0.5f, 0.0f)),
              2);
}

TEST_F(DriverLibrary, ExecuteBeforeInitIsUninitialized)
{
    vorx_d3d11_init_params_t params{};
    EXPECT_EQ(getInit_(ext_, driver_, &params), VORX_RESULT_ERROR_UNINITIALIZED_CONTEXT);
    vorx_d3d11_execute_params_t exec{};
    EXPECT_EQ(execute_(ext_, driver_, &exec), VORX_RESULT_ERROR_UNINITIALIZED_CONTEXT);
    Init(128, 72);
    EXPECT_EQ(getInit_(ext_, driver_, &params), 0);
    EXPECT_EQ(params.outputResolution.x, 128u);
    EXPECT_EQ(params.qualitySetings, 101u);
    EXPECT_EQ(execute_(ext_, driver_, &exec), VORX_RESULT_ERROR_INVALID_ARGUMENT);
}

TEST_F(DriverLibrary, InputResolutionFollowsTheChosenTable)
{
    const vorx_2d_t output{1920, 1080};
    vorx_2d_t input{};
    ASSERT_EQ(inputRes_(ext_, driver_, &output, VORX_QUALITY_SETTING_QUALITY, &input), 0);
    EXPECT_EQ(input.x, 1129u);
    EXPECT_EQ(input.y, 635u);
    ASSERT_EQ(legacy_(ext_, driver_, 1), 0);
    ASSERT_EQ(inputRes_(ext_, driver_, &output, VORX_QUALITY_SETTING_QUALITY, &input), 0);
    EXPECT_EQ(input.x, 1280u);
    EXPECT_EQ(input.y, 720u);
    EXPECT_EQ(inputRes_(ext_, driver_, &output, 107, &input), VORX_RESULT_ERROR_INVALID_ARGUMENT);
}

TEST_F(DriverLibrary, ReportsToTheLoggingCallbackFromItsLevel)
{
    gDriverLog.clear();
    ASSERT_EQ(setLog_(ext_, driver_, VORX_LOGGING_LEVEL_DEBUG, CollectLog), 0);
    Init(128, 72);
    const Rgba8Image input = TestPattern(64, 36);
    auto output = CreateTexture(device_.Get(), 128, 72, DXGI_FORMAT_R8G8B8A8_UNORM, D3D11_BIND_UNORDERED_ACCESS);
    Upscale(input, output.Get());
    ASSERT_FALSE(gDriverLog.empty());
    EXPECT_EQ(gDriverLog.back().first, "kvgext64: upscaled 64x36 to 128x72");
    EXPECT_EQ(gDriverLog.back().second, VORX_LOGGING_LEVEL_DEBUG);
    gDriverLog.clear();
    ASSERT_EQ(setLog_(ext_, driver_, VORX_LOGGING_LEVEL_ERROR, CollectLog), 0);
    Upscale(input, output.Get());
    EXPECT_TRUE(gDriverLog.empty());
}

} // namespace
