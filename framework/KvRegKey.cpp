#include "framework/KvRegKey.h"

KvRegKey::KvRegKey() = default;

KvRegKey::~KvRegKey()
{
    if (key_) Close();
}

KvRegKey::KvRegKey(KvRegKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }

KvRegKey& KvRegKey::operator=(KvRegKey&& other) noexcept
{
    if (this != &other) {
        if (key_) Close();
        key_ = other.key_;
        other.key_ = nullptr;
    }
    return *this;
}

LONG KvRegKey::Create(HKEY parent, LPCSTR subkey, DWORD reserved, LPSTR keyClass, DWORD options,
                      REGSAM access, LPSECURITY_ATTRIBUTES security, LPDWORD disposition)
{
    HKEY created = nullptr;
    const LONG status = RegCreateKeyExA(parent, subkey, reserved, keyClass, options, access,
                                        security, &created, disposition);
    if (status == ERROR_SUCCESS) {
        if (key_) Close();
        key_ = created;
    }
    return status;
}

LONG KvRegKey::Close()
{
    const LONG status = RegCloseKey(key_);
    key_ = nullptr;
    return status;
}

LONG KvRegKey::DeleteKey(LPCSTR subkey) { return RegDeleteKeyA(key_, subkey); }

LONG KvRegKey::QueryValue(LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size)
{
    return RegQueryValueExA(key_, name, reserved, type, data, size);
}

LONG KvRegKey::SetValue(LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size)
{
    return RegSetValueExA(key_, name, reserved, type, data, size);
}

HKEY KvRegKey::Detach()
{
    HKEY key = key_;
    key_ = nullptr;
    return key;
}
