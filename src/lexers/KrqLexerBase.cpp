// Keyword sets, identifier characters and the catalogue data every lexer carries.
#include "lexers/KrqLexerBase.h"

#include <algorithm>
#include <stdexcept>

#include "lexers/KrqLexerScan.h"
#include "platform/cp1250.h"

namespace krq {

namespace {
char LowerAsciiChar(char c) { return lexscan::LowerAscii(static_cast<unsigned char>(c)); }
}  // namespace

TKrqKeywordSet::TKrqKeywordSet(std::initializer_list<std::string_view> words, bool caseSensitive)
    : caseSensitive_(caseSensitive) {
    words_.reserve(words.size() * 2);
    for (auto w : words) {
        std::string s(w);
        if (!caseSensitive_) std::transform(s.begin(), s.end(), s.begin(), LowerAsciiChar);
        maxLength_ = std::max(maxLength_, s.size());
        words_.insert(std::move(s));
    }
}

bool TKrqKeywordSet::Contains(std::string_view word) const {
    if (word.size() > maxLength_ || word.empty()) return false;
    if (caseSensitive_) return words_.find(word) != words_.end();
    char buf[64];
    if (word.size() > sizeof buf) return false;
    for (size_t i = 0; i < word.size(); ++i) buf[i] = LowerAsciiChar(word[i]);
    return words_.find(std::string_view(buf, word.size())) != words_.end();
}

std::array<bool, 256> MakeIdentChars(std::string_view extra) {
    std::array<bool, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = cp1250::IsAlnum(static_cast<uint8_t>(c));
    t['_'] = true;
    for (unsigned char c : extra) t[c] = true;
    return t;
}

TKrqLexerBase::TKrqLexerBase(const char* component, const char* className, const char* language,
                             const char* filter, std::vector<std::string> attributes,
                             std::string_view whitespaceName, std::array<bool, 256> identChars)
    : component_(component),
      className_(className),
      language_(language),
      filter_(filter),
      attributes_(std::move(attributes)),
      whitespace_(-1),
      identChars_(identChars) {
    whitespace_ = Attr(whitespaceName);
}

int TKrqLexerBase::Attr(std::string_view name) const {
    for (size_t i = 0; i < attributes_.size(); ++i)
        if (attributes_[i] == name) return static_cast<int>(i);
    throw std::logic_error("unknown attribute " + std::string(name));
}

}  // namespace krq
