#pragma once

#include <windows.h>

// Owns a kernel handle (file, mapping, process, thread) and closes it on
// destruction. Both null and INVALID_HANDLE_VALUE mean "nothing", because the
// platform uses one for files and the other for everything else.
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    ~OwnedHandle() { close(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE get() const { return handle_; }
    bool isOpen() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

    void close() {
        if (isOpen())
            CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};
