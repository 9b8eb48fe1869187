#include "settings/ProfileRecord.h"

#include "files/VTextFile.h"

namespace
{
constexpr int kRecordBuckets = 100;
} // namespace

ProfileRecord::ProfileRecord() : m_values(kRecordBuckets) {}

ProfileRecord::ProfileRecord(const ProfileRecord& other) : m_values(other.m_values) {}

ProfileRecord& ProfileRecord::operator=(const ProfileRecord& other)
{
    m_values = other.m_values;
    return *this;
}

ProfileRecord::~ProfileRecord() {}

VUnicodeString ProfileRecord::load(VTextFile& file)
{
    VUnicodeString line;
    if (!file.ReadLine(line) || line.IsEmpty() || line[0] != L'[')
        return VUnicodeString();

    // The name runs to the last "]" of the line, so a name may itself contain "]".
    const int close = line.ReverseFind(L']');
    const VUnicodeString name = close > 0 ? line.Mid(1, close - 1) : line.Mid(1);

    m_values.RemoveAll();
    while (file.ReadLine(line))
    {
        const int equals = line.Find(L'=');
        if (equals < 0)
            break;
        m_values[line.Left(equals)] = line.Mid(equals + 1);
    }
    return name;
}

VUnicodeString& ProfileRecord::operator[](const VUnicodeString& key)
{
    return m_values[key];
}

VUnicodeString ProfileRecord::operator[](const VUnicodeString& key) const
{
    VUnicodeString value;
    m_values.Lookup(key, value);
    return value;
}
