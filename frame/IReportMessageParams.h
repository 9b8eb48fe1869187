/// \class IReportMessageParams
/// Describes a message by id, module and inserts, and turns it into text on demand. Operations that can
/// fail fill one for their caller; id 0 means success. VReportMessageParams is the library's
/// implementation; a heap object handed between components is kept alive with AddRef and Release.
///
/// \code{.cpp}
/// VReportMessageParams err;
/// if (!VCheckCertificatePath(path, err))
///     VMessageBox(pOwner, &err);            // or err.GetText()
/// \endcode
///
/// Only AddRef and Release may be called from several threads at once; everything else on one object
/// comes from one thread at a time.
#pragma once

#include "core/PardalinApi.h"

class IReportMessageParams
{
public:
    /// Adds a reference; returns the new count.
    virtual unsigned long AddRef() = 0;
    /// Drops a reference; the last one destroys the object. Returns the count left (0 once destroyed).
    virtual unsigned long Release() = 0;
    /// Becomes what a new object for `messageId` is (the library's module, context 0, no inserts, no text);
    /// the tag and the reference count stay.
    virtual void Reset(DWORD messageId) = 0;
    /// Takes over other's id, module, context and inserts, and drops the text; returns this object. Null
    /// (and no change) when `other` is not a VReportMessageParams.
    virtual IReportMessageParams* Assign(const IReportMessageParams* other) = 0;
    /// The message id (the message-table layout: severity, customer bit, facility, code); 0 is success.
    virtual DWORD GetMessageId() const = 0;
    /// Changes the id only: a text already formatted stays.
    virtual void SetMessageId(DWORD messageId) = 0;
    /// A value for the caller's own use, never interpreted by the library; -1 at first.
    virtual int GetTag() const = 0;
    /// Sets the value GetTag returns.
    virtual void SetTag(int tag) = 0;
    /// A value for the caller's own use, stored and copied but never interpreted by the library; 0 at first.
    virtual unsigned __int64 GetContext() const = 0;
    /// Sets the value GetContext returns.
    virtual void SetContext(unsigned __int64 context) = 0;
    /// Appends a copy of `insert` as the next insert (%1 is the first); null appends an empty one. A text
    /// already formatted stays, so inserts are added before the first text request.
    virtual void AddInsert(const wchar_t* insert) = 0;
    /// Appends a copy of `insert` converted from the ANSI code page; null appends an empty one.
    virtual void AddInsert(const char* insert) = 0;
    /// Appends `format` formatted with `value` as its only insert (`"%1!d!"`).
    virtual void AddFormattedInsert(const wchar_t* format, DWORD value) = 0;
    /// The module whose message table is searched first: the library's own.
    virtual HMODULE GetMessageModule() const = 0;
    /// The text with the message's line breaks. The first text request formats and keeps the text; later
    /// requests return it whatever form they ask. Tried in order: for a system code (customer bit clear)
    /// the system's table and NTDLL's, then the message module's table, then the host executable's;
    /// when none knows the id, a text that names the id, the module and the lookups' error codes. Missing
    /// inserts leave their placeholders in the text. The text belongs to the object and lives until it is
    /// reset, assigned or destroyed; null only when even the fallback text cannot be made.
    virtual const wchar_t* GetText() const = 0;
    /// The text formatted on one line (the line breaks that end the message-table lines are left out) when
    /// this is the first text request; otherwise the text held, as GetText.
    virtual const wchar_t* GetSingleLineText() const = 0;
    /// The number of characters of the text formatted; 0 before the first text request.
    virtual DWORD GetTextLength() const = 0;
    /// The inserts as a FormatMessageW argument array, in insert order; GetInsertCount gives its length.
    virtual const wchar_t* const* GetInserts() const = 0;
    /// The same array as GetInserts.
    virtual const wchar_t* const* GetArguments() const = 0;
    /// The number of inserts.
    virtual int GetInsertCount() const = 0;
    /// Frees the inserts and the text.
    virtual ~IReportMessageParams() {}
};
