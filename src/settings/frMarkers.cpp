// The highlighter holder: one highlighter per catalogue lexer, in catalogue order.
#include "settings/frMarkers.h"

#include "lexers/KrqLexer.h"

namespace krq {

namespace {

TfrmMarkers* g_instance = nullptr;

}  // namespace

TfrmMarkers::TfrmMarkers(TScope scope) {
    for (const TKrqLexer* lexer : KrqLexerCatalogue())
        highlighters_.push_back(std::make_unique<TKrqHighlighter>(*lexer));
    if (scope == TScope::Program && !g_instance) g_instance = this;
}

TfrmMarkers::~TfrmMarkers() {
    if (g_instance == this) g_instance = nullptr;
}

TfrmMarkers* TfrmMarkers::Instance() { return g_instance; }

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
