#pragma once

#include <windows.h>

// Owns a kernel handle (file, mapping, process, thread, token, semaphore,
// event) and closes it on destruction. Both null and INVALID_HANDLE_VALUE mean
// "nothing", because the platform uses one for files and the other for
// everything else. Ownership moves but is never shared.
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    ~OwnedHandle() { close(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.release()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    HANDLE get() const { return handle_; }
    bool isOpen() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

    // Closes the handle held, if any, and takes `handle` in its place.
    void reset(HANDLE handle) {
        close();
        handle_ = handle;
    }

    void close() {
        if (isOpen())
            CloseHandle(handle_);
        handle_ = nullptr;
    }

    // Gives the handle up without closing it; the caller owns it now.
    HANDLE release() {
        const HANDLE handle = handle_;
        handle_ = nullptr;
        return handle;
    }

private:
    HANDLE handle_ = nullptr;
};
