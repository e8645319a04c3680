/*
 * Vorx upscaler: types shared by every graphics API.
 *
 * Every vorx* function returns a vorx_result_t. Zero is success, positive
 * values are warnings, negative values are errors. Values not listed below
 * come from the display driver and are passed back unchanged.
 */
#ifndef VORX_H
#define VORX_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define VORX_VERSION_MAJOR 2
#define VORX_VERSION_MINOR 0
#define VORX_VERSION_PATCH 2

typedef int32_t vorx_result_t;

enum vorx_result_code {
    VORX_RESULT_SUCCESS = 0,
    /* The installed display driver works but is not the one recommended. */
    VORX_RESULT_WARNING_DRIVER_NOT_OPTIMAL = 2,
    /* The device's adapter is not a Korva GPU. */
    VORX_RESULT_ERROR_UNSUPPORTED_ADAPTER = -1,
    /* The installed Korva driver is too old (or of an unsupported branch). */
    VORX_RESULT_ERROR_UNSUPPORTED_DRIVER_VERSION = -2,
    /* vorxD3D11Execute (or a query) before vorxD3D11Init. */
    VORX_RESULT_ERROR_UNINITIALIZED_CONTEXT = -3,
    /* An argument failed its test; the logging callback receives the reason. */
    VORX_RESULT_ERROR_INVALID_ARGUMENT = -4,
    VORX_RESULT_ERROR_NOT_IMPLEMENTED = -7,
    /* A handle that is not a Vorx context, or a driver lacking the operation. */
    VORX_RESULT_ERROR_INVALID_CONTEXT = -8,
    VORX_RESULT_ERROR_UNSUPPORTED_FEATURE = -10,
    /* The driver's extensions library could not be found or refused us. */
    VORX_RESULT_ERROR_EXTENSION_UNAVAILABLE = -11,
    VORX_RESULT_ERROR_UNEXPECTED = -1000
};

/* Opaque handle of one context; a context belongs to one device. */
typedef struct vorx_context_handle_opaque* vorx_context_handle_t;

typedef struct vorx_2d {
    uint32_t x;
    uint32_t y;
} vorx_2d_t;

/* A pixel position inside a texture. */
typedef struct vorx_coord {
    uint32_t x;
    uint32_t y;
} vorx_coord_t;

typedef struct vorx_version {
    uint16_t major;
    uint16_t minor;
    uint16_t patch;
    uint16_t reserved;
} vorx_version_t;

/* Quality presets: how much smaller than the output the game renders. */
typedef uint32_t vorx_quality_settings_t;
enum vorx_quality_setting {
    VORX_QUALITY_SETTING_ULTRA_PERFORMANCE = 100,
    VORX_QUALITY_SETTING_PERFORMANCE = 101,
    VORX_QUALITY_SETTING_BALANCED = 102,
    VORX_QUALITY_SETTING_QUALITY = 103,
    VORX_QUALITY_SETTING_ULTRA_QUALITY = 104,
    VORX_QUALITY_SETTING_ULTRA_QUALITY_PLUS = 105,
    VORX_QUALITY_SETTING_NATIVE_AA = 106
};

/* Flags of vorx_d3d11_init_params_t::initFlags. */
typedef uint32_t vorx_init_flags_t;
enum vorx_init_flag {
    VORX_INIT_FLAG_NONE = 0,
    /* Motion vectors are given at output resolution; no depth texture then. */
    VORX_INIT_FLAG_HIGH_RES_MV = 0x1,
    /* The exposure comes from a 1x1 texture instead of exposureScale. */
    VORX_INIT_FLAG_EXPOSURE_SCALE_TEXTURE = 0x4,
    /* The game marks pixels that must follow the current frame closely. */
    VORX_INIT_FLAG_RESPONSIVE_PIXEL_MASK = 0x8,
    /* Not available on Direct3D 11; vorxD3D11Init refuses it. */
    VORX_INIT_FLAG_EXTERNAL_DESCRIPTOR_HEAP = 0x20
};

typedef int32_t vorx_logging_level_t;
enum vorx_logging_level {
    VORX_LOGGING_LEVEL_DEBUG = 0,
    VORX_LOGGING_LEVEL_INFO = 1,
    VORX_LOGGING_LEVEL_WARNING = 2,
    VORX_LOGGING_LEVEL_ERROR = 3
};

/* Receives the bare message text (no prefix, no line break). */
typedef void (*vorx_app_log_callback_t)(const char* message, vorx_logging_level_t loggingLevel);

typedef uint32_t vorx_network_model_t;
enum vorx_network_model {
    VORX_NETWORK_MODEL_DEFAULT = 0,
    VORX_NETWORK_MODEL_SHARP = 1,
    VORX_NETWORK_MODEL_SMOOTH = 2
};

/* Parameters of vorxStartDump; only path is read by the runtime itself. */
typedef struct vorx_dump_parameters {
    const char* path;
    uint32_t frameIndex;
    uint32_t frameCount;
    uint32_t dumpElementsMask;
} vorx_dump_parameters_t;

/* Resource needs of a context; not reported on Direct3D 11. */
typedef struct vorx_properties {
    uint64_t tempBufferHeapSize;
    uint64_t tempTextureHeapSize;
} vorx_properties_t;

typedef struct vorx_profiled_frame_data {
    uint64_t frameIndex;
    uint64_t gpuDurationNanoseconds;
} vorx_profiled_frame_data_t;

typedef struct vorx_profiling_data {
    uint64_t frameCount;
    vorx_profiled_frame_data_t* frames;
    uint8_t anyProfilingDataInProgress;
} vorx_profiling_data_t;

typedef uint32_t vorx_context_parameter_t;
/* vorxGetContextParameterP: the context's ID3D11Device (value size 8, no reference added). */
#define CONTEXT_PARAM_D3D11_DEVICE ((vorx_context_parameter_t)0xFF100000u)

/* Needs no context: the version of this runtime (2.0.2). */
vorx_result_t vorxGetVersion(vorx_version_t* pVersion);

vorx_result_t vorxGetKorvaLuFXVersion(vorx_context_handle_t hContext, vorx_version_t* pVersion);
vorx_result_t vorxDestroyContext(vorx_context_handle_t hContext);
vorx_result_t vorxGetInputResolution(vorx_context_handle_t hContext, const vorx_2d_t* pOutputResolution,
                                     vorx_quality_settings_t qualitySettings, vorx_2d_t* pInputResolution);
vorx_result_t vorxGetOptimalInputResolution(vorx_context_handle_t hContext, const vorx_2d_t* pOutputResolution,
                                            vorx_quality_settings_t qualitySettings,
                                            vorx_2d_t* pInputResolutionOptimal, vorx_2d_t* pInputResolutionMin,
                                            vorx_2d_t* pInputResolutionMax);
vorx_result_t vorxGetJitterScale(vorx_context_handle_t hContext, float* pX, float* pY);
vorx_result_t vorxSetJitterScale(vorx_context_handle_t hContext, float x, float y);
vorx_result_t vorxGetVelocityScale(vorx_context_handle_t hContext, float* pX, float* pY);
vorx_result_t vorxSetVelocityScale(vorx_context_handle_t hContext, float x, float y);
vorx_result_t vorxSetExposureMultiplier(vorx_context_handle_t hContext, float scale);
vorx_result_t vorxGetExposureMultiplier(vorx_context_handle_t hContext, float* pScale);
/* Messages at or above loggingLevel reach callback, from the runtime and from the driver. */
vorx_result_t vorxSetLoggingCallback(vorx_context_handle_t hContext, vorx_logging_level_t loggingLevel,
                                     vorx_app_log_callback_t callback);
/* VORX_RESULT_WARNING_DRIVER_NOT_OPTIMAL when a newer driver is recommended. */
vorx_result_t vorxIsOptimalDriver(vorx_context_handle_t hContext);
vorx_result_t vorxSelectNetworkModel(vorx_context_handle_t hContext, vorx_network_model_t network);
vorx_result_t vorxGetProfilingData(vorx_context_handle_t hContext, vorx_profiling_data_t** pProfilingData);
/* Use the scale factors of earlier releases for the quality presets. */
vorx_result_t vorxForceLegacyScaleFactors(vorx_context_handle_t hContext, uint8_t force);
vorx_result_t vorxGetContextParameterP(vorx_context_handle_t hContext, vorx_context_parameter_t param,
                                       uint32_t size, void** pValue);
/* Not available on Direct3D 11. */
vorx_result_t vorxGetProperties(vorx_context_handle_t hContext, vorx_properties_t* pBindingProperties,
                                const vorx_2d_t* pOutputResolution);
vorx_result_t vorxGetPipelineBuildStatus(vorx_context_handle_t hContext);
vorx_result_t vorxStartDump(vorx_context_handle_t hContext, const vorx_dump_parameters_t* dump_parameters);
vorx_result_t vorxSetContextParameterF(vorx_context_handle_t hContext, vorx_context_parameter_t param, float value);

#ifdef __cplusplus
}
#endif

#endif /* VORX_H */
