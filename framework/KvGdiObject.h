#pragma once
// KvGdiObject: base of wrappers that own one graphics object; Delete frees it.
#include <windows.h>

class KvGdiObject {
public:
    KvGdiObject();
    virtual ~KvGdiObject();
    KvGdiObject(const KvGdiObject&) = delete;
    KvGdiObject& operator=(const KvGdiObject&) = delete;

    virtual BOOL Delete() = 0;
};
