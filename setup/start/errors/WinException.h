#pragma once

#include <cstdint>

// A failure of a Windows facility that ends the run. Carries one of the
// engine's constant texts and the calling thread's last-error value, read when
// the exception is built (not when it is caught), so build it right after the
// failing call.
class WinException {
public:
    // `message` must be a text that lives for the whole run (a literal).
    explicit WinException(const char* message);

    std::uint32_t code() const { return code_; }
    const char* message() const { return message_; }

private:
    std::uint32_t code_;
    const char* message_;
};
