#pragma once

namespace thread {

// Common base of the library's error types, thrown by value. Holds two texts
// that live for the whole run (literals): the name of the class that failed
// and what went wrong.
class GenericError {
public:
    GenericError(const char* className, const char* message)
        : className_(className), message_(message) {}

    const char* className() const { return className_; }
    const char* message() const { return message_; }

private:
    const char* className_;
    const char* message_;
};

} // namespace thread
