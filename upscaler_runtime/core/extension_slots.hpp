// Entry points of the driver extensions library, in ExtensionTable slot order.
#pragma once

#include <array>
#include <cstddef>

namespace vorx::loader {

// Slot 0 holds the module handle, slots 1 to 121 the entry points below,
// slots 122 to 125 are reserved.
inline constexpr std::size_t kExtensionTableSlots = 126;
inline constexpr std::size_t kFirstEntrySlot = 1;
inline constexpr std::size_t kLastEntrySlot = 121;

inline constexpr std::array<const char*, kLastEntrySlot + 1> kExtensionSlotNames = {
    nullptr, // module handle
    "_KRVA_D3D11_GetSupportedVersions", // 1
    "_KRVA_D3D11_CreateDeviceExtensionContext", // 2
    "_KRVA_D3D11_CreateDeviceExtensionContext1", // 3
    "_KRVA_D3D11_RegisterApplicationCallbacks", // 4
    "_KRVA_D3D12_GetSupportedVersions", // 5
    "_KRVA_D3D12_CreateDeviceExtensionContext", // 6
    "_KRVA_D3D12_CreateDeviceExtensionContext1", // 7
    "_KRVA_D3D12_RegisterApplicationCallbacks", // 8
    "_KRVA_CreateDeviceExtensionContext", // 9
    "_KRVA_CreateDeviceExtensionContext1", // 10
    "_KRVA_DestroyDeviceExtensionContext", // 11
    "_KRVA_D3D11_BeginUAVOverlap", // 12
    "_KRVA_D3D11_EndUAVOverlap", // 13
    "_KRVA_D3D11_MultiDrawInstancedIndirect", // 14
    "_KRVA_D3D11_MultiDrawIndexedInstancedIndirect", // 15
    "_KRVA_D3D11_MultiDrawInstancedIndirectCountIndirect", // 16
    "_KRVA_D3D11_MultiDrawIndexedInstancedIndirectCountIndirect", // 17
    "_KRVA_D3D11_SetDepthBounds", // 18
    "_KRVA_D3D11_CreateTexture2D", // 19
    "_KRVA_D3D11_VorxCreateContext", // 20
    "_KRVA_D3D11_VorxDestroyContext", // 21
    "_KRVA_D3D11_VorxInit", // 22
    "_KRVA_D3D11_VorxGetInitParams", // 23
    "_KRVA_D3D11_VorxExecute", // 24
    "_KRVA_D3D11_VorxGetVersion", // 25
    "_KRVA_D3D11_VorxGetKorvaLuFXVersion", // 26
    "_KRVA_D3D11_VorxGetInputResolution", // 27
    "_KRVA_D3D11_VorxGetOptimalInputResolution", // 28
    "_KRVA_D3D11_VorxGetJitterScale", // 29
    "_KRVA_D3D11_VorxGetVelocityScale", // 30
    "_KRVA_D3D11_VorxSetJitterScale", // 31
    "_KRVA_D3D11_VorxSetVelocityScale", // 32
    "_KRVA_D3D11_VorxSetExposureMultiplier", // 33
    "_KRVA_D3D11_VorxGetExposureMultiplier", // 34
    "_KRVA_D3D11_VorxSetLoggingCallback", // 35
    "_KRVA_D3D11_VorxIsOptimalDriver", // 36
    "_KRVA_D3D11_VorxSelectNetworkModel", // 37
    "_KRVA_D3D11_VorxGetProfilingData", // 38
    "_KRVA_D3D11_VorxForceLegacyScaleFactors", // 39
    "_KRVA_D3D12_CreateCommandQueue", // 40
    "_KRVA_D3D12_CreateComputePipelineState", // 41
    "_KRVA_D3D12_CreateReservedResource", // 42
    "_KRVA_D3D12_CreateCommittedResource", // 43
    "_KRVA_D3D12_CreateCommittedResource1", // 44
    "_KRVA_D3D12_CreateHeap", // 45
    "_KRVA_D3D12_CreatePlacedResource", // 46
    "_KRVA_D3D12_CreateHostRTASResource", // 47
    "_KRVA_D3D12_BuildRaytracingAccelerationStructure_Host", // 48
    "_KRVA_D3D12_CopyRaytracingAccelerationStructure_Host", // 49
    "_KRVA_D3D12_EmitRaytracingAccelerationStructurePostbuildInfo_Host", // 50
    "_KRVA_D3D12_GetRaytracingAccelerationStructurePrebuildInfo_Host", // 51
    "_KRVA_D3D12_TransferHostRTAS", // 52
    "_KRVA_D3D12_SetDriverEventMetadata", // 53
    "_KRVA_D3D12_QueryCpuVisibleVidmem", // 54
    "_KRVA_D3D12_CreateStateObject", // 55
    "_KRVA_D3D12_BuildRaytracingAccelerationStructure", // 56
    "_KRVA_D3D12_GetRaytracingAccelerationStructurePrebuildInfo", // 57
    "_KRVA_D3D12_SetFeatureSupport", // 58
    "_KRVA_D3D12_GetResourceAllocationInfo", // 59
    "_KRVA_D3D12_CheckFeatureSupport", // 60
    "_KRVA_D3D12_AddShaderBinariesPath", // 61
    "_KRVA_D3D12_RemoveShaderBinariesPath", // 62
    "_KRVA_D3D12_SetApplicationInfo", // 63
    "_KRVA_D3D12_SetNumGeneratedFrames", // 64
    "_KRVA_D3D12_SetPresentSequenceNumber", // 65
    "_KRVA_D3D12_GetDisplayTelemetry", // 66
    "_KRVA_D3D12_GetLatencyReductionStatus", // 67
    "_KRVA_D3D12_LatencyReductionExt", // 68
    "_KRVA_D3D12_LatencyReductionGetRenderSubmitTimingsBuffers", // 69
    "_KRVA_D3D12_RenderSubmitStart", // 70
    "_KRVA_D3D12_GetCommandListHandle", // 71
    "_KRVA_D3D12_SetEventMarker", // 72
    "_KRVA_EnableGpuCrashDumps", // 73
    "_KRVA_IsGpuCrashDumpsEnabled", // 74
    "_KRVA_DisableGpuCrashDumps", // 75
    "_KRVA_GetGpuCrashDump", // 76
    "_KRVA_DecodeGpuCrashDump", // 77
    "_KRVA_RetrieveGpuCrashDump", // 78
    "_KRVA_LoadGpuCrashDump", // 79
    "_KRVA_D3D12_RegisterDriverCallbacks", // 80
    "_KRVA_D3D12_GpuCrashDumpOnDeviceDestroy", // 81
    "_KRVA_D3D12_GetApplicationInfo", // 82
    "_KRVA_D3D12_GetGpuCrashDumpBufferInfo", // 83
    "_KRVA_D3D12_GpuCrashDumpOnCommandListCreate", // 84
    "_KRVA_D3D12_GpuCrashDumpOnCommandListDestroy", // 85
    "_KRVA_D3D11_INT_EnumExtensions", // 86
    "_KRVA_D3D11_INT_CreateDeviceExtensionContext", // 87
    "_KRVA_D3D12_INT_EnumExtensions", // 88
    "_KRVA_D3D12_INT_CreateDeviceExtensionContext", // 89
    "_KRVA_INT_CreateDeviceExtensionContext", // 90
    "_KRVA_D3D12_INT_CreateGraphicsPipelineState", // 91
    "_KRVA_D3D12_INT_CreateGraphicsPipelineState1", // 92
    "_KRVA_D3D12_INT_CreateGraphicsPipelineState2", // 93
    "_KRVA_D3D12_INT_CreateComputePipelineState", // 94
    "_KRVA_D3D12_INT_SetCoarsePixelSizeState", // 95
    "_KRVA_D3D12_INT_RSSetViewports", // 96
    "_KRVA_D3D12_INT_CreateHeap", // 97
    "_KRVA_D3D12_INT_CreateCommittedResource", // 98
    "_KRVA_D3D12_INT_CreateCommittedResource1", // 99
    "_KRVA_D3D12_INT_CreateCommittedResource2", // 100
    "_KRVA_D3D12_INT_ReserveGpuVirtualAddress", // 101
    "_KRVA_D3D12_INT_CreatePlacedResource", // 102
    "_KRVA_D3D12_INT_CreatePlacedResource1", // 103
    "_KRVA_D3D12_INT_CreateReservedResource", // 104
    "_KRVA_D3D12_INT_CreateReservedResource1", // 105
    "_KRVA_D3D12_INT_CreateReservedResource2", // 106
    "_KRVA_D3D12_INT_CreateSampler", // 107
    "_KRVA_D3D12_INT_ResourceBarrier", // 108
    "_KRVA_D3D12_INT_CreateShaderResourceView", // 109
    "_KRVA_D3D12_INT_CreateRenderTargetView", // 110
    "_KRVA_D3D12_INT_CreateUnorderedAccessView", // 111
    "_KRVA_D3D12_INT_CreateProceduralTextureResourceView", // 112
    "_KRVA_D3D12_INT_CopyTextureRegion", // 113
    "_KRVA_D3D12_INT_ClearProceduralTextureView", // 114
    "_KRVA_D3D12_INT_CopyProceduralTextureStatus", // 115
    "_KRVA_D3D12_INT_SetProceduralTextures", // 116
    "_KRVA_D3D12_INT_CreateTexelMaskView", // 117
    "_KRVA_D3D12_INT_GetDefaultTexelMaskGranularity", // 118
    "_KRVA_D3D12_INT_ClearTexelMaskView", // 119
    "_KRVA_D3D12_INT_ResolveTexelMask", // 120
    "_KRVA_D3D12_INT_SetRootTMVs", // 121
};

// Older drivers export three entry points under a second name.
struct SlotFallback {
    std::size_t slot;
    const char* name;
};
inline constexpr std::array<SlotFallback, 3> kSlotFallbacks = {{
    {1, "D3D11GetSupportedVersions2"},
    {5, "D3D12GetSupportedVersions2"},
    {11, "D3D11D3D12DestroyDeviceExtensionContext2"},
}};

// Slots the runtime calls.
namespace slot {
inline constexpr std::size_t kD3D11GetSupportedVersions = 1;
inline constexpr std::size_t kD3D11CreateDeviceExtensionContext = 2;
inline constexpr std::size_t kDestroyDeviceExtensionContext = 11;
inline constexpr std::size_t kD3D11VorxCreateContext = 20;
inline constexpr std::size_t kD3D11VorxDestroyContext = 21;
inline constexpr std::size_t kD3D11VorxInit = 22;
inline constexpr std::size_t kD3D11VorxGetInitParams = 23;
inline constexpr std::size_t kD3D11VorxExecute = 24;
inline constexpr std::size_t kD3D11VorxGetVersion = 25;
inline constexpr std::size_t kD3D11VorxGetKorvaLuFXVersion = 26;
inline constexpr std::size_t kD3D11VorxGetInputResolution = 27;
inline constexpr std::size_t kD3D11VorxGetOptimalInputResolution = 28;
inline constexpr std::size_t kD3D11VorxGetJitterScale = 29;
inline constexpr std::size_t kD3D11VorxGetVelocityScale = 30;
inline constexpr std::size_t kD3D11VorxSetJitterScale = 31;
inline constexpr std::size_t kD3D11VorxSetVelocityScale = 32;
inline constexpr std::size_t kD3D11VorxSetExposureMultiplier = 33;
inline constexpr std::size_t kD3D11VorxGetExposureMultiplier = 34;
inline constexpr std::size_t kD3D11VorxSetLoggingCallback = 35;
inline constexpr std::size_t kD3D11VorxIsOptimalDriver = 36;
inline constexpr std::size_t kD3D11VorxSelectNetworkModel = 37;
inline constexpr std::size_t kD3D11VorxGetProfilingData = 38;
inline constexpr std::size_t kD3D11VorxForceLegacyScaleFactors = 39;
inline constexpr std::size_t kD3D12RegisterDriverCallbacks = 80;
inline constexpr std::size_t kD3D12GpuCrashDumpOnDeviceDestroy = 81;
inline constexpr std::size_t kD3D12GetApplicationInfo = 82;
inline constexpr std::size_t kD3D12GetGpuCrashDumpBufferInfo = 83;
inline constexpr std::size_t kD3D12GpuCrashDumpOnCommandListCreate = 84;
inline constexpr std::size_t kD3D12GpuCrashDumpOnCommandListDestroy = 85;
} // namespace slot

} // namespace vorx::loader
