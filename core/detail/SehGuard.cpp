#include "core/detail/SehGuard.h"

#include <cstdint>

#include <windows.h>

extern "C"
{
    unsigned long PardalinSehGuardedCall(void (*call)(void*), void* context);
    void PardalinSehGuardLanding();
    EXCEPTION_DISPOSITION PardalinSehGuardHandler(EXCEPTION_RECORD* record, void* establisherFrame,
                                                  CONTEXT* context, DISPATCHER_CONTEXT* dispatch);
}

namespace
{
// Codes of C++ exceptions thrown by GCC and by MSVC-built code: these belong to their own handlers.
constexpr DWORD GccCxxException = 0x20474343;
constexpr DWORD MsvcCxxException = 0xE06D7363;
} // namespace

// The language-specific handler of PardalinSehGuardedCall. In the search phase it takes the exception and
// unwinds to the landing label with the exception code as the return value, as __except would.
extern "C" EXCEPTION_DISPOSITION PardalinSehGuardHandler(EXCEPTION_RECORD* record, void* establisherFrame,
                                                         CONTEXT* context, DISPATCHER_CONTEXT* dispatch)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    if (record->ExceptionCode == GccCxxException || record->ExceptionCode == MsvcCxxException)
        return ExceptionContinueSearch;
    RtlUnwindEx(establisherFrame, reinterpret_cast<void*>(&PardalinSehGuardLanding), record,
                reinterpret_cast<void*>(static_cast<std::uintptr_t>(record->ExceptionCode)), context,
                dispatch->HistoryTable);
    return ExceptionContinueSearch; // not reached: the unwind resumes at the landing label
}

// A frame with its own unwind data and handler: call(context) with rax cleared on return; an exception
// resumes at the landing label with rax holding its code. The body is written by hand because the handler
// needs a fixed resume address inside a frame whose layout the unwind data describes exactly.
asm(R"(
    .text
    .p2align 4
    .globl PardalinSehGuardedCall
    .def PardalinSehGuardedCall; .scl 2; .type 32; .endef
    .seh_proc PardalinSehGuardedCall
PardalinSehGuardedCall:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    xorl %eax, %eax
    .globl PardalinSehGuardLanding
PardalinSehGuardLanding:
    nop
    addq $40, %rsp
    ret
    .seh_handler PardalinSehGuardHandler, @except
    .seh_endproc
)");

namespace pardalin
{
namespace detail
{

unsigned long CallWithSehGuard(void (*call)(void* context), void* context)
{
    return PardalinSehGuardedCall(call, context);
}

} // namespace detail
} // namespace pardalin
