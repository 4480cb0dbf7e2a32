#pragma once

// Exceptions must not unwind through a window procedure, a dialog procedure
// or a thread entry: the platform's code sits between them and ours. Each such
// boundary catches everything, keeps the first failure of its thread here and
// ends the thread's message loops with a quit message (every modal loop
// passes it on to the loop below it). Code that ran a message loop, a modal
// dialog or a message box calls rethrowCapturedFailure afterwards, so the
// failure continues on our side of the stack: in the end the entry point's
// outer handler reports it, once.

// Keeps the exception being handled (call it inside a catch block) unless the
// thread already keeps one, and posts a quit message to the thread.
void captureFailure() noexcept;

// Throws the kept failure of the calling thread, if there is one, and forgets it.
void rethrowCapturedFailure();

// Whether the calling thread keeps a failure.
bool failureCaptured() noexcept;
