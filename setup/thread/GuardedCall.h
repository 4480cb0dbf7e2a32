#pragma once

namespace thread {

// A function run by callGuarded. It must not throw: a C++ exception cannot
// pass through the structured exception frame that callGuarded sets up.
using GuardedFunction = void (*)(void* argument) noexcept;

// Runs call(argument) inside a structured exception frame. True when the call
// returned normally; false when a structured exception (RaiseException, an
// access violation, a system call that raises) ended it. In that case the
// frames of the call have been unwound, the exception is discarded and the
// caller goes on as after a normal return.
bool callGuarded(GuardedFunction call, void* argument);

} // namespace thread
