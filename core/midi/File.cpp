#include "core/midi/File.h"

#include <new>

File::File() : handle(new (std::nothrow) FileHandle)
{
    ownsHandle = handle != nullptr;
}

File::~File()
{
    if (ownsHandle) delete handle;
}

bool File::isOpen() const
{
    return handle != nullptr && !handle->isEmpty() && handle->get() != kInvalidOsHandle;
}
