// A profile store in memory for the settings tests: keys share their values with every other object opened
// on the same path, count the back-end calls, and can report calls that overlap in time.
#pragma once

#include "core/VUnicodeString.h"
#include "frame/Pardalin.h"
#include "frame/ProfileStore.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct MemoryProfileData
{
    struct Value
    {
        enum Kind
        {
            Dword,
            String,
            Binary
        } kind;
        DWORD dword;
        std::wstring text;
        std::vector<BYTE> bytes;
    };
    // Values by key path ("" for the root, "A\B" below it) and name.
    std::map<std::wstring, std::map<std::wstring, Value>> keys;
    std::atomic<int> writes{0};
    std::atomic<int> reads{0};
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
        Call call(*data, false);
        const MemoryProfileData::Value* value = Find(name, MemoryProfileData::Value::Binary);
        if (!value)
            return false;
        if (bytes)
        {
            if (*size < value->bytes.size())
                return false;
            std::copy(value->bytes.begin(), value->bytes.end(), bytes);
        }
        *size = static_cast<DWORD>(value->bytes.size());
        return true;
    }
    bool ReadString(const wchar_t* name, VUnicodeString* text) override
    {
        Call call(*data, false);
        const MemoryProfileData::Value* value = Find(name, MemoryProfileData::Value::String);
        if (value)
            *text = value->text.c_str();
        return value != nullptr;
    }
    bool ReadDword(const wchar_t* name, DWORD* dword) override
    {
        Call call(*data, false);
        const MemoryProfileData::Value* value = Find(name, MemoryProfileData::Value::Dword);
        if (value)
            *dword = value->dword;
        return value != nullptr;
    }
    void WriteBinary(const wchar_t* name, const BYTE* bytes, DWORD size) override
    {
        Call call(*data, true);
        data->keys[path][name] = {MemoryProfileData::Value::Binary, 0, {}, {bytes, bytes + size}};
    }
    void WriteString(const wchar_t* name, const wchar_t* text) override
    {
        Call call(*data, true);
        data->keys[path][name] = {MemoryProfileData::Value::String, 0, text, {}};
    }
    void WriteDword(const wchar_t* name, DWORD dword) override
    {
        Call call(*data, true);
        data->keys[path][name] = {MemoryProfileData::Value::Dword, dword, {}, {}};
    }
    IProfileKeyBackend* OpenSubKey(const wchar_t* name, DWORD) override
    {
        return new MemoryProfileKey(data, path.empty() ? name : path + L"\\" + name);
    }
    bool DeleteValue(const wchar_t* name) override
    {
        Call call(*data, true);
        return data->keys[path].erase(name) > 0;
    }
    bool DeleteSubKey(const wchar_t* name) override
    {
        Call call(*data, true);
        return data->keys.erase(path + L"\\" + name) > 0;
    }

private:
    class Call
    {
    public:
        Call(MemoryProfileData& data, bool write) : data(data)
        {
            if (data.inside.fetch_add(1) != 0)
                ++data.overlaps;
            ++(write ? data.writes : data.reads);
            for (int i = 0; i < data.yieldsInside; ++i)
                SwitchToThread();
            data.mapLock.lock();
        }
        ~Call()
        {
            data.mapLock.unlock();
            --data.inside;
        }

    private:
        MemoryProfileData& data;
    };

    const MemoryProfileData::Value* Find(const wchar_t* name, MemoryProfileData::Value::Kind kind) const
    {
        const auto key = data->keys.find(path);
        if (key == data->keys.end())
            return nullptr;
        const auto value = key->second.find(name);
        return value != key->second.end() && value->second.kind == kind ? &value->second : nullptr;
    }

    std::shared_ptr<MemoryProfileData> data;
    const std::wstring path;
};

class MemoryProfileStore : public IProfileStoreBackend
{
public:
    explicit MemoryProfileStore(std::shared_ptr<MemoryProfileData> data) : data(std::move(data)) {}
    IProfileKeyBackend* OpenRootKey(bool) override { return new MemoryProfileKey(data, L""); }

private:
    std::shared_ptr<MemoryProfileData> data;
};

class MemoryProfileFactory : public VProfileStoreFactory
{
public:
    IProfileStoreBackend* CreateStore() override { return new MemoryProfileStore(data); }

    std::shared_ptr<MemoryProfileData> data = std::make_shared<MemoryProfileData>();
};

// Makes a factory the one registered with PardalinInit for the life of the object (or until Use names
// another); none is registered afterwards.
class RegisteredProfileStore
{
public:
    explicit RegisteredProfileStore(VProfileStoreFactory* factory) { Use(factory); }
    ~RegisteredProfileStore() { Use(nullptr); }
    RegisteredProfileStore(const RegisteredProfileStore&) = delete;
    RegisteredProfileStore& operator=(const RegisteredProfileStore&) = delete;

    // A null factory registers none.
    static void Use(VProfileStoreFactory* factory)
    {
        Current() = factory;
        PardalinInit(nullptr, factory ? &Registered : nullptr);
    }

private:
    static VProfileStoreFactory*& Current()
    {
        static VProfileStoreFactory* current = nullptr;
        return current;
    }
    static VProfileStoreFactory* Registered() { return Current(); }
};
