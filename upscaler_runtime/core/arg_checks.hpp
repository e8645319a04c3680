// The argument tests of every exported vorx* function, in the order they run.
// Each throws ErrorInvalidArgumentMsg with the first failing test's message;
// the exports call them before anything else happens.
#pragma once

#include <cstdint>

#include "vorx_d3d11.h"

namespace vorx::checks {

// Quality presets 100 to 106, as one unsigned comparison.
constexpr bool IsValidQuality(std::uint32_t quality) { return quality - 100u <= 6u; }

void D3D11CreateContext(const ID3D11Device* device, const vorx_context_handle_t* phContext);
void DestroyContext(vorx_context_handle_t hContext);
void D3D11Init(vorx_context_handle_t hContext, const vorx_d3d11_init_params_t* pInitParams);
void D3D11GetInitParams(vorx_context_handle_t hContext, const vorx_d3d11_init_params_t* pInitParams);
// Steps before the context is resolved: handle, record, jitter, exposure, the three required textures.
void D3D11Execute(vorx_context_handle_t hContext, const vorx_d3d11_execute_params_t* pExecParams);
void GetInputResolution(vorx_context_handle_t hContext, const vorx_2d_t* pOutputResolution,
                        std::uint32_t qualitySettings, const vorx_2d_t* pInputResolution);
void GetOptimalInputResolution(vorx_context_handle_t hContext, const vorx_2d_t* pOutputResolution,
                               std::uint32_t qualitySettings, const vorx_2d_t* pInputResolutionOptimal,
                               const vorx_2d_t* pInputResolutionMin, const vorx_2d_t* pInputResolutionMax);
void GetJitterScale(vorx_context_handle_t hContext, const float* pX, const float* pY);
void SetJitterScale(vorx_context_handle_t hContext);
void GetVelocityScale(vorx_context_handle_t hContext, const float* pX, const float* pY);
void SetVelocityScale(vorx_context_handle_t hContext);
void SetExposureMultiplier(vorx_context_handle_t hContext, float scale);
void GetExposureMultiplier(vorx_context_handle_t hContext, const float* pScale);
void SetLoggingCallback(vorx_context_handle_t hContext);
void SelectNetworkModel(vorx_context_handle_t hContext);
void GetProfilingData(vorx_context_handle_t hContext, vorx_profiling_data_t* const* pProfilingData);
void ForceLegacyScaleFactors(vorx_context_handle_t hContext);
void GetVersion(const vorx_version_t* pVersion);
void GetKorvaLuFXVersion(vorx_context_handle_t hContext, const vorx_version_t* pVersion);
void IsOptimalDriver(vorx_context_handle_t hContext);
void GetContextParameterP(vorx_context_handle_t hContext);
void GetProperties(vorx_context_handle_t hContext, const vorx_properties_t* pBindingProperties,
                   const vorx_2d_t* pOutputResolution);
void GetPipelineBuildStatus(vorx_context_handle_t hContext);
void StartDump(vorx_context_handle_t hContext, const vorx_dump_parameters_t* dump_parameters);
void SetContextParameterF(vorx_context_handle_t hContext);

} // namespace vorx::checks
