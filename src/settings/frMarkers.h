// The highlighter holder: the seventeen highlighters, created once before the main window.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lexers/TKrqHighlighter.h"

namespace krq {

class TfrmMarkers {
  public:
    // A program holder becomes Instance() while it is the only one; a private one (a window
    // made without the program's) never does.
    enum class TScope { Program, Private };
    explicit TfrmMarkers(TScope scope = TScope::Program);
    ~TfrmMarkers();
    TfrmMarkers(const TfrmMarkers&) = delete;
    TfrmMarkers& operator=(const TfrmMarkers&) = delete;

    // The program's holder: the first program holder made that still lives, or none. main()
    // makes it before the main window, which finds it here.
    static TfrmMarkers* Instance();

    // Catalogue order: HTML first, Inno Setup last.
    int Count() const { return static_cast<int>(highlighters_.size()); }
    TKrqHighlighter& Highlighter(int index) {
        return *highlighters_.at(static_cast<size_t>(index));
    }
    // The highlighter whose language name (UTF-8) equals `language` exactly, or none.
    TKrqHighlighter* FindByLanguage(std::string_view language);
    // The highlighter with this component name ("hgr_Html"), or none.
    TKrqHighlighter* FindByComponent(std::string_view component);

  private:
    std::vector<std::unique_ptr<TKrqHighlighter>> highlighters_;
};

}  // namespace krq
