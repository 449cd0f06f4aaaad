#pragma once
// KernelHandle: owns one operating-system handle and closes it when destroyed.
#include "core/midi/OsFile.h"

class KernelHandle {
public:
    KernelHandle() = default;
    virtual ~KernelHandle();
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    // Closes the handle: on success it becomes null and true is returned;
    // on failure the handle is kept and false is returned.
    bool closeHandle();
    OsHandle get() const { return handle; }
    bool isEmpty() const { return handle == nullptr; }

protected:
    OsHandle handle = nullptr;
};
