#include "search/FindHistory.h"

namespace tagloom {

bool addToHistory(std::vector<std::string>& history, const std::string& text) {
    if (text.empty() || (!history.empty() && history.front() == text)) return false;
    history.insert(history.begin(), text);
    if (history.size() > kHistoryLength) history.pop_back();
    return true;
}

}  // namespace tagloom
