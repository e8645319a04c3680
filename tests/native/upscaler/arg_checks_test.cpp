#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "arg_checks.hpp"
#include "errors.hpp"

namespace {

namespace checks = vorx::checks;

// Any non-null address stands for a handle or a texture: the checks never read through them.
const auto kHandle = reinterpret_cast<vorx_context_handle_t>(std::uintptr_t{0x1000});
const auto kTexture = reinterpret_cast<ID3D11Resource*>(std::uintptr_t{0x2000});
const auto kDevice = reinterpret_cast<const ID3D11Device*>(std::uintptr_t{0x3000});

// The message of the failed test, or "" when every test passed.
std::string Failure(const std::function<void()>& call)
{
    try {
        call();
    } catch (const vorx::ErrorInvalidArgumentMsg& e) {
        EXPECT_EQ(e.result(), -4);
        return e.what();
    }
    return "";
}

vorx_d3d11_execute_params_t ValidExecute()
{
    vorx_d3d11_execute_params_t p{};
    p.pColorTexture = kTexture;
    p.pVelocityTexture = kTexture;
    p.pOutputTexture = kTexture;
    p.exposureScale = 1.0f;
    return p;
}

struct CheckCase {
    const char* name;
    std::function<void()> call;
    const char* message; // without the "Vorx: " prefix; "" when the call passes
};

class ArgumentChecks : public testing::TestWithParam<CheckCase> {};

TEST_P(ArgumentChecks, FirstFailingTestGivesItsMessage)
{
    const CheckCase& c = GetParam();
    const std::string expected = *c.message ? std::string("Vorx: ") + c.message : "";
    EXPECT_EQ(Failure(c.call), expected);
}

vorx_d3d11_init_params_t Init(std::uint32_t quality, std::uint32_t flags) { return {{128, 72}, quality, flags}; }

vorx_d3d11_execute_params_t Exec(const std::function<void(vorx_d3d11_execute_params_t&)>& change)
{
    vorx_d3d11_execute_params_t p = ValidExecute();
    change(p);
    return p;
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();
vorx_2d_t g2d{};
float gf = 0;
vorx_version_t gVersion{};
vorx_profiling_data_t* gProfiling = nullptr;
vorx_properties_t gProperties{};

const CheckCase kCases[] = {
    {"CreateNullDevice", [] { vorx_context_handle_t h; checks::D3D11CreateContext(nullptr, &h); },
     "vorxD3D11CreateContext(): ID3D11Device* device is NULL."},
    {"CreateNullOut", [] { checks::D3D11CreateContext(kDevice, nullptr); },
     "vorxD3D11CreateContext(): vorx_context_handle_t* phContext is NULL."},
    {"Destroy", [] { checks::DestroyContext(nullptr); }, "vorxDestroyContext(): vorx_context_handle_t hContext is NULL."},
    {"InitHandle", [] { auto p = Init(100, 0); checks::D3D11Init(nullptr, &p); },
     "vorxD3D11Init(): vorx_context_handle_t hContext is NULL."},
    {"InitParams", [] { checks::D3D11Init(kHandle, nullptr); },
     "vorxD3D11Init(): vorx_d3d11_init_params_t* pInitParams is NULL."},
    {"InitQuality99", [] { auto p = Init(99, 0); checks::D3D11Init(kHandle, &p); },
     "vorxD3D11Init(): vorx_d3d11_init_params_t::qualitySetings is invalid."},
    {"InitQuality107", [] { auto p = Init(107, 0); checks::D3D11Init(kHandle, &p); },
     "vorxD3D11Init(): vorx_d3d11_init_params_t::qualitySetings is invalid."},
    {"InitQuality100", [] { auto p = Init(100, 0x1 | 0x4 | 0x8 | 0x40); checks::D3D11Init(kHandle, &p); }, ""},
    {"InitQuality106", [] { auto p = Init(106, 0); checks::D3D11Init(kHandle, &p); }, ""},
    {"InitDescriptorHeap", [] { auto p = Init(103, 0x20); checks::D3D11Init(kHandle, &p); },
     "vorxD3D11Init(): vorx for D3D11 doesn't support VORX_INIT_FLAG_EXTERNAL_DESCRIPTOR_HEAP."},
    {"GetInitHandle", [] { vorx_d3d11_init_params_t p; checks::D3D11GetInitParams(nullptr, &p); },
     "vorxD3D11GetInitParams(): vorx_context_handle_t hContext is NULL."},
    {"GetInitParams", [] { checks::D3D11GetInitParams(kHandle, nullptr); },
     "vorxD3D11GetInitParams(): vorx_d3d11_init_params_t* pInitParams is NULL."},
    {"ExecHandle", [] { auto p = ValidExecute(); checks::D3D11Execute(nullptr, &p); },
     "vorxD3D11Execute(): vorx_context_handle_t hContext is NULL."},
    {"ExecParams", [] { checks::D3D11Execute(kHandle, nullptr); },
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t* pExecParams is NULL."},
    {"ExecJitterBounds", [] { auto p = Exec([](auto& e) { e.jitterOffsetX = 0.5f; e.jitterOffsetY = -0.5f; });
                               checks::D3D11Execute(kHandle, &p); }, ""},
    {"ExecJitterXHigh", [] { auto p = Exec([](auto& e) { e.jitterOffsetX = 0.5001f; }); checks::D3D11Execute(kHandle, &p); },
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::jitterOffsetX is < -0.5 or > 0.5."},
    {"ExecJitterXLow", [] { auto p = Exec([](auto& e) { e.jitterOffsetX = -0.5001f; }); checks::D3D11Execute(kHandle, &p); },
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::jitterOffsetX is < -0.5 or > 0.5."},
    {"ExecJitterY", [] { auto p = Exec([](auto& e) { e.jitterOffsetY = 0.75f; }); checks::D3D11Execute(kHandle, &p); },
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::jitterOffsetY is < -0.5 or > 0.5."},
    {"ExecJitterNaN", [] { auto p = Exec([](auto& e) { e.jitterOffsetX = kNaN; e.jitterOffsetY = kNaN; });
                           checks::D3D11Execute(kHandle, &p); }, ""},
    {"ExecExposureZero", [] { auto p = Exec([](auto& e) { e.exposureScale = 0.0f; }); checks::D3D11Execute(kHandle, &p); },
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::exposureScale is < 0.0"},
    {"ExecExposureNegative", [] { auto p = Exec([](auto& e) { e.exposureScale = -1.0f; }); checks::D3D11Execute(kHandle, &p); },
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::exposureScale is < 0.0"},
    {"ExecExposureNaN", [] { auto p = Exec([](auto& e) { e.exposureScale = kNaN; }); checks::D3D11Execute(kHandle, &p); }, ""},
    {"ExecColor", [] { auto p = Exec([](auto& e) { e.pColorTexture = nullptr; e.pOutputTexture = nullptr; });
                       checks::D3D11Execute(kHandle, &p); },
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pColorTexture is NULL"},
    {"ExecVelocity", [] { auto p = Exec([](auto& e) { e.pVelocityTexture = nullptr; }); checks::D3D11Execute(kHandle, &p); },
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pVelocityTexture is NULL"},
    {"ExecOutput", [] { auto p = Exec([](auto& e) { e.pOutputTexture = nullptr; }); checks::D3D11Execute(kHandle, &p); },
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pOutputTexture is NULL"},
    {"ExecDepthNotTestedYet", [] { auto p = Exec([](auto& e) { e.pDepthTexture = nullptr; }); checks::D3D11Execute(kHandle, &p); }, ""},
    {"InputResHandle", [] { checks::GetInputResolution(nullptr, &g2d, 100, &g2d); },
     "vorxGetInputResolution(): vorx_context_handle_t hContext is NULL."},
    {"InputResOutput", [] { checks::GetInputResolution(kHandle, nullptr, 100, &g2d); },
     "vorxGetInputResolution(): vorx_2d_t *pOutputResolution is NULL."},
    {"InputResInput", [] { checks::GetInputResolution(kHandle, &g2d, 999, nullptr); },
     "vorxGetInputResolution(): vorx_2d_t *pInputResolution is NULL."},
    {"InputResQuality", [] { checks::GetInputResolution(kHandle, &g2d, 107, &g2d); },
     "vorxGetInputResolution(): qualitySettings are invalid."},
    {"OptimalHandle", [] { checks::GetOptimalInputResolution(nullptr, &g2d, 100, &g2d, &g2d, &g2d); },
     "vorxGetOptimalInputResolution(): vorx_context_handle_t hContext is NULL."},
    {"OptimalOutput", [] { checks::GetOptimalInputResolution(kHandle, nullptr, 100, &g2d, &g2d, &g2d); },
     "vorxGetOptimalInputResolution(): vorx_2d_t *pOutputResolution is NULL."},
    {"OptimalOptimal", [] { checks::GetOptimalInputResolution(kHandle, &g2d, 100, nullptr, &g2d, &g2d); },
     "vorxGetOptimalInputResolution(): vorx_2d_t *pInputResolutionOptimal is NULL."},
    {"OptimalMin", [] { checks::GetOptimalInputResolution(kHandle, &g2d, 100, &g2d, nullptr, &g2d); },
     "vorxGetOptimalInputResolution(): vorx_2d_t *pInputResolutionMin is NULL."},
    {"OptimalMax", [] { checks::GetOptimalInputResolution(kHandle, &g2d, 100, &g2d, &g2d, nullptr); },
     "vorxGetOptimalInputResolution(): vorx_2d_t *pInputResolutionMax is NULL."},
    {"OptimalQuality", [] { checks::GetOptimalInputResolution(kHandle, &g2d, 99, &g2d, &g2d, &g2d); },
     "vorxGetOptimalInputResolution(): qualitySettings are invalid."},
    {"GetJitterHandle", [] { checks::GetJitterScale(nullptr, &gf, &gf); }, "vorxGetJitterScale(): vorx_context_handle_t hContext is NULL."},
    {"GetJitterX", [] { checks::GetJitterScale(kHandle, nullptr, nullptr); }, "vorxGetJitterScale(): float *pX is NULL."},
    {"GetJitterY", [] { checks::GetJitterScale(kHandle, &gf, nullptr); }, "vorxGetJitterScale(): float *pY is NULL."},
    {"SetJitter", [] { checks::SetJitterScale(nullptr); }, "vorxSetJitterScale(): vorx_context_handle_t hContext is NULL."},
    {"GetVelocityHandle", [] { checks::GetVelocityScale(nullptr, &gf, &gf); },
     "vorxGetVelocityScale(): vorx_context_handle_t hContext is NULL."},
    {"GetVelocityX", [] { checks::GetVelocityScale(kHandle, nullptr, &gf); }, "vorxGetVelocityScale(): float *pX is NULL."},
    {"GetVelocityY", [] { checks::GetVelocityScale(kHandle, &gf, nullptr); }, "vorxGetVelocityScale(): float *pY is NULL."},
    {"SetVelocity", [] { checks::SetVelocityScale(nullptr); }, "vorxSetVelocityScale(): vorx_context_handle_t hContext is NULL."},
    {"SetExposureHandle", [] { checks::SetExposureMultiplier(nullptr, 1.0f); },
     "vorxSetExposureMultiplier(): vorx_context_handle_t hContext is NULL."},
    {"SetExposureZero", [] { checks::SetExposureMultiplier(kHandle, 0.0f); }, "vorxSetExposureMultiplier(): scale is <= 0.0"},
    {"SetExposureNaN", [] { checks::SetExposureMultiplier(kHandle, kNaN); }, ""},
    {"GetExposureHandle", [] { checks::GetExposureMultiplier(nullptr, &gf); },
     "vorxGetExposureMultiplier(): vorx_context_handle_t hContext is NULL."},
    {"GetExposureOut", [] { checks::GetExposureMultiplier(kHandle, nullptr); }, "vorxGetExposureMultiplier(): float* pScale is NULL."},
    {"Logging", [] { checks::SetLoggingCallback(nullptr); }, "vorxSetLoggingCallback(): vorx_context_handle_t hContext is NULL."},
    {"Network", [] { checks::SelectNetworkModel(nullptr); }, "vorxSelectNetworkModel(): vorx_context_handle_t hContext is NULL."},
    {"ProfilingHandle", [] { checks::GetProfilingData(nullptr, &gProfiling); },
     "vorxGetProfilingData(): vorx_context_handle_t hContext is NULL."},
    {"ProfilingOut", [] { checks::GetProfilingData(kHandle, nullptr); },
     "vorxGetProfilingData(): vorx_profiling_data_t **pProfilingData is NULL."},
    {"Legacy", [] { checks::ForceLegacyScaleFactors(nullptr); },
     "vorxForceLegacyScaleFactors(): vorx_context_handle_t hContext is NULL."},
    {"Version", [] { checks::GetVersion(nullptr); }, "vorxGetVersion(): vorx_version_t* pVesion is NULL."},
    {"LuFXHandle", [] { checks::GetKorvaLuFXVersion(nullptr, &gVersion); },
     "vorxGetKorvaLuFXVersion(): vorx_context_handle_t hContext is NULL."},
    {"LuFXOut", [] { checks::GetKorvaLuFXVersion(kHandle, nullptr); }, "vorxGetKorvaLuFXVersion(): vorx_version_t* pVersion is NULL."},
    {"Optimal", [] { checks::IsOptimalDriver(nullptr); }, "vorxIsOptimalDriver(): vorx_context_handle_t hContext is NULL."},
    {"ParamP", [] { checks::GetContextParameterP(nullptr); }, "vorxGetContextParameterP(): vorx_context_handle_t hContext is NULL."},
    {"PropertiesHandle", [] { checks::GetProperties(nullptr, nullptr, nullptr); },
     "vorxGetProperties(): vorx_context_handle_t hContext is NULL."},
    {"PropertiesOutputFirst", [] { checks::GetProperties(kHandle, nullptr, nullptr); },
     "vorxGetProperties(): vorx_2d_t *pOutputResolution is NULL."},
    {"PropertiesBinding", [] { checks::GetProperties(kHandle, nullptr, &g2d); },
     "vorxGetProperties(): vorx_properties_t *pBindingProperties is NULL."},
    {"PropertiesAll", [] { checks::GetProperties(kHandle, &gProperties, &g2d); }, ""},
    {"Pipeline", [] { checks::GetPipelineBuildStatus(nullptr); },
     "vorxGetPipelineBuildStatus(): vorx_context_handle_t hContext is NULL."},
    {"DumpHandle", [] { checks::StartDump(nullptr, nullptr); }, "vorxStartDump(): vorx_context_handle_t hContext is NULL."},
    {"DumpParams", [] { checks::StartDump(kHandle, nullptr); }, "vorxStartDump(): vorx_dump_parameters_t *dump_parameters is NULL."},
    {"DumpPath", [] { vorx_dump_parameters_t d{}; checks::StartDump(kHandle, &d); },
     "vorxStartDump(): const char* vorx_dump_parameters_t::path is NULL."},
    {"DumpValid", [] { vorx_dump_parameters_t d{}; d.path = "dump"; checks::StartDump(kHandle, &d); }, ""},
    {"ParamF", [] { checks::SetContextParameterF(nullptr); }, "vorxSetContextParameterF(): vorx_context_handle_t hContext is NULL."},
};

INSTANTIATE_TEST_SUITE_P(AllExports, ArgumentChecks, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST(QualityRange, IsOneUnsignedComparison)
{
    EXPECT_FALSE(checks::IsValidQuality(0));
    EXPECT_FALSE(checks::IsValidQuality(99));
    for (std::uint32_t q = 100; q <= 106; ++q) EXPECT_TRUE(checks::IsValidQuality(q)) << q;
    EXPECT_FALSE(checks::IsValidQuality(107));
    EXPECT_FALSE(checks::IsValidQuality(0xFFFFFFFFu));
}

} // namespace
