// The model's clipboard over QClipboard: plain text as UTF-8 and the private column block.
#pragma once

#include "editor/model/TKrqEditModel.h"

namespace krq {

// The MIME type that carries the "KrqEdit Control Block Type" bytes: mode byte, Windows-1250
// text, NUL.
inline constexpr const char* kKrqEditBlockMime = "application/x-krqedit-control-block-type";

class TKrqEditQtClipboard : public TKrqClipboard {
  public:
    void Put(const std::string& plainText, const std::string& privateBlock) override;
    bool Get(std::string& plainText, std::optional<std::string>& privateBlock) override;
};

}  // namespace krq
