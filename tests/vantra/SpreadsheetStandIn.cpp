// A stand-in for the spreadsheet application: an in-process automation
// server with just the members the launcher uses. The tests register it for
// "Excel.Application"; every request it serves is appended, one line each, to
// the file named by the value "RecordFile" of its class key:
//     Workbooks              the Workbooks property was read
//     Open <path>            Workbooks.Open was called (it fails when <path>
//                            does not exist)
//     Visible true|false     the Visible property was put
//     Released               the last reference to the application went away

#include "tests/vantra/StandIn.h"

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace {

LONG liveObjects = 0;
LONG serverLocks = 0;

// The record file named in the registration, read when an application is made.
std::string recordFile() {
    char path[MAX_PATH] = {};
    DWORD size = sizeof path - 1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID\\" STAND_IN_CLSID, 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return std::string();
    DWORD type = 0;
    const LONG result =
        RegQueryValueExA(key, "RecordFile", nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_SZ ? std::string(path) : std::string();
}

std::string utf8(const std::wstring& text) {
    if (text.empty())
        return std::string();
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], length,
                        nullptr, nullptr);
    return bytes;
}

void record(const std::string& file, const std::string& line) {
    HANDLE handle = CreateFileA(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(handle);
}

struct Member {
    const wchar_t* name;
    DISPID id;
};

// IDispatch with names from a table and no type information.
class DispatchObject : public IDispatch {
public:
    explicit DispatchObject(const std::string& record) : record_(record) {
        InterlockedIncrement(&liveObjects);
    }
    virtual ~DispatchObject() { InterlockedDecrement(&liveObjects); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (count == 0)
            return S_OK;
        for (UINT i = 0; i < count; ++i)
            ids[i] = DISPID_UNKNOWN;
        for (const Member* member = members(); member->name != nullptr; ++member)
            if (lstrcmpiW(names[0], member->name) == 0)
                ids[0] = member->id;
        return ids[0] == DISPID_UNKNOWN || count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
    }

protected:
    virtual const Member* members() const = 0;
    void record(const std::string& line) const { ::record(record_, line); }
    const std::string& recordPath() const { return record_; }

private:
    std::string record_;
    LONG references_ = 1;
};

class Workbooks : public DispatchObject {
public:
    using DispatchObject::DispatchObject;

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT*, EXCEPINFO* exception, UINT*) override {
        if (id != openId || (flags & DISPATCH_METHOD) == 0)
            return DISP_E_MEMBERNOTFOUND;
        if (parameters->cArgs != 1 || parameters->cNamedArgs != 0)
            return DISP_E_BADPARAMCOUNT;
        VARIANT path;
        VariantInit(&path);
        if (FAILED(VariantChangeType(&path, &parameters->rgvarg[0], 0, VT_BSTR)))
            return DISP_E_TYPEMISMATCH;
        const std::wstring text(V_BSTR(&path), SysStringLen(V_BSTR(&path)));
        VariantClear(&path);
        record("Open " + utf8(text));
        if (GetFileAttributesW(text.c_str()) != INVALID_FILE_ATTRIBUTES)
            return S_OK;
        if (exception != nullptr) {
            ZeroMemory(exception, sizeof *exception);
            exception->bstrSource = SysAllocString(L"Spreadsheet stand-in");
            exception->bstrDescription = SysAllocString(STAND_IN_OPEN_ERROR_TEXT);
            exception->scode = static_cast<SCODE>(STAND_IN_OPEN_ERROR);
        }
        return DISP_E_EXCEPTION;
    }

protected:
    const Member* members() const override {
        static const Member table[] = {{L"Open", openId}, {nullptr, 0}};
        return table;
    }

private:
    static const DISPID openId = 1;
};

class Application : public DispatchObject {
public:
    using DispatchObject::DispatchObject;
    ~Application() override { record("Released"); }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if (id == workbooksId && (flags & DISPATCH_PROPERTYGET) != 0) {
            if (result == nullptr)
                return E_INVALIDARG;
            record("Workbooks");
            V_VT(result) = VT_DISPATCH;
            V_DISPATCH(result) = new Workbooks(recordPath());
            return S_OK;
        }
        if (id == visibleId && (flags & DISPATCH_PROPERTYPUT) != 0) {
            if (parameters->cArgs != 1)
                return DISP_E_BADPARAMCOUNT;
            VARIANT value;
            VariantInit(&value);
            if (FAILED(VariantChangeType(&value, &parameters->rgvarg[0], 0, VT_BOOL)))
                return DISP_E_TYPEMISMATCH;
            visible_ = V_BOOL(&value) != VARIANT_FALSE;
            record(visible_ ? "Visible true" : "Visible false");
            return S_OK;
        }
        if (id == visibleId && (flags & DISPATCH_PROPERTYGET) != 0 && result != nullptr) {
            V_VT(result) = VT_BOOL;
            V_BOOL(result) = visible_ ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

protected:
    const Member* members() const override {
        static const Member table[] = {
            {L"Workbooks", workbooksId}, {L"Visible", visibleId}, {nullptr, 0}};
        return table;
    }

private:
    static const DISPID workbooksId = 1;
    static const DISPID visibleId = 2;
    bool visible_ = false;
};

class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        Application* application = new Application(recordFile());
        const HRESULT result = application->QueryInterface(iid, object);
        application->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            InterlockedIncrement(&serverLocks);
        else
            InterlockedDecrement(&serverLocks);
        return S_OK;
    }
};

Factory factory;

} // namespace

extern "C" HRESULT STDMETHODCALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid,
                                                       void** object) {
    CLSID standIn;
    CLSIDFromString(const_cast<LPOLESTR>(L"" STAND_IN_CLSID), &standIn);
    if (!IsEqualCLSID(classId, standIn)) {
        *object = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return factory.QueryInterface(iid, object);
}

extern "C" HRESULT STDMETHODCALLTYPE DllCanUnloadNow() {
    return liveObjects == 0 && serverLocks == 0 ? S_OK : S_FALSE;
}
