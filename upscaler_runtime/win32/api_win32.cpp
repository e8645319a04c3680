// The exported vorx* functions: test the arguments, resolve the context, hand
// the call on, and turn every failure into its result code. Nothing thrown
// inside ever crosses into the game.
#include <exception>

#include "../core/arg_checks.hpp"
#include "../core/errors.hpp"
#include "context_win32.hpp"

namespace {

using vorx::LogMessage;
using vorx::ResolveContext;

// Failures are also reported to the context's logger at ERROR.
template <typename Body>
vorx_result_t Logged(vorx_context_handle_t hContext, Body&& body) noexcept
{
    try {
        return body();
    } catch (const vorx::vorxBaseException& e) {
        LogMessage(hContext, e.what(), VORX_LOGGING_LEVEL_ERROR);
        return e.result();
    } catch (const std::exception& e) {
        LogMessage(hContext, e.what(), VORX_LOGGING_LEVEL_ERROR);
        return VORX_RESULT_ERROR_UNEXPECTED;
    } catch (...) {
        return VORX_RESULT_ERROR_UNEXPECTED;
    }
}

// Failures only become codes.
template <typename Body>
vorx_result_t Quiet(Body&& body) noexcept
{
    try {
        return body();
    } catch (const vorx::vorxBaseException& e) {
        return e.result();
    } catch (...) {
        return VORX_RESULT_ERROR_UNEXPECTED;
    }
}

void LogError(vorx_context_handle_t hContext, const char* message)
{
    LogMessage(hContext, message, VORX_LOGGING_LEVEL_ERROR);
}

// The three textures whose need depends on the flags given at init. Returns
// -4 for a missing required one; a superfluous one is noted and ignored.
vorx_result_t CheckFlagDependentTextures(vorx_context_handle_t hContext, std::uint32_t flags,
                                         const vorx_d3d11_execute_params_t& params)
{
    const bool wantsExposure = (flags & VORX_INIT_FLAG_EXPOSURE_SCALE_TEXTURE) != 0;
    if (wantsExposure && params.pExposureScaleTexture == nullptr) {
        LogError(hContext, "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pExposureScaleTexture is NULL but is "
                           "required since VORX_INIT_FLAG_EXPOSURE_SCALE_TEXTURE has been set during vorxD3D11Init().");
        return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    }
    if (!wantsExposure && params.pExposureScaleTexture != nullptr) {
        LogError(hContext,
                 "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pExposureScaleTexture is not NULL but is required "
                 "to be NULL since VORX_INIT_FLAG_EXPOSURE_SCALE_TEXTURE has not been set during vorxD3D11Init() - "
                 "this is not a critical error but vorx_d3d11_execute_params_t::pExposureScaleTexture will be "
                 "ignored.");
    }
    const bool wantsMask = (flags & VORX_INIT_FLAG_RESPONSIVE_PIXEL_MASK) != 0;
    if (wantsMask && params.pResponsivePixelMaskTexture == nullptr) {
        LogError(hContext, "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pResponsivePixelMaskTexture is NULL but "
                           "is required since VORX_INIT_FLAG_RESPONSIVE_PIXEL_MASK has been set during "
                           "vorxD3D11Init().");
        return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    }
    if (!wantsMask && params.pResponsivePixelMaskTexture != nullptr) {
        LogError(hContext,
                 "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pResponsivePixelMaskTexture is not NULL but is "
                 "required to be NULL since VORX_INIT_FLAG_RESPONSIVE_PIXEL_MASK has not been set during "
                 "vorxD3D11Init() - this is not a critical error but "
                 "vorx_d3d11_execute_params_t::pResponsivePixelMaskTexture will be ignored.");
    }
    const bool highResMotion = (flags & VORX_INIT_FLAG_HIGH_RES_MV) != 0;
    if (!highResMotion && params.pDepthTexture == nullptr) {
        LogError(hContext, "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pDepthTexture is NULL but is required "
                           "since VORX_INIT_FLAG_HIGH_RES_MV has not been set during vorxD3D11Init().");
        return VORX_RESULT_ERROR_INVALID_ARGUMENT;
    }
    if (highResMotion && params.pDepthTexture != nullptr) {
        LogError(hContext, "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pDepthTexture is not NULL but is "
                           "required to be NULL since VORX_INIT_FLAG_HIGH_RES_MV has been set during vorxD3D11Init() "
                           "- this is not a critical error but vorx_d3d11_execute_params_t::pDepthTexture will be "
                           "ignored.");
    }
    return VORX_RESULT_SUCCESS;
}

} // namespace

namespace checks = vorx::checks;

extern "C" {

vorx_result_t vorxD3D11CreateContext(ID3D11Device* device, vorx_context_handle_t* phContext)
{
    return Quiet([&] {
        checks::D3D11CreateContext(device, phContext);
        *phContext = nullptr;
        return vorx::CreateContext(device, phContext);
    });
}

vorx_result_t vorxDestroyContext(vorx_context_handle_t hContext)
{
    return Logged(hContext, [&] {
        checks::DestroyContext(hContext);
        return vorx::DestroyContext(hContext);
    });
}

vorx_result_t vorxD3D11Init(vorx_context_handle_t hContext, const vorx_d3d11_init_params_t* pInitParams)
{
    return Logged(hContext, [&] {
        checks::D3D11Init(hContext, pInitParams);
        return ResolveContext(hContext).Init(pInitParams);
    });
}

vorx_result_t vorxD3D11GetInitParams(vorx_context_handle_t hContext, vorx_d3d11_init_params_t* pInitParams)
{
    return Quiet([&] {
        checks::D3D11GetInitParams(hContext, pInitParams);
        return ResolveContext(hContext).GetInitParams(pInitParams);
    });
}

vorx_result_t vorxD3D11Execute(vorx_context_handle_t hContext, const vorx_d3d11_execute_params_t* pExecParams)
{
    return Logged(hContext, [&] {
        checks::D3D11Execute(hContext, pExecParams);
        vorx::D3D11Context& context = ResolveContext(hContext);
        vorx_d3d11_init_params_t init{};
        const vorx_result_t initResult = context.GetInitParams(&init);
        if (initResult != VORX_RESULT_SUCCESS) {
            if (initResult == VORX_RESULT_ERROR_UNINITIALIZED_CONTEXT) {
                LogError(hContext, "vorxD3D11Execute(): Uninitialized context, vorxD3D11Init() not called before.");
            }
            return initResult;
        }
        const vorx_result_t textures = CheckFlagDependentTextures(hContext, init.initFlags, *pExecParams);
        if (textures != VORX_RESULT_SUCCESS) return textures;
        return context.Execute(pExecParams);
    });
}

vorx_result_t vorxGetInputResolution(vorx_context_handle_t hContext, const vorx_2d_t* pOutputResolution,
                                     vorx_quality_settings_t qualitySettings, vorx_2d_t* pInputResolution)
{
    return Logged(hContext, [&] {
        checks::GetInputResolution(hContext, pOutputResolution, qualitySettings, pInputResolution);
        return ResolveContext(hContext).GetInputResolution(pOutputResolution, qualitySettings, pInputResolution);
    });
}

vorx_result_t vorxGetOptimalInputResolution(vorx_context_handle_t hContext, const vorx_2d_t* pOutputResolution,
                                            vorx_quality_settings_t qualitySettings,
                                            vorx_2d_t* pInputResolutionOptimal, vorx_2d_t* pInputResolutionMin,
                                            vorx_2d_t* pInputResolutionMax)
{
    return Logged(hContext, [&] {
        checks::GetOptimalInputResolution(hContext, pOutputResolution, qualitySettings, pInputResolutionOptimal,
                                          pInputResolutionMin, pInputResolutionMax);
        return ResolveContext(hContext).GetOptimalInputResolution(pOutputResolution, qualitySettings,
                                                                  pInputResolutionOptimal, pInputResolutionMin,
                                                                  pInputResolutionMax);
    });
}

vorx_result_t vorxGetJitterScale(vorx_context_handle_t hContext, float* pX, float* pY)
{
    return Quiet([&] {
        checks::GetJitterScale(hContext, pX, pY);
        return ResolveContext(hContext).GetJitterScale(pX, pY);
    });
}

vorx_result_t vorxSetJitterScale(vorx_context_handle_t hContext, float x, float y)
{
    return Logged(hContext, [&] {
        checks::SetJitterScale(hContext);
        return ResolveContext(hContext).SetJitterScale(x, y);
    });
}

vorx_result_t vorxGetVelocityScale(vorx_context_handle_t hContext, float* pX, float* pY)
{
    return Quiet([&] {
        checks::GetVelocityScale(hContext, pX, pY);
        return ResolveContext(hContext).GetVelocityScale(pX, pY);
    });
}

vorx_result_t vorxSetVelocityScale(vorx_context_handle_t hContext, float x, float y)
{
    return Logged(hContext, [&] {
        checks::SetVelocityScale(hContext);
        return ResolveContext(hContext).SetVelocityScale(x, y);
    });
}

vorx_result_t vorxSetExposureMultiplier(vorx_context_handle_t hContext, float scale)
{
    return Logged(hContext, [&] {
        checks::SetExposureMultiplier(hContext, scale);
        return ResolveContext(hContext).SetExposureMultiplier(scale);
    });
}

vorx_result_t vorxGetExposureMultiplier(vorx_context_handle_t hContext, float* pScale)
{
    return Quiet([&] {
        checks::GetExposureMultiplier(hContext, pScale);
        return ResolveContext(hContext).GetExposureMultiplier(pScale);
    });
}

vorx_result_t vorxSetLoggingCallback(vorx_context_handle_t hContext, vorx_logging_level_t loggingLevel,
                                     vorx_app_log_callback_t callback)
{
    return Logged(hContext, [&] {
        checks::SetLoggingCallback(hContext);
        return ResolveContext(hContext).SetLoggingCallback(loggingLevel, callback);
    });
}

vorx_result_t vorxSelectNetworkModel(vorx_context_handle_t hContext, vorx_network_model_t network)
{
    return Logged(hContext, [&] {
        checks::SelectNetworkModel(hContext);
        return ResolveContext(hContext).SelectNetworkModel(network);
    });
}

vorx_result_t vorxGetProfilingData(vorx_context_handle_t hContext, vorx_profiling_data_t** pProfilingData)
{
    return Logged(hContext, [&] {
        checks::GetProfilingData(hContext, pProfilingData);
        return ResolveContext(hContext).GetProfilingData(pProfilingData);
    });
}

vorx_result_t vorxForceLegacyScaleFactors(vorx_context_handle_t hContext, uint8_t force)
{
    return Logged(hContext, [&] {
        checks::ForceLegacyScaleFactors(hContext);
        return ResolveContext(hContext).ForceLegacyScaleFactors(force);
    });
}

vorx_result_t vorxGetVersion(vorx_version_t* pVersion)
{
    return Quiet([&] {
        checks::GetVersion(pVersion);
        *pVersion = vorx_version_t{VORX_VERSION_MAJOR, VORX_VERSION_MINOR, VORX_VERSION_PATCH, 0};
        return VORX_RESULT_SUCCESS;
    });
}

vorx_result_t vorxGetKorvaLuFXVersion(vorx_context_handle_t hContext, vorx_version_t* pVersion)
{
    return Quiet([&] {
        checks::GetKorvaLuFXVersion(hContext, pVersion);
        ResolveContext(hContext);
        *pVersion = vorx_version_t{0, 0, 0, 0};
        return VORX_RESULT_SUCCESS;
    });
}

vorx_result_t vorxIsOptimalDriver(vorx_context_handle_t hContext)
{
    return Logged(hContext, [&] {
        checks::IsOptimalDriver(hContext);
        return ResolveContext(hContext).IsOptimalDriver();
    });
}

vorx_result_t vorxGetContextParameterP(vorx_context_handle_t hContext, vorx_context_parameter_t param, uint32_t size,
                                       void** pValue)
{
    return Logged(hContext, [&] {
        checks::GetContextParameterP(hContext);
        vorx::D3D11Context& context = ResolveContext(hContext);
        // A null pValue is refused like an unknown parameter instead of written through.
        if (param != CONTEXT_PARAM_D3D11_DEVICE || size != 8 || pValue == nullptr) {
            return static_cast<vorx_result_t>(VORX_RESULT_ERROR_INVALID_ARGUMENT);
        }
        *pValue = context.Device();
        return static_cast<vorx_result_t>(VORX_RESULT_SUCCESS);
    });
}

vorx_result_t vorxGetProperties(vorx_context_handle_t hContext, vorx_properties_t* pBindingProperties,
                                const vorx_2d_t* pOutputResolution)
{
    return Logged(hContext, [&] {
        checks::GetProperties(hContext, pBindingProperties, pOutputResolution);
        return static_cast<vorx_result_t>(VORX_RESULT_ERROR_UNSUPPORTED_FEATURE);
    });
}

vorx_result_t vorxGetPipelineBuildStatus(vorx_context_handle_t hContext)
{
    return Logged(hContext, [&] {
        checks::GetPipelineBuildStatus(hContext);
        return static_cast<vorx_result_t>(VORX_RESULT_ERROR_UNSUPPORTED_FEATURE);
    });
}

vorx_result_t vorxStartDump(vorx_context_handle_t hContext, const vorx_dump_parameters_t* dump_parameters)
{
    return Logged(hContext, [&] {
        checks::StartDump(hContext, dump_parameters);
        return static_cast<vorx_result_t>(VORX_RESULT_ERROR_NOT_IMPLEMENTED);
    });
}

vorx_result_t vorxSetContextParameterF(vorx_context_handle_t hContext, vorx_context_parameter_t, float)
{
    return Logged(hContext, [&] {
        checks::SetContextParameterF(hContext);
        return static_cast<vorx_result_t>(VORX_RESULT_ERROR_NOT_IMPLEMENTED);
    });
}

} // extern "C"
