#include "browser/NavigationHistory.h"

#include <gtest/gtest.h>

#include <string>

// Each step ('v' visit, 'b' back, 'f' forward) and the state after it: the
// current place and which ways can be gone.
TEST(NavigationHistory, BackAndForwardWalkTheVisitsAndANewVisitDropsWhatLiesAhead)
{
    const struct {
        char op;
        const char* place;
        const char* current;
        bool back, forward;
    } steps[] = {
        // The same folder again is no new place; listing the current folder
        // again keeps what lies ahead; a new one drops it.
        {'b', "", "", false, false}, {'v', "A", "A", false, false}, {'v', "A", "A", false, false},
        {'v', "B", "B", true, false}, {'v', "C", "C", true, false},  {'b', "", "B", true, true},
        {'b', "", "A", false, true},  {'b', "", "A", false, true},   {'f', "", "B", true, true},
        {'v', "B", "B", true, true},  {'v', "D", "D", true, false},  {'b', "", "B", true, true},
    };
    NavigationHistory history;
    for (const auto& s : steps) {
        if (s.op == 'v') history.Visit(s.place);
        if (s.op == 'b') history.Back();
        if (s.op == 'f') history.Forward();
        EXPECT_EQ(s.current, history.Current() ? *history.Current() : "") << s.op << s.place << s.current;
        EXPECT_EQ(s.back, history.CanGoBack()) << s.op << s.place << s.current;
        EXPECT_EQ(s.forward, history.CanGoForward()) << s.op << s.place << s.current;
    }
}
