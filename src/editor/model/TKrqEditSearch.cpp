// The search engine: a first-byte scan with memchr, then a comparison of the rest (per short
// line this beats memmem, whose set-up costs more than the scan).
#include "editor/model/TKrqEditSearch.h"

#include <cstring>

#include "platform/cp1250.h"

namespace krq {

namespace {

bool IsWordByte(uint8_t c) { return c == '_' || cp1250::IsAlnum(c); }

}  // namespace

void TKrqEditSearch::SetPattern(std::string_view pattern, bool matchCase, bool wholeWord) {
    pattern_.assign(pattern);
    matchCase_ = matchCase;
    wholeWord_ = wholeWord;
    startCount_ = 0;
    isStart_.fill(false);
    if (pattern_.empty()) return;
    if (!matchCase_) {
        for (char& c : pattern_) c = static_cast<char>(cp1250::ToLower(static_cast<uint8_t>(c)));
    }
    uint8_t first = static_cast<uint8_t>(pattern_[0]);
    for (int b = 0; b < 256; ++b) {
        bool start = matchCase_ ? b == first : cp1250::ToLower(static_cast<uint8_t>(b)) == first;
        if (!start) continue;
        isStart_[b] = true;
        if (startCount_ < 4) starts_[startCount_] = static_cast<char>(b);
        ++startCount_;
    }
}

bool TKrqEditSearch::MatchesAt(const char* p) const {
    if (matchCase_) {
        // Most candidates fail on their second byte; checking it inline saves a call.
        return pattern_.size() == 1 ||
               (p[1] == pattern_[1] &&
                std::memcmp(p + 2, pattern_.data() + 2, pattern_.size() - 2) == 0);
    }
    for (size_t i = 1; i < pattern_.size(); ++i) {
        if (cp1250::ToLower(static_cast<uint8_t>(p[i])) != static_cast<uint8_t>(pattern_[i])) {
            return false;
        }
    }
    return true;
}

int TKrqEditSearch::FindRaw(std::string_view line, size_t from) const {
    size_t m = pattern_.size();
    if (m == 0 || line.size() < m || from > line.size() - m) return -1;
    const char* base = line.data();
    const char* last = base + (line.size() - m);  // the last possible start
    const char* p = base + from;
    if (startCount_ == 1 || startCount_ == 2) {
        // Two independent memchr scans, advancing whichever found the earlier candidate.
        const char* next[2] = {nullptr, nullptr};
        while (p <= last) {
            size_t span = static_cast<size_t>(last - p) + 1;
            const char* cand = nullptr;
            for (int k = 0; k < startCount_; ++k) {
                if (!next[k] || next[k] < p) {
                    next[k] = static_cast<const char*>(std::memchr(p, starts_[k], span));
                    if (!next[k]) next[k] = last + 1;
                }
                if (!cand || next[k] < cand) cand = next[k];
            }
            if (cand > last) return -1;
            if (MatchesAt(cand)) return static_cast<int>(cand - base);
            p = cand + 1;
        }
        return -1;
    }
    for (; p <= last; ++p) {
        if (isStart_[static_cast<uint8_t>(*p)] && MatchesAt(p)) return static_cast<int>(p - base);
    }
    return -1;
}

bool TKrqEditSearch::IsWholeWord(std::string_view line, size_t at) const {
    if (at > 0 && IsWordByte(static_cast<uint8_t>(line[at - 1]))) return false;
    size_t end = at + pattern_.size();
    return end >= line.size() || !IsWordByte(static_cast<uint8_t>(line[end]));
}

int TKrqEditSearch::FindFirst(std::string_view line, size_t from) const {
    for (;;) {
        int at = FindRaw(line, from);
        if (at < 0 || !wholeWord_ || IsWholeWord(line, at)) return at;
        from = static_cast<size_t>(at) + 1;
    }
}

void TKrqEditSearch::FindAll(std::string_view line, std::vector<int>& found) const {
    found.clear();
    size_t from = 0;
    for (;;) {
        int at = FindFirst(line, from);
        if (at < 0) return;
        found.push_back(at);
        from = static_cast<size_t>(at) + pattern_.size();
    }
}

}  // namespace krq
