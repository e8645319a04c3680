#include "arg_checks.hpp"

#include "errors.hpp"

namespace vorx::checks {
namespace {

void Require(bool ok, const char* message)
{
    if (!ok) throw ErrorInvalidArgumentMsg(message);
}

} // namespace

void D3D11CreateContext(const ID3D11Device* device, const vorx_context_handle_t* phContext)
{
    Require(device != nullptr, "vorxD3D11CreateContext(): ID3D11Device* device is NULL.");
    Require(phContext != nullptr, "vorxD3D11CreateContext(): vorx_context_handle_t* phContext is NULL.");
}

void DestroyContext(vorx_context_handle_t hContext)
{
    Require(hContext != nullptr, "vorxDestroyContext(): vorx_context_handle_t hContext is NULL.");
}

void D3D11Init(vorx_context_handle_t hContext, const vorx_d3d11_init_params_t* pInitParams)
{
    Require(hContext != nullptr, "vorxD3D11Init(): vorx_context_handle_t hContext is NULL.");
    Require(pInitParams != nullptr, "vorxD3D11Init(): vorx_d3d11_init_params_t* pInitParams is NULL.");
    Require(IsValidQuality(pInitParams->qualitySetings),
            "vorxD3D11Init(): vorx_d3d11_init_params_t::qualitySetings is invalid.");
    Require((pInitParams->initFlags & VORX_INIT_FLAG_EXTERNAL_DESCRIPTOR_HEAP) == 0,
            "vorxD3D11Init(): vorx for D3D11 doesn't support VORX_INIT_FLAG_EXTERNAL_DESCRIPTOR_HEAP.");
}

void D3D11GetInitParams(vorx_context_handle_t hContext, const vorx_d3d11_init_params_t* pInitParams)
{
    Require(hContext != nullptr, "vorxD3D11GetInitParams(): vorx_context_handle_t hContext is NULL.");
    Require(pInitParams != nullptr, "vorxD3D11GetInitParams(): vorx_d3d11_init_params_t* pInitParams is NULL.");
}

void D3D11Execute(vorx_context_handle_t hContext, const vorx_d3d11_execute_params_t* pExecParams)
{
    Require(hContext != nullptr, "vorxD3D11Execute(): vorx_context_handle_t hContext is NULL.");
    Require(pExecParams != nullptr, "vorxD3D11Execute(): vorx_d3d11_execute_params_t* pExecParams is NULL.");
    // Ordered comparisons: a NaN passes, as the driver treats it as no jitter.
    Require(!(pExecParams->jitterOffsetX < -0.5f || pExecParams->jitterOffsetX > 0.5f),
            "vorxD3D11Execute(): vorx_d3d11_execute_params_t::jitterOffsetX is < -0.5 or > 0.5.");
    Require(!(pExecParams->jitterOffsetY < -0.5f || pExecParams->jitterOffsetY > 0.5f),
            "vorxD3D11Execute(): vorx_d3d11_execute_params_t::jitterOffsetY is < -0.5 or > 0.5.");
    Require(!(pExecParams->exposureScale <= 0.0f), "vorxD3D11Execute(): vorx_d3d11_execute_params_t::exposureScale is < 0.0");
    Require(pExecParams->pColorTexture != nullptr,
            "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pColorTexture is NULL");
    Require(pExecParams->pVelocityTexture != nullptr,
            "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pVelocityTexture is NULL");
    Require(pExecParams->pOutputTexture != nullptr,
            "vorxD3D11Execute(): vorx_d3d11_execute_params_t::pOutputTexture is NULL");
}

void GetInputResolution(vorx_context_handle_t hContext, const vorx_2d_t* pOutputResolution,
                        std::uint32_t qualitySettings, const vorx_2d_t* pInputResolution)
{
    Require(hContext != nullptr, "vorxGetInputResolution(): vorx_context_handle_t hContext is NULL.");
    Require(pOutputResolution != nullptr, "vorxGetInputResolution(): vorx_2d_t *pOutputResolution is NULL.");
    Require(pInputResolution != nullptr, "vorxGetInputResolution(): vorx_2d_t *pInputResolution is NULL.");
    Require(IsValidQuality(qualitySettings), "vorxGetInputResolution(): qualitySettings are invalid.");
}

void GetOptimalInputResolution(vorx_context_handle_t hContext, const vorx_2d_t* pOutputResolution,
                               std::uint32_t qualitySettings, const vorx_2d_t* pInputResolutionOptimal,
                               const vorx_2d_t* pInputResolutionMin, const vorx_2d_t* pInputResolutionMax)
{
    Require(hContext != nullptr, "vorxGetOptimalInputResolution(): vorx_context_handle_t hContext is NULL.");
    Require(pOutputResolution != nullptr, "vorxGetOptimalInputResolution(): vorx_2d_t *pOutputResolution is NULL.");
    Require(pInputResolutionOptimal != nullptr,
            "vorxGetOptimalInputResolution(): vorx_2d_t *pInputResolutionOptimal is NULL.");
    Require(pInputResolutionMin != nullptr, "vorxGetOptimalInputResolution(): vorx_2d_t *pInputResolutionMin is NULL.");
    Require(pInputResolutionMax != nullptr, "vorxGetOptimalInputResolution(): vorx_2d_t *pInputResolutionMax is NULL.");
    Require(IsValidQuality(qualitySettings), "vorxGetOptimalInputResolution(): qualitySettings are invalid.");
}

void GetJitterScale(vorx_context_handle_t hContext, const float* pX, const float* pY)
{
    Require(hContext != nullptr, "vorxGetJitterScale(): vorx_context_handle_t hContext is NULL.");
    Require(pX != nullptr, "vorxGetJitterScale(): float *pX is NULL.");
    Require(pY != nullptr, "vorxGetJitterScale(): float *pY is NULL.");
}

void SetJitterScale(vorx_context_handle_t hContext)
{
    Require(hContext != nullptr, "vorxSetJitterScale(): vorx_context_handle_t hContext is NULL.");
}

void GetVelocityScale(vorx_context_handle_t hContext, const float* pX, const float* pY)
{
    Require(hContext != nullptr, "vorxGetVelocityScale(): vorx_context_handle_t hContext is NULL.");
    Require(pX != nullptr, "vorxGetVelocityScale(): float *pX is NULL.");
    Require(pY != nullptr, "vorxGetVelocityScale(): float *pY is NULL.");
}

void SetVelocityScale(vorx_context_handle_t hContext)
{
    Require(hContext != nullptr, "vorxSetVelocityScale(): vorx_context_handle_t hContext is NULL.");
}

void SetExposureMultiplier(vorx_context_handle_t hContext, float scale)
{
    Require(hContext != nullptr, "vorxSetExposureMultiplier(): vorx_context_handle_t hContext is NULL.");
    Require(!(scale <= 0.0f), "vorxSetExposureMultiplier(): scale is <= 0.0");
}

void GetExposureMultiplier(vorx_context_handle_t hContext, const float* pScale)
{
    Require(hContext != nullptr, "vorxGetExposureMultiplier(): vorx_context_handle_t hContext is NULL.");
    Require(pScale != nullptr, "vorxGetExposureMultiplier(): float* pScale is NULL.");
}

void SetLoggingCallback(vorx_context_handle_t hContext)
{
    Require(hContext != nullptr, "vorxSetLoggingCallback(): vorx_context_handle_t hContext is NULL.");
}

void SelectNetworkModel(vorx_context_handle_t hContext)
{
    Require(hContext != nullptr, "vorxSelectNetworkModel(): vorx_context_handle_t hContext is NULL.");
}

void GetProfilingData(vorx_context_handle_t hContext, vorx_profiling_data_t* const* pProfilingData)
{
    Require(hContext != nullptr, "vorxGetProfilingData(): vorx_context_handle_t hContext is NULL.");
    Require(pProfilingData != nullptr, "vorxGetProfilingData(): vorx_profiling_data_t **pProfilingData is NULL.");
}

void ForceLegacyScaleFactors(vorx_context_handle_t hContext)
{
    Require(hContext != nullptr, "vorxForceLegacyScaleFactors(): vorx_context_handle_t hContext is NULL.");
}

void GetVersion(const vorx_version_t* pVersion)
{
    Require(pVersion != nullptr, "vorxGetVersion(): vorx_version_t* pVesion is NULL.");
}

void GetKorvaLuFXVersion(vorx_context_handle_t hContext, const vorx_version_t* pVersion)
{
    Require(hContext != nullptr, "vorxGetKorvaLuFXVersion(): vorx_context_handle_t hContext is NULL.");
    Require(pVersion != nullptr, "vorxGetKorvaLuFXVersion(): vorx_version_t* pVersion is NULL.");
}

void IsOptimalDriver(vorx_context_handle_t hContext)
{
    Require(hContext != nullptr, "vorxIsOptimalDriver(): vorx_context_handle_t hContext is NULL.");
}

void GetContextParameterP(vorx_context_handle_t hContext)
{
    Require(hContext != nullptr, "vorxGetContextParameterP(): vorx_context_handle_t hContext is NULL.");
}

void GetProperties(vorx_context_handle_t hContext, const vorx_properties_t* pBindingProperties,
                   const vorx_2d_t* pOutputResolution)
{
    Require(hContext != nullptr, "vorxGetProperties(): vorx_context_handle_t hContext is NULL.");
    Require(pOutputResolution != nullptr, "vorxGetProperties(): vorx_2d_t *pOutputResolution is NULL.");
    Require(pBindingProperties != nullptr, "vorxGetProperties(): vorx_properties_t *pBindingProperties is NULL.");
}

void GetPipelineBuildStatus(vorx_context_handle_t hContext)
{
    Require(hContext != nullptr, "vorxGetPipelineBuildStatus(): vorx_context_handle_t hContext is NULL.");
}

void StartDump(vorx_context_handle_t hContext, const vorx_dump_parameters_t* dump_parameters)
{
    Require(hContext != nullptr, "vorxStartDump(): vorx_context_handle_t hContext is NULL.");
    Require(dump_parameters != nullptr, "vorxStartDump(): vorx_dump_parameters_t *dump_parameters is NULL.");
    Require(dump_parameters->path != nullptr, "vorxStartDump(): const char* vorx_dump_parameters_t::path is NULL.");
}

void SetContextParameterF(vorx_context_handle_t hContext)
{
    Require(hContext != nullptr, "vorxSetContextParameterF(): vorx_context_handle_t hContext is NULL.");
}

} // namespace vorx::checks
