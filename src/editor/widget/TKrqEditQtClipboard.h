// The model's clipboard over QClipboard: plain text as UTF-8 and the private column block.
#pragma once

#include <string>

#include "editor/model/TKrqEditModel.h"

namespace krq {

// The MIME type that carries the "KrqEdit Control Block Type" bytes: mode byte, Windows-1250
// text, NUL.
inline constexpr const char* kKrqEditBlockMime = "application/x-krqedit-control-block-type";

// The primary selection (select to copy, middle click to paste), Windows-1250 text. Where the
// platform has none, a store of this process keeps the gesture working within the program.
void SetPrimarySelection(const std::string& text);
std::string PrimarySelection();

class TKrqEditQtClipboard : public TKrqClipboard {
  public:
    void Put(const std::string& plainText, const std::string& privateBlock) override;
    bool Get(std::string& plainText, std::optional<std::string>& privateBlock) override;
};

}  // namespace krq
