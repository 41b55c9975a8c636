// The highlighter catalogue: the seventeen languages in their fixed order, with the names and
// file filters that the menus, file dialogs and the automatic choice walk.
#pragma once

#include <array>
#include <string>

namespace krq {

struct TKrqCatalogueEntry {
    const char* Component;  // "hgr_Html"
    const char* ClassName;  // "TKrqHTMLHighlighter"
    const char* Language;   // "Dokument HTML" (UTF-8), also the menu caption
    const char* Filter;     // "HTML Documents (*.htm,*.html)|*.htm;*.html"
    const char* MenuItem;   // "mnsOptionsMarkersHtml"
};

inline constexpr int kCatalogueSize = 17;
extern const std::array<TKrqCatalogueEntry, kCatalogueSize> kCatalogue;

// The filter list of the program's file dialogs: text documents, every highlighter's filter
// in catalogue order, then all files; each entry followed by "|".
std::string FileDialogFilter();

}  // namespace krq
