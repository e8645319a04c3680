// The exported vorx* API of libvorx_dx11.dll, loaded as a game loads it, on a
// Korva context: Wine's real device behind a wrapper whose adapter reports
// the Korva vendor ID (and the real LUID), a supported driver version in the
// DirectX registry key, and our kvgext64.dll beside the program.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/version_gate.hpp"
#include "korva_device_wrapper.hpp"
#include "krva_abi.h"
#include "test_support.hpp"
#include "vorx_d3d11.h"

namespace {

using namespace upscaler_test;

struct LogEntry {
    std::string message;
    int level;
};
std::vector<LogEntry> gLog;
void CollectLog(const char* message, vorx_logging_level_t level) { gLog.push_back({message, level}); }

constexpr std::uint64_t kSupportedDriver = vorx::MakeDriverVersion(31, 0, 101, 6553);
const float kNaN = std::numeric_limits<float>::quiet_NaN();

LUID RealAdapterLuid()
{
    static const LUID luid = AdapterLuid(CreateDevice().Get());
    return luid;
}

class KorvaContext : public testing::Test {
protected:
    void SetUp() override
    {
        device_ = CreateDevice();
        korva_ = WrapWithAdapterIds(device_.Get(), KORVA_VENDOR_ID, 0x0470);
        baseRefs_ = RefCount(korva_.Get());
        ASSERT_EQ(vorxD3D11CreateContext(korva_.Get(), &ctx_), VORX_RESULT_SUCCESS);
        ASSERT_NE(ctx_, nullptr);
        // The context and the driver's extension context hold one reference each.
        EXPECT_EQ(RefCount(korva_.Get()), baseRefs_ + 2);
        ASSERT_EQ(vorxSetLoggingCallback(ctx_, VORX_LOGGING_LEVEL_WARNING, CollectLog), VORX_RESULT_SUCCESS);
        gLog.clear();

        input_ = TestPattern(64, 36);
        color_ = CreateTexture(device_.Get(), 64, 36, DXGI_FORMAT_R8G8B8A8_UNORM, D3D11_BIND_SHADER_RESOURCE,
                               input_.pixels.data(), 64 * 4);
        velocity_ = CreateTexture(device_.Get(), 64, 36, DXGI_FORMAT_R16G16_FLOAT, D3D11_BIND_SHADER_RESOURCE);
        depth_ = CreateTexture(device_.Get(), 64, 36, DXGI_FORMAT_R32_FLOAT, D3D11_BIND_SHADER_RESOURCE);
        output_ = CreateTexture(device_.Get(), 128, 72, DXGI_FORMAT_R8G8B8A8_UNORM,
                                D3D11_BIND_UNORDERED_ACCESS | D3D11_BIND_SHADER_RESOURCE);
    }

    void TearDown() override
    {
        if (ctx_ != nullptr) {
            EXPECT_EQ(vorxDestroyContext(ctx_), VORX_RESULT_SUCCESS);
        }
        EXPECT_EQ(RefCount(korva_.Get()), baseRefs_);
    }

    vorx_result_t Init(std::uint32_t flags = 0, std::uint32_t quality = VORX_QUALITY_SETTING_PERFORMANCE)
    {
        const vorx_d3d11_init_params_t params{{128, 72}, quality, flags};
        return vorxD3D11Init(ctx_, &params);
    }

public:
    ID3D11Device* Korva() const { return korva_.Get(); }

    vorx_d3d11_execute_params_t Frame() const
    {
        vorx_d3d11_execute_params_t exec{};
        exec.pColorTexture = color_.Get();
        exec.pVelocityTexture = velocity_.Get();
        exec.pDepthTexture = depth_.Get();
        exec.pOutputTexture = output_.Get();
        exec.exposureScale = 1.0f;
        return exec;
    }

protected:
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const LogEntry& e : gLog) {
            EXPECT_EQ(e.level, VORX_LOGGING_LEVEL_ERROR) << e.message;
            texts.push_back(e.message);
        }
        return texts;
    }

    DirectXRegistryEntry driver_{L"{vorx-api-test}", RealAdapterLuid(), &kSupportedDriver};
    ComPtr<ID3D11Device> device_;
    ComPtr<ID3D11Device> korva_;
    ULONG baseRefs_ = 0;
    vorx_context_handle_t ctx_ = nullptr;
    Rgba8Image input_;
    ComPtr<ID3D11Texture2D> color_, velocity_, depth_, output_;
};

// One failing argument of one export: its code and what the game's callback sees.
struct ArgumentCase {
    const char* name;
    std::function<vorx_result_t(KorvaContext&, vorx_context_handle_t)> call;
    vorx_result_t code;
    const char* message; // nullptr: nothing is logged
};

void PrintTo(const ArgumentCase& c, std::ostream* os) { *os << c.name; }

vorx_2d_t g2d{1920, 1080};
float gFloat = 0;
vorx_version_t gVersion{};
vorx_profiling_data_t* gProfiling = nullptr;
vorx_properties_t gProperties{};
void* gPointer = nullptr;
vorx_d3d11_init_params_t gInit{};

#define EXEC_WITH(change)                                                                                              \
    [](KorvaContext& t, vorx_context_handle_t h) {                                                                    \
        vorx_d3d11_execute_params_t e = t.Frame();                                                                    \
        change;                                                                                                        \
        return vorxD3D11Execute(h, &e);                                                                                \
    }

class ArgumentTests : public KorvaContext, public testing::WithParamInterface<ArgumentCase> {};

TEST_P(ArgumentTests, CodeAndMessageOnARealContext)
{
    const ArgumentCase& c = GetParam();
    ASSERT_EQ(Init(), VORX_RESULT_SUCCESS);
    gLog.clear();
    EXPECT_EQ(c.call(*this, ctx_), c.code);
    const std::vector<std::string> expected =
        c.message ? std::vector<std::string>{std::string("Vorx: ") + c.message} : std::vector<std::string>{};
    EXPECT_EQ(Messages(), expected);
}

const ArgumentCase kArgumentCases[] = {
    {"CreateNullDevice", [](KorvaContext&, vorx_context_handle_t) { vorx_context_handle_t h; return vorxD3D11CreateContext(nullptr, &h); }, -4, nullptr},
    {"CreateNullOut", [](KorvaContext& t, vorx_context_handle_t) { return vorxD3D11CreateContext(t.Korva(), nullptr); }, -4, nullptr},
    {"InitNullParams", [](KorvaContext&, vorx_context_handle_t h) { return vorxD3D11Init(h, nullptr); }, -4,
     "vorxD3D11Init(): vorx_d3d11_init_params_t* pInitParams is NULL."},
    {"InitQuality99", [](KorvaContext&, vorx_context_handle_t h) { vorx_d3d11_init_params_t p{{128, 72}, 99, 0}; return vorxD3D11Init(h, &p); }, -4,
     "vorxD3D11Init(): vorx_d3d11_init_params_t::qualitySetings is invalid."},
    {"InitQuality107", [](KorvaContext&, vorx_context_handle_t h) { vorx_d3d11_init_params_t p{{128, 72}, 107, 0}; return vorxD3D11Init(h, &p); }, -4,
     "vorxD3D11Init(): vorx_d3d11_init_params_t::qualitySetings is invalid."},
    {"InitQuality100", [](KorvaContext&, vorx_context_handle_t h) { vorx_d3d11_init_params_t p{{128, 72}, 100, 0}; return vorxD3D11Init(h, &p); }, 0, nullptr},
    {"InitQuality106", [](KorvaContext&, vorx_context_handle_t h) { vorx_d3d11_init_params_t p{{128, 72}, 106, 0}; return vorxD3D11Init(h, &p); }, 0, nullptr},
    {"InitDescriptorHeap", [](KorvaContext&, vorx_context_handle_t h) { vorx_d3d11_init_params_t p{{128, 72}, 103, 0x20}; return vorxD3D11Init(h, &p); }, -4,
     "vorxD3D11Init(): vorx for D3D11 doesn't support VORX_INIT_FLAG_EXTERNAL_DESCRIPTOR_HEAP."},
    {"GetInitNull", [](KorvaContext&, vorx_context_handle_t h) { return vorxD3D11GetInitParams(h, nullptr); }, -4, nullptr},
    {"ExecNullParams", [](KorvaContext&, vorx_context_handle_t h) { return vorxD3D11Execute(h, nullptr); }, -4,
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t* pExecParams is NULL."},
    {"ExecJitterXBounds", EXEC_WITH(e.jitterOffsetX = 0.5f; e.jitterOffsetY = -0.5f), 0, nullptr},
    {"ExecJitterX", EXEC_WITH(e.jitterOffsetX = 0.5001f), -4,
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::jitterOffsetX is < -0.5 or > 0.5."},
    {"ExecJitterY", EXEC_WITH(e.jitterOffsetY = -0.5001f), -4,
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::jitterOffsetY is < -0.5 or > 0.5."},
    {"ExecExposureZero", EXEC_WITH(e.exposureScale = 0.0f), -4,
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::exposureScale is < 0.0"},
    {"ExecExposureNaN", EXEC_WITH(e.exposureScale = kNaN), 0, nullptr},
    {"ExecColor", EXEC_WITH(e.pColorTexture = nullptr), -4, "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pColorTexture is NULL"},
    {"ExecVelocity", EXEC_WITH(e.pVelocityTexture = nullptr), -4,
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pVelocityTexture is NULL"},
    {"ExecOutput", EXEC_WITH(e.pOutputTexture = nullptr), -4, "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pOutputTexture is NULL"},
    {"InputResOutput", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetInputResolution(h, nullptr, 100, &g2d); }, -4,
     "vorxGetInputResolution(): vorx_2d_t *pOutputResolution is NULL."},
    {"InputResInput", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetInputResolution(h, &g2d, 100, nullptr); }, -4,
     "vorxGetInputResolution(): vorx_2d_t *pInputResolution is NULL."},
    {"InputResQuality", [](KorvaContext&, vorx_context_handle_t h) { vorx_2d_t in{}; return vorxGetInputResolution(h, &g2d, 107, &in); }, -4,
     "vorxGetInputResolution(): qualitySettings are invalid."},
    {"OptimalOutput", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetOptimalInputResolution(h, nullptr, 100, &g2d, &g2d, &g2d); }, -4,
     "vorxGetOptimalInputResolution(): vorx_2d_t *pOutputResolution is NULL."},
    {"OptimalOptimal", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetOptimalInputResolution(h, &g2d, 100, nullptr, &g2d, &g2d); }, -4,
     "vorxGetOptimalInputResolution(): vorx_2d_t *pInputResolutionOptimal is NULL."},
    {"OptimalMin", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetOptimalInputResolution(h, &g2d, 100, &g2d, nullptr, &g2d); }, -4,
     "vorxGetOptimalInputResolution(): vorx_2d_t *pInputResolutionMin is NULL."},
    {"OptimalMax", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetOptimalInputResolution(h, &g2d, 100, &g2d, &g2d, nullptr); }, -4,
     "vorxGetOptimalInputResolution(): vorx_2d_t *pInputResolutionMax is NULL."},
    {"OptimalQuality", [](KorvaContext&, vorx_context_handle_t h) { vorx_2d_t a{}, b{}, c{}; return vorxGetOptimalInputResolution(h, &g2d, 99, &a, &b, &c); }, -4,
     "vorxGetOptimalInputResolution(): qualitySettings are invalid."},
    {"GetJitterX", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetJitterScale(h, nullptr, &gFloat); }, -4, nullptr},
    {"GetJitterY", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetJitterScale(h, &gFloat, nullptr); }, -4, nullptr},
    {"GetVelocityX", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetVelocityScale(h, nullptr, &gFloat); }, -4, nullptr},
    {"GetVelocityY", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetVelocityScale(h, &gFloat, nullptr); }, -4, nullptr},
    {"SetExposureZero", [](KorvaContext&, vorx_context_handle_t h) { return vorxSetExposureMultiplier(h, 0.0f); }, -4,
     "vorxSetExposureMultiplier(): scale is <= 0.0"},
    {"SetExposureNegative", [](KorvaContext&, vorx_context_handle_t h) { return vorxSetExposureMultiplier(h, -2.0f); }, -4,
     "vorxSetExposureMultiplier(): scale is <= 0.0"},
    {"GetExposureNull", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetExposureMultiplier(h, nullptr); }, -4, nullptr},
    {"ProfilingNull", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetProfilingData(h, nullptr); }, -4,
     "vorxGetProfilingData(): vorx_profiling_data_t **pProfilingData is NULL."},
    {"VersionNull", [](KorvaContext&, vorx_context_handle_t) { return vorxGetVersion(nullptr); }, -4, nullptr},
    {"LuFXNull", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetKorvaLuFXVersion(h, nullptr); }, -4, nullptr},
    {"PropertiesOutputFirst", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetProperties(h, nullptr, nullptr); }, -4,
     "vorxGetProperties(): vorx_2d_t *pOutputResolution is NULL."},
    {"PropertiesBinding", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetProperties(h, nullptr, &g2d); }, -4,
     "vorxGetProperties(): vorx_properties_t *pBindingProperties is NULL."},
    {"PropertiesUnsupported", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetProperties(h, &gProperties, &g2d); }, -10, nullptr},
    {"PipelineUnsupported", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetPipelineBuildStatus(h); }, -10, nullptr},
    {"DumpNull", [](KorvaContext&, vorx_context_handle_t h) { return vorxStartDump(h, nullptr); }, -4,
     "vorxStartDump(): vorx_dump_parameters_t *dump_parameters is NULL."},
    {"DumpPathNull", [](KorvaContext&, vorx_context_handle_t h) { vorx_dump_parameters_t d{}; return vorxStartDump(h, &d); }, -4,
     "vorxStartDump(): const char* vorx_dump_parameters_t::path is NULL."},
    {"DumpNotImplemented", [](KorvaContext&, vorx_context_handle_t h) { vorx_dump_parameters_t d{"dump", 0, 1, 0}; return vorxStartDump(h, &d); }, -7, nullptr},
    {"ParamFNotImplemented", [](KorvaContext&, vorx_context_handle_t h) { return vorxSetContextParameterF(h, 1, 2.0f); }, -7, nullptr},
    {"ParamPWrongSize", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetContextParameterP(h, CONTEXT_PARAM_D3D11_DEVICE, 4, &gPointer); }, -4, nullptr},
    {"ParamPUnknown", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetContextParameterP(h, 0x1234, 8, &gPointer); }, -4, nullptr},
    {"ParamPNullOut", [](KorvaContext&, vorx_context_handle_t h) { return vorxGetContextParameterP(h, CONTEXT_PARAM_D3D11_DEVICE, 8, nullptr); }, -4, nullptr},
};

INSTANTIATE_TEST_SUITE_P(EveryExport, ArgumentTests, testing::ValuesIn(kArgumentCases),
                         [](const testing::TestParamInfo<ArgumentCase>& info) { return std::string(info.param.name); });

// A null handle is refused by every function with -4, and as there is no
// context to log to, nothing is reported anywhere.
TEST_F(KorvaContext, NullHandleIsRefusedEverywhere)
{
    ASSERT_EQ(Init(), VORX_RESULT_SUCCESS);
    gLog.clear();
    DebugOutputCapture debugger;
    const vorx_d3d11_execute_params_t exec = Frame();
    vorx_2d_t a{}, b{}, c{};
    vorx_dump_parameters_t dump{"dump", 0, 1, 0};
    const std::vector<std::function<vorx_result_t()>> calls = {
        [] { return vorxDestroyContext(nullptr); },
        [&] { return vorxD3D11Init(nullptr, &gInit); },
        [&] { return vorxD3D11GetInitParams(nullptr, &gInit); },
        [&] { return vorxD3D11Execute(nullptr, &exec); },
        [&] { return vorxGetInputResolution(nullptr, &g2d, 100, &a); },
        [&] { return vorxGetOptimalInputResolution(nullptr, &g2d, 100, &a, &b, &c); },
        [] { return vorxGetJitterScale(nullptr, &gFloat, &gFloat); },
        [] { return vorxSetJitterScale(nullptr, 1, 1); },
        [] { return vorxGetVelocityScale(nullptr, &gFloat, &gFloat); },
        [] { return vorxSetVelocityScale(nullptr, 1, 1); },
        [] { return vorxSetExposureMultiplier(nullptr, 1); },
        [] { return vorxGetExposureMultiplier(nullptr, &gFloat); },
        [] { return vorxSetLoggingCallback(nullptr, 0, CollectLog); },
        [] { return vorxIsOptimalDriver(nullptr); },
        [] { return vorxSelectNetworkModel(nullptr, 0); },
        [] { return vorxGetProfilingData(nullptr, &gProfiling); },
        [] { return vorxForceLegacyScaleFactors(nullptr, 1); },
        [] { return vorxGetKorvaLuFXVersion(nullptr, &gVersion); },
        [] { return vorxGetContextParameterP(nullptr, CONTEXT_PARAM_D3D11_DEVICE, 8, &gPointer); },
        [] { return vorxGetProperties(nullptr, &gProperties, &g2d); },
        [] { return vorxGetPipelineBuildStatus(nullptr); },
        [&] { return vorxStartDump(nullptr, &dump); },
        [] { return vorxSetContextParameterF(nullptr, 0, 1.0f); },
    };
    for (std::size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(calls[i](), -4) << "call " << i;
    EXPECT_TRUE(gLog.empty());
    EXPECT_EQ(debugger.Text(), "");
}

TEST_F(KorvaContext, DescriptorHeapFlagNeverReachesTheDriver)
{
    vorx_d3d11_init_params_t read{};
    EXPECT_EQ(vorxD3D11GetInitParams(ctx_, &read), VORX_RESULT_ERROR_UNINITIALIZED_CONTEXT);
    EXPECT_EQ(Init(VORX_INIT_FLAG_EXTERNAL_DESCRIPTOR_HEAP), -4);
    EXPECT_EQ(vorxD3D11GetInitParams(ctx_, &read), VORX_RESULT_ERROR_UNINITIALIZED_CONTEXT);
}

TEST_F(KorvaContext, ExecuteBeforeInitIsReportedAsUninitialized)
{
    const vorx_d3d11_execute_params_t exec = Frame();
    EXPECT_EQ(vorxD3D11Execute(ctx_, &exec), VORX_RESULT_ERROR_UNINITIALIZED_CONTEXT);
    EXPECT_EQ(Messages(), std::vector<std::string>{"vorxD3D11Execute(): Uninitialized context, vorxD3D11Init() not called before."});
}

struct TextureRuleCase {
    const char* name;
    std::uint32_t flags;
    std::function<void(vorx_d3d11_execute_params_t&, ID3D11Texture2D*)> change;
    vorx_result_t code;
    const char* message;
};

void PrintTo(const TextureRuleCase& c, std::ostream* os) { *os << c.name; }

class TextureRules : public KorvaContext, public testing::WithParamInterface<TextureRuleCase> {};

TEST_P(TextureRules, FollowTheFlagsGivenAtInit)
{
    const TextureRuleCase& c = GetParam();
    ASSERT_EQ(Init(c.flags), VORX_RESULT_SUCCESS);
    gLog.clear();
    auto extra = CreateTexture(device_.Get(), 1, 1, DXGI_FORMAT_R32_FLOAT, D3D11_BIND_SHADER_RESOURCE);
    vorx_d3d11_execute_params_t exec = Frame();
    c.change(exec, extra.Get());
    EXPECT_EQ(vorxD3D11Execute(ctx_, &exec), c.code);
    EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
}

const TextureRuleCase kTextureRules[] = {
    {"ExposureMissing", VORX_INIT_FLAG_EXPOSURE_SCALE_TEXTURE, [](auto&, auto*) {}, -4,
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pExposureScaleTexture is NULL but is required since "
     "VORX_INIT_FLAG_EXPOSURE_SCALE_TEXTURE has been set during vorxD3D11Init()."},
    {"ExposureIgnored", 0, [](auto& e, auto* t) { e.pExposureScaleTexture = t; }, 0,
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pExposureScaleTexture is not NULL but is required to be NULL "
     "since VORX_INIT_FLAG_EXPOSURE_SCALE_TEXTURE has not been set during vorxD3D11Init() - this is not a critical "
     "error but vorx_d3d11_execute_params_t::pExposureScaleTexture will be ignored."},
    {"MaskMissing", VORX_INIT_FLAG_RESPONSIVE_PIXEL_MASK, [](auto&, auto*) {}, -4,
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pResponsivePixelMaskTexture is NULL but is required since "
     "VORX_INIT_FLAG_RESPONSIVE_PIXEL_MASK has been set during vorxD3D11Init()."},
    {"MaskIgnored", 0, [](auto& e, auto* t) { e.pResponsivePixelMaskTexture = t; }, 0,
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pResponsivePixelMaskTexture is not NULL but is required to be "
     "NULL since VORX_INIT_FLAG_RESPONSIVE_PIXEL_MASK has not been set during vorxD3D11Init() - this is not a critical "
     "error but vorx_d3d11_execute_params_t::pResponsivePixelMaskTexture will be ignored."},
    {"DepthMissing", 0, [](auto& e, auto*) { e.pDepthTexture = nullptr; }, -4,
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pDepthTexture is NULL but is required since "
     "VORX_INIT_FLAG_HIGH_RES_MV has not been set during vorxD3D11Init()."},
    {"DepthIgnored", VORX_INIT_FLAG_HIGH_RES_MV, [](auto&, auto*) {}, 0,
     "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pDepthTexture is not NULL but is required to be NULL since "
     "VORX_INIT_FLAG_HIGH_RES_MV has been set during vorxD3D11Init() - this is not a critical error but "
     "vorx_d3d11_execute_params_t::pDepthTexture will be ignored."},
};

INSTANTIATE_TEST_SUITE_P(InitFlags, TextureRules, testing::ValuesIn(kTextureRules),
                         [](const testing::TestParamInfo<TextureRuleCase>& info) { return std::string(info.param.name); });

TEST_F(KorvaContext, FullFrameIsUpscaledOnTheGpu)
{
    ASSERT_EQ(Init(), VORX_RESULT_SUCCESS);
    vorx_2d_t input{};
    const vorx_2d_t output{128, 72};
    ASSERT_EQ(vorxGetInputResolution(ctx_, &output, VORX_QUALITY_SETTING_PERFORMANCE, &input), VORX_RESULT_SUCCESS);
    EXPECT_EQ(input.x, 56u); // 128 / 2.3
    EXPECT_EQ(input.y, 31u);
    vorx_d3d11_init_params_t read{};
    ASSERT_EQ(vorxD3D11GetInitParams(ctx_, &read), VORX_RESULT_SUCCESS);
    EXPECT_EQ(read.outputResolution.x, 128u);
    EXPECT_EQ(read.qualitySetings, static_cast<std::uint32_t>(VORX_QUALITY_SETTING_PERFORMANCE));
    const vorx_d3d11_execute_params_t exec = Frame();
    ASSERT_EQ(vorxD3D11Execute(ctx_, &exec), VORX_RESULT_SUCCESS);
    EXPECT_TRUE(gLog.empty());
    EXPECT_LE(MaxDifference(ReadBack(device_.Get(), output_.Get()), BilinearReference(input_, 128, 72)), 2);
    vorx_profiling_data_t* profiling = nullptr;
    ASSERT_EQ(vorxGetProfilingData(ctx_, &profiling), VORX_RESULT_SUCCESS);
    EXPECT_EQ(profiling->frameCount, 1u);
}

TEST_F(KorvaContext, QueriesAndSettingsReachTheDriver)
{
    vorx_2d_t optimal{}, minimum{}, maximum{};
    const vorx_2d_t output{1920, 1080};
    ASSERT_EQ(vorxGetOptimalInputResolution(ctx_, &output, VORX_QUALITY_SETTING_QUALITY, &optimal, &minimum, &maximum), 0);
    EXPECT_EQ(optimal.x, 1129u);
    EXPECT_EQ(minimum.x, 640u);
    EXPECT_EQ(maximum.y, 1080u);
    ASSERT_EQ(vorxForceLegacyScaleFactors(ctx_, 1), 0);
    vorx_2d_t input{};
    ASSERT_EQ(vorxGetInputResolution(ctx_, &output, VORX_QUALITY_SETTING_QUALITY, &input), 0);
    EXPECT_EQ(input.x, 1280u);

    float x = 0, y = 0;
    ASSERT_EQ(vorxSetJitterScale(ctx_, 0.5f, 2.0f), 0);
    ASSERT_EQ(vorxGetJitterScale(ctx_, &x, &y), 0);
    EXPECT_EQ(x, 0.5f);
    EXPECT_EQ(y, 2.0f);
    ASSERT_EQ(vorxSetVelocityScale(ctx_, -1.0f, 1.0f), 0);
    ASSERT_EQ(vorxGetVelocityScale(ctx_, &x, &y), 0);
    EXPECT_EQ(x, -1.0f);
    ASSERT_EQ(vorxSetExposureMultiplier(ctx_, 3.0f), 0);
    ASSERT_EQ(vorxGetExposureMultiplier(ctx_, &x), 0);
    EXPECT_EQ(x, 3.0f);
    EXPECT_EQ(vorxSelectNetworkModel(ctx_, VORX_NETWORK_MODEL_SHARP), 0);
    EXPECT_EQ(vorxIsOptimalDriver(ctx_), 0);

    vorx_version_t version{9, 9, 9, 9};
    ASSERT_EQ(vorxGetVersion(&version), 0);
    EXPECT_EQ(version.major, 2);
    EXPECT_EQ(version.minor, 0);
    EXPECT_EQ(version.patch, 2);
    EXPECT_EQ(version.reserved, 0);
    version = {9, 9, 9, 9};
    ASSERT_EQ(vorxGetKorvaLuFXVersion(ctx_, &version), 0);
    EXPECT_EQ(version.major + version.minor + version.patch + version.reserved, 0);

    void* value = nullptr;
    const ULONG refs = RefCount(korva_.Get());
    ASSERT_EQ(vorxGetContextParameterP(ctx_, CONTEXT_PARAM_D3D11_DEVICE, 8, &value), 0);
    EXPECT_EQ(value, korva_.Get());
    EXPECT_EQ(RefCount(korva_.Get()), refs); // no reference added
}

TEST_F(KorvaContext, LoggingCallbackAlsoGetsTheDriversMessagesFromItsLevel)
{
    ASSERT_EQ(vorxSetLoggingCallback(ctx_, VORX_LOGGING_LEVEL_DEBUG, CollectLog), 0);
    ASSERT_EQ(Init(), 0);
    const vorx_d3d11_execute_params_t exec = Frame();
    ASSERT_EQ(vorxD3D11Execute(ctx_, &exec), 0);
    ASSERT_FALSE(gLog.empty());
    EXPECT_EQ(gLog.back().message, "kvgext64: upscaled 64x36 to 128x72");
    ASSERT_EQ(vorxSetLoggingCallback(ctx_, VORX_LOGGING_LEVEL_ERROR, nullptr), 0);
    gLog.clear();
    EXPECT_EQ(vorxSetExposureMultiplier(ctx_, 0.0f), -4);
    EXPECT_TRUE(gLog.empty());
}

TEST_F(KorvaContext, SupportedButNotOptimalDriver)
{
    const std::uint64_t supportedOnly = vorx::MakeDriverVersion(31, 0, 101, 6470);
    DirectXRegistryEntry first(L"{vorx-api-test-0}", AdapterLuid(device_.Get()), &supportedOnly);
    EXPECT_EQ(vorxIsOptimalDriver(ctx_), VORX_RESULT_WARNING_DRIVER_NOT_OPTIMAL);
    vorx_context_handle_t second = nullptr;
    ASSERT_EQ(vorxD3D11CreateContext(korva_.Get(), &second), VORX_RESULT_SUCCESS);
    EXPECT_EQ(vorxDestroyContext(second), VORX_RESULT_SUCCESS);
}

TEST(OtherVendor, DeviceWithoutAdapterAnswersCountsAsAnotherVendors)
{
    auto device = CreateDevice();
    auto silent = WrapWithoutDxgi(device.Get());
    const ULONG refs = RefCount(silent.Get());
    vorx_context_handle_t ctx = nullptr;
    EXPECT_EQ(vorxD3D11CreateContext(silent.Get(), &ctx), VORX_RESULT_ERROR_UNSUPPORTED_ADAPTER);
    EXPECT_EQ(ctx, nullptr);
    EXPECT_EQ(RefCount(silent.Get()), refs);
}

TEST(Library, ExportsEveryFunctionByName)
{
    HMODULE library = GetModuleHandleW(L"libvorx_dx11.dll");
    ASSERT_NE(library, nullptr);
    const char* names[] = {
        "vorxGetVersion", "vorxGetKorvaLuFXVersion", "vorxD3D11CreateContext", "vorxDestroyContext", "vorxD3D11Init",
        "vorxD3D11GetInitParams", "vorxD3D11Execute", "vorxGetInputResolution", "vorxGetOptimalInputResolution",
        "vorxGetJitterScale", "vorxSetJitterScale", "vorxGetVelocityScale", "vorxSetVelocityScale",
        "vorxSetExposureMultiplier", "vorxGetExposureMultiplier", "vorxSetLoggingCallback", "vorxIsOptimalDriver",
        "vorxSelectNetworkModel", "vorxGetProfilingData", "vorxForceLegacyScaleFactors", "vorxGetContextParameterP",
        "vorxGetProperties", "vorxGetPipelineBuildStatus", "vorxStartDump", "vorxSetContextParameterF",
        "KRVA_D3D11_VorxCreateContext", "KRVA_D3D11_VorxDestroyContext", "KRVA_D3D11_VorxInit",
        "KRVA_D3D11_VorxGetInitParams", "KRVA_D3D11_VorxExecute", "KRVA_D3D11_VorxGetVersion",
        "KRVA_D3D11_VorxGetKorvaLuFXVersion", "KRVA_D3D11_VorxGetInputResolution",
        "KRVA_D3D11_VorxGetOptimalInputResolution", "KRVA_D3D11_VorxGetJitterScale", "KRVA_D3D11_VorxGetVelocityScale",
        "KRVA_D3D11_VorxSetJitterScale", "KRVA_D3D11_VorxSetVelocityScale", "KRVA_D3D11_VorxSetExposureMultiplier",
        "KRVA_D3D11_VorxGetExposureMultiplier", "KRVA_D3D11_VorxSetLoggingCallback", "KRVA_D3D11_VorxIsOptimalDriver",
        "KRVA_D3D11_VorxSelectNetworkModel", "KRVA_D3D11_VorxGetProfilingData",
        "KRVA_D3D11_VorxForceLegacyScaleFactors", "KRVA_D3D12_RegisterDriverCallbacks",
        "KRVA_D3D12_GpuCrashDumpOnDeviceDestroy", "KRVA_D3D12_GetApplicationInfo",
        "KRVA_D3D12_GetGpuCrashDumpBufferInfo", "KRVA_D3D12_GpuCrashDumpOnCommandListCreate",
        "KRVA_D3D12_GpuCrashDumpOnCommandListDestroy",
    };
    for (const char* name : names) EXPECT_NE(GetProcAddress(library, name), nullptr) << name;
}

TEST(Library, CarriesItsVersionResource)
{
    const std::wstring path = ModulePath(GetModuleHandleW(L"libvorx_dx11.dll"));
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00020044u);
    const std::pair<const wchar_t*, const wchar_t*> strings[] = {
        {L"FileVersion", L"2.0.2.68"},           {L"ProductVersion", L"2.0.2.68"},
        {L"FileDescription", L"Vorx SDK"},        {L"ProductName", L"Vorx SDK"},
        {L"InternalName", L"libvorx_dx11.dll"},   {L"OriginalFilename", L"libvorx_dx11.dll"},
    };
    for (const auto& [name, value] : strings) {
        wchar_t* text = nullptr;
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
        ASSERT_TRUE(VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) << Narrow(name);
        EXPECT_EQ(std::wstring(text), value) << Narrow(name);
    }
}

TEST(OtherVendor, WineAdapterIsRefusedAndKeepsNoReference)
{
    auto device = CreateDevice();
    const ULONG refs = RefCount(device.Get());
    vorx_context_handle_t ctx = reinterpret_cast<vorx_context_handle_t>(std::uintptr_t{1});
    EXPECT_EQ(vorxD3D11CreateContext(device.Get(), &ctx), VORX_RESULT_ERROR_UNSUPPORTED_ADAPTER);
    EXPECT_EQ(ctx, nullptr);
    EXPECT_EQ(RefCount(device.Get()), refs);
}

} // namespace
