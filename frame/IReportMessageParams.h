// Describes a message by id, module and inserts, and turns it into text on demand. Operations that can fail
// fill one for their caller; id 0 means success.
#pragma once

#include "core/PardalinApi.h"

class IReportMessageParams
{
public:
    virtual unsigned long AddRef() = 0;
    virtual unsigned long Release() = 0;
    // Becomes what a new object for `messageId` is; the tag and the reference count stay.
    virtual void Reset(DWORD messageId) = 0;
    // Null (and no change) when `other` is not a VReportMessageParams.
    virtual IReportMessageParams* Assign(const IReportMessageParams* other) = 0;
    virtual DWORD GetMessageId() const = 0;
    // Changes the id only: a text already formatted stays.
    virtual void SetMessageId(DWORD messageId) = 0;
    virtual int GetTag() const = 0;
    virtual void SetTag(int tag) = 0;
    virtual unsigned __int64 GetContext() const = 0;
    virtual void SetContext(unsigned __int64 context) = 0;
    virtual void AddInsert(const wchar_t* insert) = 0;
    // Converted from the ANSI code page.
    virtual void AddInsert(const char* insert) = 0;
    // `format` takes `value` as its only insert ("%1!d!").
    virtual void AddFormattedInsert(const wchar_t* format, DWORD value) = 0;
    virtual HMODULE GetMessageModule() const = 0;
    // The first text request formats and keeps the text; later requests return it whatever form they ask.
    virtual const wchar_t* GetText() const = 0;
    virtual const wchar_t* GetSingleLineText() const = 0;
    virtual DWORD GetTextLength() const = 0;
    // The inserts as a FormatMessageW argument array.
    virtual const wchar_t* const* GetInserts() const = 0;
    virtual const wchar_t* const* GetArguments() const = 0;
    virtual int GetInsertCount() const = 0;
    virtual ~IReportMessageParams() {}
};
