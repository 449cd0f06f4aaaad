// The folders shown, back and forward, and the parent of an item id list.
#include "core/browser/IdListBytes.h"
#include "core/browser/NavigationHistory.h"

#include <gtest/gtest.h>

#include <string>

TEST(NavigationHistory, StepsBackAndForwardAndAVisitDropsWhatLiesAhead)
{
    NavigationHistory h;
    EXPECT_EQ(nullptr, h.Current());
    EXPECT_FALSE(h.CanGoBack());
    for (const char* place : {"a", "b", "b", "c"}) h.Visit(place);  // the same place twice is one step
    EXPECT_EQ("b", *h.Back());
    EXPECT_EQ("a", *h.Back());
    EXPECT_EQ(nullptr, h.Back());
    EXPECT_EQ("b", *h.Forward());
    h.Visit("b");  // the current place again keeps what lies ahead
    EXPECT_TRUE(h.CanGoForward());
    h.Visit("d");
    EXPECT_FALSE(h.CanGoForward());
    EXPECT_EQ("b", *h.Back());
}

TEST(NavigationHistory, KeepsTheNewestPlacesUpToItsLimit)
{
    NavigationHistory h;
    const size_t visits = NavigationHistory::kMaxPlaces + 10;
    for (size_t i = 0; i < visits; ++i) h.Visit(std::to_string(i));
    size_t steps = 0;
    const std::string* place = h.Current();
    for (const std::string* back; (back = h.Back()) != nullptr; ++steps) place = back;
    EXPECT_EQ(NavigationHistory::kMaxPlaces - 1, steps);
    EXPECT_EQ(std::to_string(visits - NavigationHistory::kMaxPlaces), *place);
}

TEST(IdListBytes, ParentDropsTheLastItemAndNeverReadsPastTheBytes)
{
    using namespace std::string_literals;
    const struct {
        std::string list, parent;
    } cases[] = {
        {"\x04\0AB\x03\0C\0\0"s, "\x04\0AB\0\0"s},  // two items: the first stays
        {"\x04\0AB\0\0"s, "\0\0"s},                 // one item: the desktop's empty list
        {"\0\0"s, ""s},                             // the desktop: no parent
        {"\x04\0AB\x09\0C\0\0"s, "\0\0"s},          // a size past the end ends the walk
        {"\x04\0AB\x01\0"s, "\0\0"s},               // a size below 2 too
        {"\x05"s, ""s},
    };
    for (const auto& c : cases) EXPECT_EQ(c.parent, ParentIdList(c.list)) << c.list.size();
}
