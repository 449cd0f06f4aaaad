#include "core/browser/NavigationHistory.h"

void NavigationHistory::Visit(const std::string& place)
{
    if (!places_.empty() && places_[current_] == place) return;
    if (!places_.empty()) places_.resize(current_ + 1);
    places_.push_back(place);
    if (places_.size() > kMaxPlaces) places_.erase(places_.begin());
    current_ = places_.size() - 1;
}

const std::string* NavigationHistory::Back()
{
    if (!CanGoBack()) return nullptr;
    return &places_[--current_];
}

const std::string* NavigationHistory::Forward()
{
    if (!CanGoForward()) return nullptr;
    return &places_[++current_];
}

const std::string* NavigationHistory::Current() const
{
    return places_.empty() ? nullptr : &places_[current_];
}
