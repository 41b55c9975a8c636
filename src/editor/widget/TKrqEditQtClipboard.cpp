// The model's clipboard over QClipboard: plain text as UTF-8 and the private column block.
#include "editor/widget/TKrqEditQtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "editor/commands/KrqEditCommands.h"
#include "platform/cp1250.h"
#include "platform/errors.h"

namespace krq {

namespace {

const QString& TextPlain() {
    static const QString format = QStringLiteral("text/plain");
    return format;
}

// GTK programs ask for this name besides the X11 UTF8_STRING that Qt derives from text/plain.
const QString& TextPlainUtf8() {
    static const QString format = QStringLiteral("text/plain;charset=utf-8");
    return format;
}

const QString& BlockFormat() {
    static const QString format = QString::fromLatin1(kKrqEditBlockMime);
    return format;
}

std::string& OwnPrimarySelection() {
    static std::string text;
    return text;
}

}  // namespace

std::string BytesOfText(const QString& text, size_t& lost) {
    return cp1250::FromUtf8(text.toStdString(), lost);
}

TKrqEditMimeData::TKrqEditMimeData(std::string block) : block_(std::move(block)) {}

std::string_view TKrqEditMimeData::Text() const { return EditBlockText(block_); }

QStringList TKrqEditMimeData::formats() const {
    QStringList list{BlockFormat(), TextPlainUtf8(), TextPlain()};
    list += QMimeData::formats();
    return list;
}

bool TKrqEditMimeData::hasFormat(const QString& mimeType) const {
    return mimeType == TextPlain() || mimeType == TextPlainUtf8() || mimeType == BlockFormat() ||
           QMimeData::hasFormat(mimeType);
}

QVariant TKrqEditMimeData::retrieveData(const QString& mimeType, QMetaType type) const {
    if (mimeType == BlockFormat())
        return QByteArray(block_.data(), static_cast<qsizetype>(block_.size()));
    if (mimeType == TextPlain() || mimeType == TextPlainUtf8()) {
        // One pass sizes the UTF-8 form, a second writes it: no buffer grows on the way.
        std::string_view text = Text();
        QByteArray utf8(static_cast<qsizetype>(cp1250::Utf8Size(text)), Qt::Uninitialized);
        cp1250::EncodeUtf8(text, utf8.data());
        return utf8;
    }
    return QMimeData::retrieveData(mimeType, type);
}

void SetPrimarySelection(std::string text) {
    QClipboard* clip = QGuiApplication::clipboard();
    if (clip && clip->supportsSelection())
        clip->setMimeData(new TKrqEditMimeData(EncodeEditBlock(smNormal, text)),
                          QClipboard::Selection);
    else
        OwnPrimarySelection() = std::move(text);
}

std::string PrimarySelection() {
    size_t lost = 0;
    return PrimarySelection(lost);
}

std::string PrimarySelection(size_t& lost) {
    lost = 0;
    QClipboard* clip = QGuiApplication::clipboard();
    if (clip && clip->supportsSelection()) {
        const QMimeData* data = clip->mimeData(QClipboard::Selection);
        if (auto* own = dynamic_cast<const TKrqEditMimeData*>(data))
            return std::string(own->Text());
        return BytesOfText(clip->text(QClipboard::Selection), lost);
    }
    return OwnPrimarySelection();
}

void TKrqEditQtClipboard::Put(std::string privateBlock) {
    QClipboard* clip = QGuiApplication::clipboard();
    if (!clip) throw EKrqError("Clipboard copy operation failed");
    clip->setMimeData(new TKrqEditMimeData(std::move(privateBlock)));
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
    // A copy of this program is read straight from its block, without any conversion.
    if (auto* own = dynamic_cast<const TKrqEditMimeData*>(data)) {
        privateBlock = own->Block();
        return true;
    }
    if (data->hasFormat(kKrqEditBlockMime)) {
        QByteArray block = data->data(kKrqEditBlockMime);
        if (!block.isEmpty()) privateBlock = std::string(block.constData(), block.size());
    }
    // The plain text is needed only when no usable block came with it.
    std::string_view block = privateBlock ? std::string_view(*privateBlock) : std::string_view();
    bool usable = !block.empty() && static_cast<uint8_t>(block[0]) <= smColumn;
    if (!usable && data->hasText()) {
        size_t lost = 0;
        plainText = BytesOfText(data->text(), lost);
        if (lost && OnLost) OnLost();
    }
    return privateBlock.has_value() || data->hasText();
}

}  // namespace krq
