#pragma once

#include <objbase.h>

// Initialises COM on the calling thread for the object's lifetime: the
// constructor calls CoInitialize, the destructor balances every call that
// succeeded (S_FALSE included, which also counts). result() tells callers that
// insist on a first initialisation (S_OK) what happened.
class ComInitialization {
public:
    ComInitialization() : result_(CoInitialize(nullptr)) {}
    ~ComInitialization() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;

    HRESULT result() const { return result_; }
    bool succeeded() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};
