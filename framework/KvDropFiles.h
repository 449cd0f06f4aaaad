#pragma once
// KvDropFiles: the drop of a WM_DROPFILES message; finishes it (DragFinish)
// when destroyed.
#include <windows.h>
#include <shellapi.h>

class KvDropFiles {
public:
    explicit KvDropFiles(HDROP drop);
    virtual ~KvDropFiles();
    KvDropFiles(const KvDropFiles&) = delete;
    KvDropFiles& operator=(const KvDropFiles&) = delete;

    HDROP GetHandle() const { return drop_; }

private:
    HDROP drop_ = nullptr;
};
