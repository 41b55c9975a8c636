// Dialogs for window tests: answers are queued beforehand, every question is recorded.
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "platform/dialogs.h"

namespace krq::test {

struct TAskedMessage {
    QString Caption;
    QString Text;
    TMsgButtons Buttons;
    TMsgIcon Icon;
};

// Installs itself for its lifetime. An unexpected question fails the test and is answered
// with Cancel (or OK), so a test never hangs on a modal dialog.
class TScriptedDialogs final : public TKrqDialogs {
  public:
    TScriptedDialogs();
    ~TScriptedDialogs() override;

    std::deque<TMsgResult> MessageAnswers;
    std::deque<QStringList> OpenAnswers;  // an empty list is Cancel
    std::deque<QString> SaveAnswers;      // "" is Cancel
    // The encodings chosen in save dialogs that offer one; none keeps the one offered.
    std::deque<TDocEncoding> SaveEncodingAnswers;
    std::deque<std::optional<QFont>> FontAnswers;
    std::deque<std::optional<QColor>> ColorAnswers;
    // What a user does in a modal window: run on the shown window, which it must close.
    std::deque<std::function<void(QDialog&)>> ModalScripts;

    std::vector<TAskedMessage> Messages;
    std::vector<TFileDialogState> OpenRequests;
    std::vector<TFileDialogState> SaveRequests;
    struct TOpenedUrl {
        QString Url;  // as encoded for the desktop
        bool Maximised;
    };
    std::vector<TOpenedUrl> OpenedUrls;  // never handed to the desktop
    int FontRequests = 0;
    int ColorRequests = 0;
    std::vector<QColor> ColorInitials;  // the colour each colour dialog opened with
    int ModalRequests = 0;

    TMsgResult Message(QWidget* owner, const QString& caption, const QString& text,
                       TMsgButtons buttons, TMsgIcon icon) override;
    QStringList OpenFiles(QWidget* owner, TFileDialogState& state, bool multiple) override;
    QString SaveFile(QWidget* owner, TFileDialogState& state) override;
    std::optional<QFont> ChooseFont(QWidget* owner, const QFont& initial, int minPoints,
                                    int maxPoints) override;
    std::optional<QColor> ChooseColor(QWidget* owner, const QColor& initial) override;
    void OpenUrl(QWidget* owner, const QUrl& url, bool maximised) override;
    int ShowModal(QDialog& window) override;
};

}  // namespace krq::test
