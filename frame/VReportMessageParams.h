/// \class VReportMessageParams
/// The library's message parameters: id, module and inserts, formatted lazily from the system's, the
/// library's or the host's message table, with a self-describing text when none knows the id. The
/// operations of IReportMessageParams are documented there.
///
/// \code{.cpp}
/// VReportMessageParams params(MSG_MIN_LEFT_MARGIN); // PardalinMessages.h: "The minimum left margin is %1"
/// params.AddInsert(L"0.25 in");
/// VMessageBox(this, &params);
///
/// auto* shared = new VReportMessageParams(::GetLastError()); // a system code: the system's text
/// pListener->OnError(shared);                                // a receiver that keeps it calls AddRef
/// shared->Release();
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VArray.h"
#include "frame/IReportMessageParams.h"

class PARDALIN_API VReportMessageParams : public IReportMessageParams
{
public:
    /// Message id 0 (success) from the library's module, tag -1, context 0, no inserts, one reference.
    VReportMessageParams();
    /// An object for `messageId`, otherwise as the default constructor makes it.
    explicit VReportMessageParams(DWORD messageId);
    /// Copies id, module, context and inserts; not the text or the tag (-1), and the count starts at one.
    VReportMessageParams(const VReportMessageParams& other);
    /// Copies id, module, context and inserts and drops the text; the tag and the count stay. Assignment
    /// to itself changes nothing.
    VReportMessageParams& operator=(const VReportMessageParams& other);

    // IReportMessageParams
    unsigned long AddRef() override;
    unsigned long Release() override;
    void Reset(DWORD messageId) override;
    IReportMessageParams* Assign(const IReportMessageParams* other) override;
    DWORD GetMessageId() const override;
    void SetMessageId(DWORD messageId) override;
    int GetTag() const override;
    void SetTag(int tag) override;
    unsigned __int64 GetContext() const override;
    void SetContext(unsigned __int64 context) override;
    void AddInsert(const wchar_t* insert) override;
    void AddInsert(const char* insert) override;
    void AddFormattedInsert(const wchar_t* format, DWORD value) override;
    HMODULE GetMessageModule() const override;
    const wchar_t* GetText() const override;
    const wchar_t* GetSingleLineText() const override;
    DWORD GetTextLength() const override;
    const wchar_t* const* GetInserts() const override;
    const wchar_t* const* GetArguments() const override;
    int GetInsertCount() const override;
    /// Frees the inserts and the text; heap objects shared by reference go through Release instead.
    ~VReportMessageParams() override;

private:
    const wchar_t* FormatText(DWORD widthFlags) const;
    bool Attempt(DWORD widthFlags, DWORD sourceFlag, HMODULE source) const;
    void DropText() const;
    void DropInserts();

    int m_nTag;
    VArray<wchar_t*> m_inserts;
    DWORD m_dwMessageId;
    HMODULE m_hMessageModule;
    // Formatted on the first request; the text requests are const to their callers.
    mutable wchar_t* m_pszText;
    mutable DWORD m_dwTextLength;
    volatile LONG m_nRefCount;
    unsigned __int64 m_nContext;
};
