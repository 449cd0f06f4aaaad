#include "framework/KvDropFiles.h"

KvDropFiles::KvDropFiles(HDROP drop) : drop_(drop) {}

KvDropFiles::~KvDropFiles()
{
    if (drop_) {
        DragFinish(drop_);
        drop_ = nullptr;
    }
}
