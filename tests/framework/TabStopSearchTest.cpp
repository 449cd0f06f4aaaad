// The tab-stop walk over the registry, with styles read from a table instead
// of windows.
#include "framework/KvWindow.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace {

std::map<HWND, LONG_PTR> styles;

LONG_PTR TableStyle(HWND window)
{
    const auto found = styles.find(window);
    return found == styles.end() ? 0 : found->second;
}

// Objects bound to made-up handles, registered in the order given.
struct Registry {
    std::vector<std::unique_ptr<KvWindow>> objects;
    explicit Registry(std::initializer_list<LONG_PTR> list)
    {
        styles.clear();
        for (LONG_PTR style : list) {
            HWND handle = reinterpret_cast<HWND>(INT_PTR(0x1000 + 4 * objects.size()));
            styles[handle] = style;
            objects.push_back(std::make_unique<KvWindow>(handle));
        }
    }
    KvWindow* operator[](size_t i) const { return objects[i].get(); }
};

const LONG_PTR kStop = WS_TABSTOP | WS_VISIBLE;

}  // namespace

TEST(TabStopSearch, WalksBothWaysWrappingAndSkipsNonStops)
{
    // Only WS_TABSTOP with WS_VISIBLE makes a stop.
    Registry r{kStop, WS_VISIBLE, WS_CHILD | kStop, WS_TABSTOP, kStop};
    KvWindow unbound;
    const struct {
        KvWindow* from;
        bool backwards;
        KvWindow* to;
    } cases[] = {
        {r[0], false, r[2]}, {r[2], false, r[4]}, {r[4], false, r[0]}, {r[0], true, r[4]},
        {r[2], true, r[0]},  {r[1], false, r[2]}, {r[3], false, r[4]}, {&unbound, false, r[0]},
        {nullptr, false, r[0]}, {nullptr, true, r[4]},
    };
    for (const auto& c : cases) EXPECT_EQ(c.to, KvWindow::FindTabStop(c.from, c.backwards, TableStyle));
}

TEST(TabStopSearch, NoOtherStopGivesNull)
{
    Registry r{kStop, WS_VISIBLE};
    EXPECT_EQ(nullptr, KvWindow::FindTabStop(r[0], false, TableStyle));
    EXPECT_EQ(nullptr, KvWindow::FindTabStop(r[0], true, TableStyle));
    styles[r[0]->GetHandle()] = WS_VISIBLE;
    EXPECT_EQ(nullptr, KvWindow::FindTabStop(nullptr, false, TableStyle));
    EXPECT_EQ(nullptr, KvWindow::FindTabStop(r[1], true, TableStyle));
}
