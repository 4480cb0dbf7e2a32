#pragma once

#include "vantra/ComTypes.h"

#include <string>

// Late-bound calls on automation objects: every member is looked up by name
// through the object's dispatch interface when it is used.

// Why one automation call failed.
struct AutomationFailure {
    HRESULT code = S_OK;
    // The object's own explanation when it raised one, otherwise the system's
    // text for `code`; empty when neither exists.
    std::wstring description;
};

// Creates the object registered under the programmatic identifier `progId`,
// in or out of process, and keeps its dispatch interface in `object`.
bool createObject(const wchar_t* progId, DispatchRef& object, AutomationFailure& failure);

// Reads the property `name` of `object` into `result`.
bool getProperty(IDispatch* object, const wchar_t* name, Variant& result,
                 AutomationFailure& failure);

// Calls the method `name` of `object` with one string argument; its result is
// dropped.
bool callMethod(IDispatch* object, const wchar_t* name, const std::wstring& argument,
                AutomationFailure& failure);

// Puts the boolean property `name` of `object`.
bool putProperty(IDispatch* object, const wchar_t* name, bool value, AutomationFailure& failure);
