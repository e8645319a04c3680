/*
 * Vorx upscaler on Direct3D 11 (libvorx_dx11.dll).
 *
 * A frame:
 *   vorxD3D11CreateContext(device, &ctx);
 *   vorxD3D11Init(ctx, &init);                 once, and again when the output size changes
 *   vorxGetInputResolution(ctx, &out, quality, &in);   render the scene at this size
 *   vorxD3D11Execute(ctx, &exec);              every frame, on the immediate context
 *   vorxDestroyContext(ctx);
 */
#ifndef VORX_D3D11_H
#define VORX_D3D11_H

#include "vorx.h"

/* Only pointers are needed here, so <d3d11.h> stays the game's choice. */
typedef struct ID3D11Device ID3D11Device;
typedef struct ID3D11Resource ID3D11Resource;

#ifdef __cplusplus
extern "C" {
#endif

typedef struct vorx_d3d11_init_params {
    /* Size of the upscaled image written into pOutputTexture. */
    vorx_2d_t outputResolution;
    /* One of vorx_quality_setting (100 to 106). */
    vorx_quality_settings_t qualitySetings;
    /* vorx_init_flag bits. */
    vorx_init_flags_t initFlags;
} vorx_d3d11_init_params_t;

typedef struct vorx_d3d11_execute_params {
    /* Rendered frame at input resolution; needs shader-resource binding. */
    ID3D11Resource* pColorTexture;
    /* Motion vectors in pixels (x, y). */
    ID3D11Resource* pVelocityTexture;
    /* Needed unless VORX_INIT_FLAG_HIGH_RES_MV; must be NULL with it. */
    ID3D11Resource* pDepthTexture;
    /* Needed with VORX_INIT_FLAG_EXPOSURE_SCALE_TEXTURE, NULL otherwise. */
    ID3D11Resource* pExposureScaleTexture;
    /* Needed with VORX_INIT_FLAG_RESPONSIVE_PIXEL_MASK, NULL otherwise. */
    ID3D11Resource* pResponsivePixelMaskTexture;
    /* Upscaled result; needs unordered-access or render-target binding. */
    ID3D11Resource* pOutputTexture;
    /* Sub-pixel offset of this frame's projection, in input pixels, -0.5 to 0.5. */
    float jitterOffsetX;
    float jitterOffsetY;
    /* Greater than 0. */
    float exposureScale;
    /* Non-zero when the history must be dropped (camera cut). */
    uint32_t resetHistory;
    /* Rendered area inside pColorTexture; 0 means the whole texture. */
    uint32_t inputWidth;
    uint32_t inputHeight;
    vorx_coord_t inputColorBase;
    vorx_coord_t inputMotionVectorBase;
    vorx_coord_t inputDepthBase;
    vorx_coord_t inputResponsiveMaskBase;
    /* Where the output area starts inside pOutputTexture. */
    vorx_coord_t outputColorBase;
} vorx_d3d11_execute_params_t;

/* Fails with VORX_RESULT_ERROR_UNSUPPORTED_ADAPTER on non-Korva GPUs: fall back to
   another upscaler then. The context keeps one reference on device. */
vorx_result_t vorxD3D11CreateContext(ID3D11Device* device, vorx_context_handle_t* phContext);
vorx_result_t vorxD3D11Init(vorx_context_handle_t hContext, const vorx_d3d11_init_params_t* pInitParams);
vorx_result_t vorxD3D11GetInitParams(vorx_context_handle_t hContext, vorx_d3d11_init_params_t* pInitParams);
vorx_result_t vorxD3D11Execute(vorx_context_handle_t hContext, const vorx_d3d11_execute_params_t* pExecParams);

#ifdef __cplusplus
}
#endif

#endif /* VORX_D3D11_H */
