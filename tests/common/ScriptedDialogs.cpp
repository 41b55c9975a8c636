#include "common/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QUrl>

namespace krq::test {

TScriptedDialogs::TScriptedDialogs() { SetDialogs(this); }
TScriptedDialogs::~TScriptedDialogs() { SetDialogs(nullptr); }

TMsgResult TScriptedDialogs::Message(QWidget*, const QString& caption, const QString& text,
                                     TMsgButtons buttons, TMsgIcon icon) {
    Messages.push_back({caption, text, buttons, icon});
    if (MessageAnswers.empty()) {
        if (buttons != TMsgButtons::OK)
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return buttons == TMsgButtons::OK ? TMsgResult::OK : TMsgResult::Cancel;
    }
    auto answer = MessageAnswers.front();
    MessageAnswers.pop_front();
    return answer;
}

QStringList TScriptedDialogs::OpenFiles(QWidget*, TFileDialogState& state, bool) {
    OpenRequests.push_back(state);
    if (OpenAnswers.empty()) {
        ADD_FAILURE() << "unexpected open dialog";
        return {};
    }
    auto answer = OpenAnswers.front();
    OpenAnswers.pop_front();
    if (!answer.isEmpty()) state.FileName = answer.front();
    return answer;
}

QString TScriptedDialogs::SaveFile(QWidget*, TFileDialogState& state) {
    SaveRequests.push_back(state);
    if (SaveAnswers.empty()) {
        ADD_FAILURE() << "unexpected save dialog";
        return {};
    }
    auto answer = SaveAnswers.front();
    SaveAnswers.pop_front();
    if (state.Encoding && !SaveEncodingAnswers.empty()) {
        state.Encoding = SaveEncodingAnswers.front();
        SaveEncodingAnswers.pop_front();
    }
    if (!answer.isEmpty()) state.FileName = answer;
    return answer;
}

std::optional<QFont> TScriptedDialogs::ChooseFont(QWidget*, const QFont&, int, int) {
    ++FontRequests;
    if (FontAnswers.empty()) return std::nullopt;
    auto answer = FontAnswers.front();
    FontAnswers.pop_front();
    return answer;
}

std::optional<QColor> TScriptedDialogs::ChooseColor(QWidget*, const QColor& initial) {
    ++ColorRequests;
    ColorInitials.push_back(initial);
    if (ColorAnswers.empty()) return std::nullopt;
    auto answer = ColorAnswers.front();
    ColorAnswers.pop_front();
    return answer;
}

void TScriptedDialogs::OpenUrl(QWidget*, const QUrl& url, bool maximised) {
    OpenedUrls.push_back({QString::fromUtf8(url.toEncoded()), maximised});
}

// The window is shown as exec() would show it, but without a loop of its own: the script acts
// on it and must close it; one left open fails the test and is closed.
int TScriptedDialogs::ShowModal(QDialog& window) {
    ++ModalRequests;
    window.setResult(0);
    window.show();
    QApplication::processEvents();
    if (ModalScripts.empty()) {
        ADD_FAILURE() << "unexpected window " << window.objectName().toStdString();
    } else {
        auto script = std::move(ModalScripts.front());
        ModalScripts.pop_front();
        script(window);
    }
    if (window.isVisible()) {
        ADD_FAILURE() << "window left open: " << window.objectName().toStdString();
        window.done(QDialog::Rejected);
    }
    return window.result();
}

}  // namespace krq::test
