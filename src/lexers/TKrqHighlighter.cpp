// Attribute colours and styles of a highlighter, and telling its viewers when they change.
#include "lexers/TKrqHighlighter.h"

namespace krq {

TKrqHighlighter::TKrqHighlighter(const TKrqLexer& lexer) : lexer_(lexer) {
    for (const auto& name : lexer.AttributeNames()) attributes_.push_back({name});
}

void TKrqHighlighter::SetAttribute(int index, int32_t foreground, int32_t background, int style) {
    auto& a = attributes_.at(static_cast<size_t>(index));
    if (a.Foreground == foreground && a.Background == background && a.Style == style) return;
    a.Foreground = foreground;
    a.Background = background;
    a.Style = style;
    // A copy, so a listener may remove itself while being told.
    auto listeners = listeners_;
    for (auto& [id, listener] : listeners) listener();
}

int TKrqHighlighter::AddChangeListener(std::function<void()> listener) {
    listeners_[nextId_] = std::move(listener);
    return nextId_++;
}

void TKrqHighlighter::RemoveChangeListener(int id) { listeners_.erase(id); }

}  // namespace krq
