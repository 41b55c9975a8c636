#include "settings/frMarkers.h"

#include "settings/highlighters/KrqLexer.h"

namespace krq {

TfrmMarkers::TfrmMarkers() {
    for (const TKrqLexer* lexer : KrqLexerCatalogue())
        highlighters_.push_back(std::make_unique<TKrqHighlighter>(*lexer));
}

TfrmMarkers::~TfrmMarkers() = default;

TKrqHighlighter* TfrmMarkers::FindByLanguage(std::string_view language) {
    for (auto& h : highlighters_)
        if (language == h->Lexer().LanguageName()) return h.get();
    return nullptr;
}

TKrqHighlighter* TfrmMarkers::FindByComponent(std::string_view component) {
    for (auto& h : highlighters_)
        if (component == h->Lexer().ComponentName()) return h.get();
    return nullptr;
}

}  // namespace krq
