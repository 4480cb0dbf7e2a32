#include "vantra/Automation.h"

#include "vantra/FailureReport.h"

namespace {

bool fail(AutomationFailure& failure, HRESULT code, const std::wstring& description) {
    failure.code = code;
    failure.description = description.empty() ? systemErrorText(code) : description;
    return false;
}

// The exception an object raised from Invoke; frees its texts on destruction.
class RaisedException {
public:
    RaisedException() { ZeroMemory(&info_, sizeof info_); }
    ~RaisedException() {
        SysFreeString(info_.bstrSource);
        SysFreeString(info_.bstrDescription);
        SysFreeString(info_.bstrHelpFile);
    }
    RaisedException(const RaisedException&) = delete;
    RaisedException& operator=(const RaisedException&) = delete;

    EXCEPINFO* get() { return &info_; }

    // The code the object raised; its own numbers (wCode) have no HRESULT, so
    // they stay the generic "exception occurred".
    HRESULT code() {
        fillIn();
        return FAILED(info_.scode) ? info_.scode : DISP_E_EXCEPTION;
    }

    std::wstring description() {
        fillIn();
        if (info_.bstrDescription == nullptr)
            return std::wstring();
        return std::wstring(info_.bstrDescription, SysStringLen(info_.bstrDescription));
    }

private:
    void fillIn() {
        if (info_.pfnDeferredFillIn != nullptr) {
            auto fill = info_.pfnDeferredFillIn;
            info_.pfnDeferredFillIn = nullptr;
            fill(&info_);
        }
    }

    EXCEPINFO info_;
};

bool invoke(IDispatch* object, const wchar_t* name, WORD flags, DISPPARAMS& parameters,
            VARIANT* result, AutomationFailure& failure) {
    DISPID member = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT code = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member);
    if (FAILED(code))
        return fail(failure, code, std::wstring());

    RaisedException raised;
    UINT wrongArgument = 0;
    code = object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result,
                          raised.get(), &wrongArgument);
    if (code == DISP_E_EXCEPTION)
        return fail(failure, raised.code(), raised.description());
    if (FAILED(code))
        return fail(failure, code, std::wstring());
    return true;
}

} // namespace

bool createObject(const wchar_t* progId, DispatchRef& object, AutomationFailure& failure) {
    CLSID classId;
    HRESULT code = CLSIDFromProgID(progId, &classId);
    if (FAILED(code))
        return fail(failure, code, std::wstring());
    void* created = nullptr;
    code = CoCreateInstance(classId, nullptr, CLSCTX_SERVER, IID_IDispatch, &created);
    if (FAILED(code))
        return fail(failure, code, std::wstring());
    object.attach(static_cast<IDispatch*>(created));
    return true;
}

bool getProperty(IDispatch* object, const wchar_t* name, Variant& result,
                 AutomationFailure& failure) {
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return invoke(object, name, DISPATCH_PROPERTYGET, none, result.get(), failure);
}

bool callMethod(IDispatch* object, const wchar_t* name, const std::wstring& argument,
                AutomationFailure& failure) {
    BString text(argument);
    if (text.get() == nullptr)
        return fail(failure, E_OUTOFMEMORY, std::wstring());
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = text.get();
    DISPPARAMS parameters = {&value, nullptr, 1, 0};
    Variant result;
    return invoke(object, name, DISPATCH_METHOD, parameters, result.get(), failure);
}

bool putProperty(IDispatch* object, const wchar_t* name, bool value, AutomationFailure& failure) {
    VARIANT argument;
    VariantInit(&argument);
    V_VT(&argument) = VT_BOOL;
    V_BOOL(&argument) = value ? VARIANT_TRUE : VARIANT_FALSE;
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {&argument, &putId, 1, 1};
    return invoke(object, name, DISPATCH_PROPERTYPUT, parameters, nullptr, failure);
}
