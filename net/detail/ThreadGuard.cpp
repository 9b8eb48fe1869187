#include "net/detail/ThreadGuard.h"

// The handler sees every exception that the search phase carries past the guarded frame. It never handles
// one: a language exception is re-raised under the library's code so that crash reports show where the
// thread's procedure let it escape, and the search then goes on as if the guard were not there.
extern "C" EXCEPTION_DISPOSITION PardalinThreadGuardHandler(EXCEPTION_RECORD* record, void* /*frame*/,
                                                            CONTEXT* context, void* /*dispatch*/)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    const DWORD code = record->ExceptionCode;
    if (code == pardalin::detail::kMsvcLanguageException || code == pardalin::detail::kGccLanguageException)
    {
        const ULONG_PTR arguments[2] = {reinterpret_cast<ULONG_PTR>(record),
                                        reinterpret_cast<ULONG_PTR>(context)};
        RaiseException(pardalin::detail::kEscapedLanguageException,
                       pardalin::detail::kEscapedLanguageExceptionFlags, 2, arguments);
    }
    return ExceptionContinueSearch;
}

// GCC has no __try/__except, so the guarded frame is written out with its unwind data naming the handler.
// rcx = procedure, rdx = argument; 40 bytes keep the call's stack 16-byte aligned with the 32-byte home area.
asm(R"(
    .text
    .globl PardalinRunGuarded
    .def PardalinRunGuarded; .scl 2; .type 32; .endef
    .seh_proc PardalinRunGuarded
PardalinRunGuarded:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_handler PardalinThreadGuardHandler, @except
    .seh_endprologue
    movq %rcx, %rax
    movq %rdx, %rcx
    call *%rax
    nop
    addq $40, %rsp
    ret
    .seh_endproc
)");
