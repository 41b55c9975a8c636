// The model's clipboard over QClipboard: plain text as UTF-8 and the private column block.
#pragma once

#include <QMimeData>
#include <QString>
#include <functional>
#include <string>

#include "editor/model/TKrqEditModel.h"

namespace krq {

// The MIME type that carries the "KrqEdit Control Block Type" bytes: mode byte, Windows-1250
// text, NUL.
inline constexpr const char* kKrqEditBlockMime = "application/x-krqedit-control-block-type";

// What the editor puts on the clipboard, the primary selection or a drag: only the private
// block is kept, and the UTF-8 plain text is made from it each time another program (or
// QMimeData::text()) asks. A copy of a whole large document so costs one copy of its bytes
// and no UTF-16 form, and a paste back into the editor reads the block byte for byte.
class TKrqEditMimeData : public QMimeData {
  public:
    explicit TKrqEditMimeData(std::string block);
    const std::string& Block() const { return block_; }
    // The text inside the block, without mode byte and NUL.
    std::string_view Text() const;

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

  protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

  private:
    std::string block_;
};
// Text from the desktop as Windows-1250 bytes; `lost` counts the characters that became '?'.
std::string BytesOfText(const QString& text, size_t& lost);

// The primary selection (select to copy, middle click to paste), Windows-1250 text. Where the
// platform has none, a store of this process keeps the gesture working within the program.
void SetPrimarySelection(std::string text);
std::string PrimarySelection();
std::string PrimarySelection(size_t& lost);

class TKrqEditQtClipboard : public TKrqClipboard {
  public:
    void Put(std::string privateBlock) override;
    bool Get(std::string& plainText, std::optional<std::string>& privateBlock) override;
    // Told when a paste's plain text held characters without a Windows-1250 byte.
    std::function<void()> OnLost;
};

}  // namespace krq
