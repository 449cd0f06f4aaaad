#pragma once
// NavigationHistory: the folders the file list has shown, in order, with the
// one shown now, for back and forward. A place is an opaque byte string (the
// folder's absolute item id list).
#include <cstddef>
#include <string>
#include <vector>

class NavigationHistory {
public:
    // The oldest places go once the history holds this many.
    static constexpr size_t kMaxPlaces = 256;

    // A folder is shown: a place other than the current one drops the places
    // ahead of the current one and becomes current.
    void Visit(const std::string& place);
    bool CanGoBack() const { return !places_.empty() && current_ > 0; }
    bool CanGoForward() const { return current_ + 1 < places_.size(); }
    // Steps back (forward); the place now current, or null when there is none
    // that way.
    const std::string* Back();
    const std::string* Forward();
    // The place shown now, or null before the first visit.
    const std::string* Current() const;

private:
    std::vector<std::string> places_;
    size_t current_ = 0;
};
