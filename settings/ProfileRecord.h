// ProfileRecord: one record of a profile text file, a bracketed header line followed by key=value lines,
// ended by a line without "=" or by the end of the file.
//
//     ProfileRecord record;
//     for (VUnicodeString name = record.load(file); !name.IsEmpty(); name = record.load(file))
//         width.init(record, L"Width", 80); // a ProfileInt; 80 when the record has no Width
#pragma once

#include "core/PardalinApi.h"
#include "core/VMap.h"
#include "core/VUnicodeString.h"

class VTextFile;

class PARDALIN_API ProfileRecord
{
public:
    ProfileRecord();
    ProfileRecord(const ProfileRecord& other);
    ProfileRecord& operator=(const ProfileRecord& other);
    ~ProfileRecord();

    // Reads the next record and returns its name; an empty name when the file has no further record (the map
    // is then left as it was).
    VUnicodeString load(VTextFile& file);

    // The value for key, added empty when absent.
    VUnicodeString& operator[](const VUnicodeString& key);
    // The value for key, or an empty string; adds nothing.
    VUnicodeString operator[](const VUnicodeString& key) const;

private:
    VMap<VUnicodeString, VUnicodeString> m_values;
};
