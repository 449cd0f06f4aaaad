#pragma once
// KvRegKey: one open registry key; closed when the wrapper goes. Move-only.
#include <windows.h>

class KvRegKey {
public:
    KvRegKey();
    virtual ~KvRegKey();
    KvRegKey(const KvRegKey&) = delete;
    KvRegKey& operator=(const KvRegKey&) = delete;
    KvRegKey(KvRegKey&& other) noexcept;
    KvRegKey& operator=(KvRegKey&& other) noexcept;

    // RegCreateKeyExA into this wrapper. On success a key held before is
    // closed (not leaked); on failure the wrapper keeps what it held.
    [[nodiscard]] LONG Create(HKEY parent, LPCSTR subkey, DWORD reserved, LPSTR keyClass, DWORD options,
                REGSAM access, LPSECURITY_ATTRIBUTES security, LPDWORD disposition);
    LONG Close();
    [[nodiscard]] LONG DeleteKey(LPCSTR subkey);
    [[nodiscard]] LONG QueryValue(LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);
    [[nodiscard]] LONG SetValue(LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);

    HKEY GetHandle() const { return key_; }
    // Gives up the key without closing it; returns the handle.
    HKEY Detach();

private:
    HKEY key_ = nullptr;
};
