// Failures travel inside the runtime as these exceptions and become result
// codes at the exported C boundary.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace vorx {

class vorxBaseException : public virtual std::exception {
public:
    vorxBaseException();
    vorxBaseException(const std::string& text, std::int32_t resultCode);
    const char* what() const noexcept override;
    std::int32_t result() const noexcept { return code_; }

private:
    std::string message_;
    std::int32_t code_;
};

// An argument test failed (-4).
class ErrorInvalidArgumentMsg : public vorxBaseException {
public:
    explicit ErrorInvalidArgumentMsg(const std::string& text);
};

// A handle whose context ID is not ours (-8).
class ErrorInvalidContext : public vorxBaseException {
public:
    ErrorInvalidContext(std::uint32_t expectedId, std::uint32_t receivedId);
};

} // namespace vorx
