#include "net/detail/ThreadGuard.h"

#include "core/detail/SehGuard.h"
#include "resources/HostMessageIds.h"

namespace pardalin::detail
{
namespace
{
struct ThreadCall
{
    unsigned int (*procedure)(void*);
    void* argument;
};

std::uintptr_t RunProcedure(void* context)
{
    const auto* call = static_cast<ThreadCall*>(context);
    return call->procedure(call->argument);
}

// Sees every exception that the search phase carries past the guarded frame and never handles one: a
// language exception is re-raised under the host's code, and the search then goes on as if the guard were
// not there.
EXCEPTION_DISPOSITION ReportEscapedException(EXCEPTION_RECORD* record, void* /*establisherFrame*/,
                                             CONTEXT* context, DISPATCHER_CONTEXT* /*dispatch*/)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    if (record->ExceptionCode == kMsvcLanguageException || record->ExceptionCode == kGccLanguageException)
    {
        const ULONG_PTR arguments[2] = {reinterpret_cast<ULONG_PTR>(record),
                                        reinterpret_cast<ULONG_PTR>(context)};
        RaiseException(MSG_HOST_ESCAPED_LANGUAGE_EXCEPTION, kEscapedLanguageExceptionFlags, 2, arguments);
    }
    return ExceptionContinueSearch;
}
} // namespace

unsigned int RunGuarded(unsigned int (*procedure)(void*), void* argument)
{
    ThreadCall call{procedure, argument};
    return static_cast<unsigned int>(CallInSehFrame(&RunProcedure, &call, &ReportEscapedException));
}
} // namespace pardalin::detail
