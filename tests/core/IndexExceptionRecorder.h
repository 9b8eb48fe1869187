// Catches the strings' index exception for the length of a scope: a vectored handler counts it and lets
// execution continue after RaiseException, as a host's handler may.
#pragma once

#include <afx.h>
#include "resources/HostMessageIds.h"

class IndexExceptionRecorder
{
public:
    IndexExceptionRecorder() : m_handler(AddVectoredExceptionHandler(1, &Handler))
    {
        s_count = 0;
        s_irregular = 0;
    }
    IndexExceptionRecorder(const IndexExceptionRecorder&) = delete;
    IndexExceptionRecorder& operator=(const IndexExceptionRecorder&) = delete;
    ~IndexExceptionRecorder() { RemoveVectoredExceptionHandler(m_handler); }

    // Index exceptions seen since construction.
    int Count() const { return s_count; }
    // Index exceptions raised with flags or arguments (they must have neither).
    int Irregular() const { return s_irregular; }

private:
    static LONG CALLBACK Handler(EXCEPTION_POINTERS* info)
    {
        const EXCEPTION_RECORD* record = info->ExceptionRecord;
        if (record->ExceptionCode != MSG_HOST_STRING_INDEX)
            return EXCEPTION_CONTINUE_SEARCH;
        ++s_count;
        if (record->ExceptionFlags != 0 || record->NumberParameters != 0)
            ++s_irregular;
        return EXCEPTION_CONTINUE_EXECUTION;
    }

    static inline volatile LONG s_count = 0;
    static inline volatile LONG s_irregular = 0;
    PVOID m_handler;
};
