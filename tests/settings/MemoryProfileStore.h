// A profile store in memory for the settings tests: keys share their values with every other object opened
// on the same path, count the writes, and can report back-end calls that overlap in time.
//
//     MemoryProfileFactory factory;
//     UseProfileStore(&factory);
//     ... std::get<std::wstring>(factory.data->keys[L"Recent"][L"File1"]) ...
#pragma once

#include "core/VUnicodeString.h"
#include "frame/Pardalin.h"
#include "frame/ProfileStore.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <variant>
#include <vector>

struct MemoryProfileData
{
    // A value is a DWORD, a string or binary data, as in the registry.
    using Value = std::variant<DWORD, std::wstring, std::vector<BYTE>>;
    // Values by key path ("" for the root, "A\B" below it) and name.
    std::map<std::wstring, std::map<std::wstring, Value>> keys;
    std::atomic<int> writes{0};
    // Set while a call runs; a second call meanwhile counts as an overlap.
    std::atomic<int> inside{0};
    std::atomic<int> overlaps{0};
    // Keeps the maps whole even when the code under test lets calls overlap.
    std::mutex mapLock;
    // Every call yields this many times while it is inside, to let another thread run into it.
    int yieldsInside = 0;
};

class MemoryProfileKey : public IProfileKeyBackend
{
public:
    MemoryProfileKey(std::shared_ptr<MemoryProfileData> data, std::wstring path)
        : data(std::move(data)), path(std::move(path))
    {
    }

    bool ReadBinary(const wchar_t* name, BYTE* bytes, DWORD* size) override
    {
        const auto value = Get<std::vector<BYTE>>(name);
        if (!value || (bytes && *size < value->size())) // too small a buffer fails, as in the registry
            return false;
        if (bytes)
            std::copy(value->begin(), value->end(), bytes);
        *size = static_cast<DWORD>(value->size());
        return true;
    }
    bool ReadString(const wchar_t* name, VUnicodeString* text) override
    {
        const auto value = Get<std::wstring>(name);
        if (value)
            *text = value->c_str();
        return value.has_value();
    }
    bool ReadDword(const wchar_t* name, DWORD* dword) override
    {
        const auto value = Get<DWORD>(name);
        *dword = value.value_or(*dword);
        return value.has_value();
    }
    void WriteBinary(const wchar_t* name, const BYTE* bytes, DWORD size) override
    {
        Put(name, std::vector<BYTE>(bytes, bytes + size));
    }
    void WriteString(const wchar_t* name, const wchar_t* text) override { Put(name, std::wstring(text)); }
    void WriteDword(const wchar_t* name, DWORD dword) override { Put(name, dword); }
    IProfileKeyBackend* OpenSubKey(const wchar_t* name, DWORD) override
    {
        return new MemoryProfileKey(data, path.empty() ? name : path + L"\\" + name);
    }
    bool DeleteValue(const wchar_t* name) override
    {
        const Call call(*data, true);
        return data->keys[path].erase(name) > 0;
    }
    bool DeleteSubKey(const wchar_t* name) override
    {
        const Call call(*data, true);
        return data->keys.erase(path + L"\\" + name) > 0;
    }

private:
    // Marks one back-end call from start to end, holding the map lock for it.
    struct Call
    {
        Call(MemoryProfileData& data, bool write) : data(data)
        {
            if (data.inside.fetch_add(1) != 0)
                ++data.overlaps;
            data.writes += write;
            for (int i = 0; i < data.yieldsInside; ++i)
                SwitchToThread();
            data.mapLock.lock();
        }
        ~Call()
        {
            data.mapLock.unlock();
            --data.inside;
        }
        MemoryProfileData& data;
    };

    void Put(const wchar_t* name, MemoryProfileData::Value value)
    {
        const Call call(*data, true);
        data->keys[path][name] = std::move(value);
    }
    // The value of the name when it is there and of type T.
    template <class T> std::optional<T> Get(const wchar_t* name)
    {
        const Call call(*data, false);
        const auto key = data->keys.find(path);
        if (key == data->keys.end())
            return std::nullopt;
        const auto value = key->second.find(name);
        if (value == key->second.end() || !std::holds_alternative<T>(value->second))
            return std::nullopt;
        return std::get<T>(value->second);
    }

    std::shared_ptr<MemoryProfileData> data;
    const std::wstring path;
};

class MemoryProfileFactory : public VProfileStoreFactory
{
public:
    IProfileStoreBackend* CreateStore() override { return new Store(data); }

    std::shared_ptr<MemoryProfileData> data = std::make_shared<MemoryProfileData>();

private:
    struct Store : IProfileStoreBackend
    {
        explicit Store(std::shared_ptr<MemoryProfileData> data) : data(std::move(data)) {}
        IProfileKeyBackend* OpenRootKey(bool) override { return new MemoryProfileKey(data, L""); }
        std::shared_ptr<MemoryProfileData> data;
    };
};

// Makes a factory the one registered with PardalinInit; a null one registers none.
inline void UseProfileStore(VProfileStoreFactory* factory)
{
    static VProfileStoreFactory* current = nullptr;
    current = factory;
    PardalinInit(nullptr, factory ? +[] { return current; } : nullptr);
}
