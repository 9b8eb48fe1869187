#include "hostkit/IniProfileStore.h"

#include "core/VUnicodeString.h"
#include "hostkit/detail/ProfileFile.h"
#include "hostkit/detail/ProfileText.h"

#include <utility>
#include <vector>

using pardalin::detail::ProfileFileLock;
using pardalin::detail::ProfileFileModel;
using pardalin::detail::StoredKey;
using pardalin::detail::StoredType;
using pardalin::detail::StoredValue;

namespace
{
using KeyPath = std::vector<std::wstring>;

// A key is its folder and its path below the root; it holds nothing of the file, so it stays valid however
// long it lives and sees what other keys and processes wrote.
class IniKey : public IProfileKeyBackend
{
public:
    IniKey(std::wstring folderPath, KeyPath keyPath) : folder(std::move(folderPath)), path(std::move(keyPath))
    {
    }

    bool ReadBinary(const wchar_t* name, BYTE* data, DWORD* size) override
    {
        StoredValue value;
        if (!size || !Read(name, StoredType::Binary, value))
            return false;
        const DWORD needed = static_cast<DWORD>(value.bytes.size());
        if (data && *size < needed)
        {
            *size = needed;
            SetLastError(ERROR_MORE_DATA);
            return false;
        }
        if (data && needed)
            memcpy(data, value.bytes.data(), needed);
        *size = needed;
        return true;
    }

    bool ReadString(const wchar_t* name, VUnicodeString* text) override
    {
        StoredValue value;
        if (!text || !Read(name, StoredType::String, value))
            return false;
        *text = value.text.c_str();
        return true;
    }

    bool ReadDword(const wchar_t* name, DWORD* number) override
    {
        StoredValue value;
        if (!number || !Read(name, StoredType::Dword, value))
            return false;
        *number = value.number;
        return true;
    }

    void WriteBinary(const wchar_t* name, const BYTE* data, DWORD size) override
    {
        if (name && (data || size == 0))
            Write(StoredValue::Binary(name, std::vector<BYTE>(data, data + size)));
    }

    void WriteString(const wchar_t* name, const wchar_t* text) override
    {
        if (name)
            Write(StoredValue::String(name, text ? text : L""));
    }

    void WriteDword(const wchar_t* name, DWORD number) override
    {
        if (name)
            Write(StoredValue::Dword(name, number));
    }

    // An empty name opens this key again, as the registry does.
    IProfileKeyBackend* OpenSubKey(const wchar_t* name, DWORD) override
    {
        KeyPath below = path;
        if (name && *name)
            below.emplace_back(name);
        return new IniKey(folder, std::move(below));
    }

    bool DeleteValue(const wchar_t* name) override
    {
        if (!name)
            return false;
        return Change(
            [this, name](ProfileFileModel& model)
            {
                const StoredKey* own = model.Find(path);
                return own && model.Key(path).Remove(name);
            });
    }

    bool DeleteSubKey(const wchar_t* name) override
    {
        if (!name || !*name)
            return false;
        KeyPath doomed = path;
        doomed.emplace_back(name);
        if (path.empty())
        {
            const std::wstring file = FilePathOf(doomed);
            ProfileFileLock lock(file);
            return lock.Held() && pardalin::detail::DeleteProfileFile(file);
        }
        return Change([&doomed](ProfileFileModel& model) { return model.RemoveTree(doomed); });
    }

private:
    // Keys directly under the root have a file each; the root's own values have one of their own.
    std::wstring FilePathOf(const KeyPath& keyPath) const
    {
        const std::wstring stem = keyPath.empty() ? std::wstring(pardalin::detail::RootFileStem)
                                                  : pardalin::detail::FileStemOfKey(keyPath.front());
        return folder + L"\\" + stem + L".ini";
    }

    bool Read(const wchar_t* name, StoredType type, StoredValue& value) const
    {
        if (!name)
            return false;
        const std::wstring file = FilePathOf(path);
        std::string bytes;
        {
            ProfileFileLock lock(file);
            if (!pardalin::detail::ReadProfileFile(file, bytes))
                return false;
        }
        const ProfileFileModel model = pardalin::detail::ParseProfileText(bytes);
        const StoredKey* own = model.Find(path);
        const StoredValue* found = own ? own->Find(name) : nullptr;
        if (!found || found->type != type)
            return false;
        value = *found;
        return true;
    }

    void Write(StoredValue value)
    {
        Change(
            [this, &value](ProfileFileModel& model)
            {
                model.Key(path).Set(std::move(value));
                return true;
            });
    }

    // Reads the file afresh under its lock, lets `edit` change it and writes it back when edit says it
    // changed; values another process wrote meanwhile are in what edit sees.
    template <typename Edit> bool Change(Edit edit) const
    {
        const std::wstring file = FilePathOf(path);
        ProfileFileLock lock(file);
        std::string bytes;
        if (!lock.Held() || !pardalin::detail::ReadProfileFile(file, bytes))
            return false;
        ProfileFileModel model = pardalin::detail::ParseProfileText(bytes);
        return edit(model) &&
               pardalin::detail::ReplaceProfileFile(file, pardalin::detail::FormatProfileText(model));
    }

    std::wstring folder;
    KeyPath path;
};

class IniStore : public IProfileStoreBackend
{
public:
    explicit IniStore(std::wstring folderPath) : folder(std::move(folderPath)) {}
    IProfileKeyBackend* OpenRootKey(bool) override { return new IniKey(folder, {}); }

private:
    std::wstring folder;
};
} // namespace

VIniProfileStoreFactory::VIniProfileStoreFactory(const wchar_t* folderPath)
    : folder(folderPath ? folderPath : L"")
{
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
}

IProfileStoreBackend* VIniProfileStoreFactory::CreateStore()
{
    return new IniStore(folder);
}
