#include "core/layout/ShowWindowFlags.h"

uint32_t ShowWindowFlags::Compose(uint32_t stored, const Live& live)
{
    uint32_t flags = stored & ~kOwnBits;
    if (live.toolbar) flags |= kToolbar;
    if (live.statusBar) flags |= kStatusBar;
    if (live.tree) flags |= kTree;
    if (live.dataView) flags |= kDataView;
    if (live.midiOnly) flags |= kMidiOnly;
    return flags;
}
