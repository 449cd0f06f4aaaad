#include "browser/NavigationHistory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// One step and the state after it: current place ("" for none), and which
// ways can be gone.
struct Step {
    char op;  // 'v' visit, 'b' back, 'f' forward
    const char* place;
    const char* current;
    bool back;
    bool forward;
};

std::string CurrentOf(const NavigationHistory& history)
{
    return history.Current() ? *history.Current() : std::string();
}

}  // namespace

TEST(NavigationHistory, BackAndForwardWalkTheVisitsAndANewVisitDropsWhatLiesAhead)
{
    const Step steps[] = {
        {'b', "", "", false, false},  // nothing to go back to
        {'v', "A", "A", false, false},
        {'v', "A", "A", false, false},  // the same folder again is no new place
        {'v', "B", "B", true, false},
        {'v', "C", "C", true, false},
        {'b', "", "B", true, true},
        {'b', "", "A", false, true},
        {'b', "", "A", false, true},  // past the start: stays
        {'f', "", "B", true, true},
        {'v', "B", "B", true, true},  // listing the current folder again keeps what lies ahead
        {'v', "D", "D", true, false},  // C is gone
        {'f', "", "D", true, false},
        {'b', "", "B", true, true},
        {'f', "", "D", true, false},
    };
    NavigationHistory history;
    int index = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(index++);
        if (s.op == 'v') history.Visit(s.place);
        if (s.op == 'b') history.Back();
        if (s.op == 'f') history.Forward();
        EXPECT_EQ(s.current, CurrentOf(history));
        EXPECT_EQ(s.back, history.CanGoBack());
        EXPECT_EQ(s.forward, history.CanGoForward());
    }
}

TEST(NavigationHistory, KeepsOnlyTheNewestPlaces)
{
    NavigationHistory history;
    for (size_t i = 0; i < NavigationHistory::kMaxPlaces + 10; ++i) history.Visit(std::to_string(i));
    size_t steps = 0;
    while (history.Back()) ++steps;
    EXPECT_EQ(NavigationHistory::kMaxPlaces - 1, steps);
    EXPECT_EQ("10", CurrentOf(history));
}
