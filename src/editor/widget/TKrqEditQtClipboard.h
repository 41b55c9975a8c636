// The model's clipboard over QClipboard: plain text as UTF-8 and the private column block.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "editor/model/TKrqEditModel.h"

namespace krq {

// The MIME type that carries the "KrqEdit Control Block Type" bytes: mode byte, Windows-1250
// text, NUL.
inline constexpr const char* kKrqEditBlockMime = "application/x-krqedit-control-block-type";

// Text from the desktop as Windows-1250 bytes; `lost` counts the characters that became '?'.
std::string BytesOfText(const QString& text, size_t& lost);

// The primary selection (select to copy, middle click to paste), Windows-1250 text. Where the
// platform has none, a store of this process keeps the gesture working within the program.
void SetPrimarySelection(const std::string& text);
std::string PrimarySelection();
std::string PrimarySelection(size_t& lost);

class TKrqEditQtClipboard : public TKrqClipboard {
  public:
    void Put(const std::string& plainText, const std::string& privateBlock) override;
    bool Get(std::string& plainText, std::optional<std::string>& privateBlock) override;
    // Told when a paste's plain text held characters without a Windows-1250 byte.
    std::function<void()> OnLost;
};

}  // namespace krq
