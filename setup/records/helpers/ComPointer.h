#pragma once

// Owns one reference to a COM interface; releases it on destruction.
template <class Interface> class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() { reset(); }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    // Where a creating call stores the new reference; any held one is
    // released first.
    void** receive() {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }

    void reset() {
        if (pointer_)
            pointer_->Release();
        pointer_ = nullptr;
    }

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    Interface* pointer_ = nullptr;
};
