#include "setup/thread/GuardedCall.h"

#include <windows.h>

#include <cstddef>

// g++ has no __try/__except, so the structured exception frame is built by
// hand, the way the platform's own compilers build it.

#if defined(__x86_64__)

// 64-bit frames are described by unwind tables. guardedCallWithScope declares
// the platform's C handler for itself with one scope entry: a structured
// exception raised between guardBegin and guardEnd is always handled (filter
// value 1, "execute handler"), the stack is unwound to this frame and execution
// resumes at guardResume, which returns 0.
extern "C" int guardedCallWithScope(thread::GuardedFunction call, void* argument);

asm(R"(
    .text
    .globl guardedCallWithScope
    .def guardedCallWithScope; .scl 2; .type 32; .endef
    .seh_proc guardedCallWithScope
guardedCallWithScope:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    movq %rcx, %rax
    movq %rdx, %rcx
.LguardBegin:
    callq *%rax
    nop
.LguardEnd:
    movl $1, %eax
    addq $40, %rsp
    ret
.LguardResume:
    xorl %eax, %eax
    addq $40, %rsp
    ret
    .seh_handler __C_specific_handler, @except
    .seh_handlerdata
    .long 1
    .rva .LguardBegin, .LguardEnd
    .long 1
    .rva .LguardResume
    .text
    .seh_endproc
)");

namespace thread {

bool callGuarded(GuardedFunction call, void* argument) {
    return guardedCallWithScope(call, argument) != 0;
}

} // namespace thread

#elif defined(__i386__)

// 32-bit frames are records linked from the thread information block; the
// dispatcher calls each record's handler, innermost first.
namespace {

struct GuardFrame {
    EXCEPTION_REGISTRATION_RECORD record;
    void* resume[5]; // __builtin_setjmp buffer
};

// The block's own address, read through %fs like the platform's NtCurrentTeb
// (whose header form trips g++'s array-bounds check).
NT_TIB* threadInformation() {
    NT_TIB* information;
    asm("movl %%fs:%c1, %0" : "=r"(information) : "i"(offsetof(NT_TIB, Self)));
    return information;
}

// Runs the unwind handlers of the frames above `frame` and unlinks them;
// `frame` stays at the head of the chain. RtlUnwind on 32-bit Windows does not
// keep the registers that a caller expects kept, so they are saved around it.
void unwindTo(void* frame, EXCEPTION_RECORD* exception) {
    void* clobberedFrame;
    void* clobberedException;
    int clobbered;
    asm volatile("pushl %%ebp\n\t"
                 "pushl %%ebx\n\t"
                 "pushl $0\n\t" // return value
                 "pushl %1\n\t" // exception record
                 "pushl $0\n\t" // target address: unused, the call returns
                 "pushl %0\n\t" // target frame
                 "call _RtlUnwind@16\n\t"
                 "popl %%ebx\n\t"
                 "popl %%ebp"
                 : "=S"(clobberedFrame), "=D"(clobberedException), "=a"(clobbered)
                 : "0"(frame), "1"(exception)
                 : "ecx", "edx", "memory");
}

EXCEPTION_DISPOSITION NTAPI guardHandler(EXCEPTION_RECORD* exception, void* establisherFrame,
                                         CONTEXT*, void*) {
    if (exception->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    unwindTo(establisherFrame, exception);
    __builtin_longjmp(static_cast<GuardFrame*>(establisherFrame)->resume, 1);
}

} // namespace

namespace thread {

bool callGuarded(GuardedFunction call, void* argument) {
    GuardFrame frame;
    frame.record.Next = threadInformation()->ExceptionList;
    frame.record.Handler = guardHandler;
    if (__builtin_setjmp(frame.resume)) {
        // Back from guardHandler: this frame heads the chain; unlink it.
        NT_TIB* information = threadInformation();
        information->ExceptionList = information->ExceptionList->Next;
        return false;
    }
    threadInformation()->ExceptionList = &frame.record;
    call(argument);
    threadInformation()->ExceptionList = frame.record.Next;
    return true;
}

} // namespace thread

#else
#error "callGuarded is written for x86 and x86-64"
#endif
