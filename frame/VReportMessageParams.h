// The library's message parameters: id, module and inserts, formatted lazily from the system's, the
// library's or the host's message table, with a self-describing text when none knows the id.
#pragma once

#include "core/PardalinApi.h"
#include "core/VArray.h"
#include "frame/IReportMessageParams.h"

class PARDALIN_API VReportMessageParams : public IReportMessageParams
{
public:
    VReportMessageParams();
    explicit VReportMessageParams(DWORD messageId);
    // Copies id, module, context and inserts; not the text, tag or count.
    VReportMessageParams(const VReportMessageParams& other);
    VReportMessageParams& operator=(const VReportMessageParams& other);

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
