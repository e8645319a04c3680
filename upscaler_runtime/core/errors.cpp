#include "errors.hpp"

#include "vorx.h"

namespace vorx {

vorxBaseException::vorxBaseException() : message_("Vorx: "), code_(VORX_RESULT_ERROR_UNEXPECTED) {}

vorxBaseException::vorxBaseException(const std::string& text, std::int32_t resultCode)
    : message_("Vorx: " + text), code_(resultCode)
{
}

const char* vorxBaseException::what() const noexcept { return message_.c_str(); }

ErrorInvalidArgumentMsg::ErrorInvalidArgumentMsg(const std::string& text)
    : vorxBaseException(text, VORX_RESULT_ERROR_INVALID_ARGUMENT)
{
}

ErrorInvalidContext::ErrorInvalidContext(std::uint32_t expectedId, std::uint32_t receivedId)
    : vorxBaseException("Invalid Context. Expected ID: " + std::to_string(expectedId) +
                            ". Received: " + std::to_string(receivedId),
                        VORX_RESULT_ERROR_INVALID_CONTEXT)
{
}

} // namespace vorx
