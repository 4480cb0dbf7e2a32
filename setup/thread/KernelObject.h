#pragma once

#include "setup/thread/OpenExisting.h"
#include "setup/thread/OwnedHandle.h"

#include <windows.h>

// What the library's waitable objects share: creating a new object that must
// not exist yet, opening an existing one, and waiting for it. Each throws the
// Error type of the class that calls it, with the text that class gives.
namespace thread {

// Runs `create(SECURITY_ATTRIBUTES*)`, a CreateSemaphoreA or CreateEventA call
// with inheritable attributes, and owns what it returns. Throws
// Error(cannotCreate) when there is no handle, and Error(alreadyExists), with
// the handle closed again, when the name belonged to an existing object: the
// caller never attaches to someone else's object by accident.
template <class Error, class Create>
OwnedHandle createNewObject(Create create, const char* cannotCreate, const char* alreadyExists) {
    SECURITY_ATTRIBUTES inheritable = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    // Cleared first so that a stale ERROR_ALREADY_EXISTS of an earlier call
    // cannot pass for this one.
    SetLastError(NO_ERROR);
    OwnedHandle handle(create(&inheritable));
    if (!handle.isOpen())
        throw Error(cannotCreate);
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        throw Error(alreadyExists);
    return handle;
}

// Owns the result of an OpenSemaphoreA or OpenEventA call; throws
// Error(cannotOpen) when it is null.
template <class Error> OwnedHandle openExistingObject(HANDLE opened, const char* cannotOpen) {
    OwnedHandle handle(opened);
    if (!handle.isOpen())
        throw Error(cannotOpen);
    return handle;
}

// Waits for the object without a time limit. Returns WAIT_OBJECT_0,
// WAIT_ABANDONED or WAIT_TIMEOUT; throws Error(failure) on any other result.
template <class Error> DWORD waitWithoutLimit(HANDLE object, const char* failure) {
    const DWORD result = WaitForSingleObject(object, INFINITE);
    if (result != WAIT_OBJECT_0 && result != WAIT_ABANDONED && result != WAIT_TIMEOUT)
        throw Error(failure);
    return result;
}

// Waits up to `milliseconds`: true when the object was signalled (or
// abandoned), false on time-out; throws Error(failure) otherwise.
template <class Error> bool waitUpTo(HANDLE object, DWORD milliseconds, const char* failure) {
    switch (WaitForSingleObject(object, milliseconds)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:
        return true;
    case WAIT_TIMEOUT:
        return false;
    default:
        throw Error(failure);
    }
}

} // namespace thread
