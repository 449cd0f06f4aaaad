#include "framework/KvGdiObject.h"

KvGdiObject::KvGdiObject() = default;
KvGdiObject::~KvGdiObject() = default;
