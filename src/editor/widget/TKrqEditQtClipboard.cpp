// The model's clipboard over QClipboard: plain text as UTF-8 and the private column block.
#include "editor/widget/TKrqEditQtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/cp1250.h"
#include "platform/errors.h"

namespace krq {

namespace {
std::string& OwnPrimarySelection() {
    static std::string text;
    return text;
}
}  // namespace

void SetPrimarySelection(const std::string& text) {
    QClipboard* clip = QGuiApplication::clipboard();
    if (clip && clip->supportsSelection())
        clip->setText(QString::fromStdString(cp1250::ToUtf8(text)), QClipboard::Selection);
    else
        OwnPrimarySelection() = text;
}

std::string PrimarySelection() {
    QClipboard* clip = QGuiApplication::clipboard();
    if (clip && clip->supportsSelection())
        return cp1250::FromUtf8(clip->text(QClipboard::Selection).toStdString());
    return OwnPrimarySelection();
}

void TKrqEditQtClipboard::Put(const std::string& plainText, const std::string& privateBlock) {
    QClipboard* clip = QGuiApplication::clipboard();
    if (!clip) throw EKrqError("Clipboard copy operation failed");
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(cp1250::ToUtf8(plainText)));
    data->setData(kKrqEditBlockMime,
                  QByteArray(privateBlock.data(), static_cast<qsizetype>(privateBlock.size())));
    clip->setMimeData(data);
    const QMimeData* now = clip->mimeData();
    if (!now || !now->hasText()) throw EKrqError("Clipboard copy operation failed");
}

bool TKrqEditQtClipboard::Get(std::string& plainText, std::optional<std::string>& privateBlock) {
    QClipboard* clip = QGuiApplication::clipboard();
    if (!clip) throw EKrqError("Clipboard paste operation failed.");
    const QMimeData* data = clip->mimeData();
    if (!data) return false;
    privateBlock.reset();
    plainText.clear();
    if (data->hasFormat(kKrqEditBlockMime)) {
        QByteArray block = data->data(kKrqEditBlockMime);
        if (!block.isEmpty()) privateBlock = std::string(block.constData(), block.size());
    }
    if (data->hasText()) plainText = cp1250::FromUtf8(data->text().toStdString());
    return privateBlock.has_value() || data->hasText();
}

}  // namespace krq
