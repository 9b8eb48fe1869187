/// \class ProfileRecord
/// One record of a profile text file: a bracketed header line followed by key=value lines, ended by a line
/// without "=" or by the end of the file. The typed settings of ProfileValues.h read themselves from it.
///
/// \code{.cpp}
/// ProfileRecord record;
/// for (VUnicodeString name = record.load(file); !name.IsEmpty(); name = record.load(file))
///     width.init(record, L"Width", 80); // a ProfileInt; 80 when the record has no Width
/// \endcode
///
/// A record is a map from key to value text; keys compare case-sensitively and a repeated key keeps its
/// last value.
#pragma once

#include "core/PardalinApi.h"
#include "core/VMap.h"
#include "core/VUnicodeString.h"

class VTextFile;

class PARDALIN_API ProfileRecord
{
public:
    // Construction

    /// An empty record.
    ProfileRecord();
    /// A copy of the other record's keys and values.
    ProfileRecord(const ProfileRecord& other);
    /// Replaces the keys and values by copies of the other record's.
    ProfileRecord& operator=(const ProfileRecord& other);
    ~ProfileRecord();

    // Operations

    /// Reads the next record and returns its name, the text between the "[" that opens the line and the
    /// line's last "]" (the rest of the line when there is none). The record's earlier keys are dropped. The
    /// line without "=" that ends the record is consumed with it, so it cannot open the next record. An
    /// empty name when the next line is missing, empty or opens with no "[" (the map is then left as it
    /// was).
    VUnicodeString load(VTextFile& file);

    /// The value for key, added empty when absent; the reference lets the caller set it.
    VUnicodeString& operator[](const VUnicodeString& key);
    /// The value for key, or an empty string; adds nothing.
    VUnicodeString operator[](const VUnicodeString& key) const;

private:
    VMap<VUnicodeString, VUnicodeString> m_values;
};
