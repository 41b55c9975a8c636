// The model's clipboard over QClipboard: plain text as UTF-8 and the private column block.
#include "editor/widget/TKrqEditQtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/cp1250.h"
#include "platform/errors.h"

namespace krq {

namespace {
std::string& ownPrimarySelection() {
    static std::string text;
    return text;
}
}  // namespace

std::string BytesOfText(const QString& text, size_t& lost) {
    return cp1250::fromUtf8(text.toStdString(), lost);
}

void SetPrimarySelection(const std::string& text) {
    QClipboard* clip = QGuiApplication::clipboard();
    if (clip && clip->supportsSelection())
        clip->setText(QString::fromStdString(cp1250::toUtf8(text)), QClipboard::Selection);
    else
        ownPrimarySelection() = text;
}

std::string PrimarySelection() {
    size_t lost = 0;
    return PrimarySelection(lost);
}

std::string PrimarySelection(size_t& lost) {
    lost = 0;
    QClipboard* clip = QGuiApplication::clipboard();
    if (clip && clip->supportsSelection())
        return BytesOfText(clip->text(QClipboard::Selection), lost);
    return ownPrimarySelection();
}

void TKrqEditQtClipboard::Put(const std::string& plainText, const std::string& privateBlock) {
    QClipboard* clip = QGuiApplication::clipboard();
    if (!clip) throw EKrqError("Clipboard copy operation failed");
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(cp1250::toUtf8(plainText)));
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
    if (data->hasText()) {
        size_t lost = 0;
        plainText = BytesOfText(data->text(), lost);
        // The private block, when there is one, is what goes in, and it holds bytes.
        if (lost && !privateBlock && OnLost) OnLost();
    }
    return privateBlock.has_value() || data->hasText();
}

}  // namespace krq
