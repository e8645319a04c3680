// The sample's device for the test rig: Wine's device presented as a Korva GPU.
#include "korva_device_wrapper.hpp"
#include "krva_abi.h"
#include "sample_device.hpp"
#include "test_support.hpp"

ID3D11Device* CreateSampleDevice()
{
    auto wrapped = upscaler_test::WrapWithAdapterIds(upscaler_test::CreateDevice().Get(), KORVA_VENDOR_ID, 0x0470);
    return wrapped.Detach();
}
