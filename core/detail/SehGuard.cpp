#include "core/detail/SehGuard.h"

namespace pardalin::detail
{
extern "C"
{
    std::uintptr_t PardalinSehFrame(std::uintptr_t (*call)(void*), void* context, SehFrameHandler handler);
    void PardalinSehFrameLanding();
    EXCEPTION_DISPOSITION PardalinSehFrameHandler(EXCEPTION_RECORD* record, void* establisherFrame,
                                                  CONTEXT* context, DISPATCHER_CONTEXT* dispatch);
}

// The frame's own language-specific handler: it hands everything to the handler the frame was entered
// with, which the frame keeps 32 bytes above its stack pointer (the establisher frame), past the home area.
extern "C" EXCEPTION_DISPOSITION PardalinSehFrameHandler(EXCEPTION_RECORD* record, void* establisherFrame,
                                                         CONTEXT* context, DISPATCHER_CONTEXT* dispatch)
{
    const auto handler = *reinterpret_cast<SehFrameHandler*>(static_cast<char*>(establisherFrame) + 32);
    return handler(record, establisherFrame, context, dispatch);
}

// GCC cannot attach a handler to a C++ function, so the frame is written out with unwind data that names
// it. rcx = call, rdx = context, r8 = handler; 40 bytes keep the call's stack 16-byte aligned with the
// 32-byte home area and hold the handler. An unwind to the landing label returns the unwind's value.
asm(R"(
    .text
    .p2align 4
    .globl PardalinSehFrame
    .def PardalinSehFrame; .scl 2; .type 32; .endef
    .seh_proc PardalinSehFrame
PardalinSehFrame:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    movq %r8, 32(%rsp)
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    .globl PardalinSehFrameLanding
PardalinSehFrameLanding:
    nop
    addq $40, %rsp
    ret
    .seh_handler PardalinSehFrameHandler, @except
    .seh_endproc
)");

std::uintptr_t CallInSehFrame(std::uintptr_t (*call)(void* context), void* context, SehFrameHandler handler)
{
    return PardalinSehFrame(call, context, handler);
}

void* SehFrameLanding()
{
    return reinterpret_cast<void*>(&PardalinSehFrameLanding);
}

namespace
{
struct GuardedCall
{
    void (*call)(void*);
    void* context;
};

std::uintptr_t RunGuardedCall(void* guarded)
{
    const auto* call = static_cast<GuardedCall*>(guarded);
    call->call(call->context);
    return 0;
}

// In the search phase it takes every exception but a language one and unwinds to the landing label with
// the exception code as the frame's result, as __except would.
EXCEPTION_DISPOSITION CatchStructuredException(EXCEPTION_RECORD* record, void* establisherFrame,
                                               CONTEXT* context, DISPATCHER_CONTEXT* dispatch)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    if (record->ExceptionCode == kGccLanguageException || record->ExceptionCode == kMsvcLanguageException)
        return ExceptionContinueSearch;
    RtlUnwindEx(establisherFrame, SehFrameLanding(), record,
                reinterpret_cast<void*>(static_cast<std::uintptr_t>(record->ExceptionCode)), context,
                dispatch->HistoryTable);
    return ExceptionContinueSearch; // not reached: the unwind resumes at the landing label
}
} // namespace

unsigned long CallWithSehGuard(void (*call)(void* context), void* context)
{
    GuardedCall guarded{call, context};
    return static_cast<unsigned long>(CallInSehFrame(&RunGuardedCall, &guarded, &CatchStructuredException));
}
} // namespace pardalin::detail
