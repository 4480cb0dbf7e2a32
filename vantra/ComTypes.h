#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

// Small owners of the COM values the launcher holds.

// Initialises COM for the calling thread as a single-threaded apartment and
// uninitialises it on destruction when the initialisation succeeded.
class ComApartment {
public:
    ComApartment() : result_(CoInitialize(nullptr)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    HRESULT result() const { return result_; }

private:
    HRESULT result_;
};

// Owns one reference to a dispatch interface and releases it on destruction.
class DispatchRef {
public:
    DispatchRef() = default;
    ~DispatchRef() { reset(); }
    DispatchRef(const DispatchRef&) = delete;
    DispatchRef& operator=(const DispatchRef&) = delete;

    IDispatch* get() const { return object_; }

    // Takes over the reference the caller holds.
    void attach(IDispatch* object) {
        reset();
        object_ = object;
    }

    void reset() {
        if (object_ != nullptr)
            object_->Release();
        object_ = nullptr;
    }

private:
    IDispatch* object_ = nullptr;
};

// Owns a VARIANT and clears it on destruction.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    VARIANT* get() { return &value_; }
    const VARIANT& value() const { return value_; }

private:
    VARIANT value_;
};

// Owns a BSTR and frees it on destruction.
class BString {
public:
    BString() = default;
    explicit BString(const std::wstring& text)
        : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~BString() { SysFreeString(text_); }
    BString(const BString&) = delete;
    BString& operator=(const BString&) = delete;

    // Null when the text could not be allocated.
    BSTR get() const { return text_; }

private:
    BSTR text_ = nullptr;
};
