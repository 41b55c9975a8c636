// The wiring of an edit with its typing companions.
#include "editor/companions/TKrqEditCompanions.h"

#include <QApplication>
#include <QEvent>

#include "editor/companions/TKrqCompletionList.h"
#include "editor/widget/TKrqEdit.h"

namespace krq {

TKrqEditCompanions::TKrqEditCompanions(TKrqEdit* edit)
    : QObject(nullptr), edit_(edit), list_(new TKrqCompletionList(proposal_, edit)) {
    autoCorrect_.ConfigureAsMainWindow();
    proposal_.OnShow = [this] {
        if (list_) list_->ShowAtCaret();
    };
    proposal_.OnHide = [this] {
        if (list_) list_->hide();
    };
    proposal_.OnSelectionChanged = [this] {
        if (list_) list_->SelectionChanged();
    };
    edit->installEventFilter(this);
}

TKrqEditCompanions::~TKrqEditCompanions() {
    proposal_.OnShow = nullptr;
    proposal_.OnHide = nullptr;
    proposal_.OnSelectionChanged = nullptr;
    proposal_.SetEditor(nullptr);
    autoCorrect_.SetEditor(nullptr);
    if (edit_) edit_->removeEventFilter(this);
    delete list_;  // already gone when the edit's window took it along
}

void TKrqEditCompanions::SetAutoCorrectOn(bool on) {
    autoCorrect_.SetEditor(on && edit_ ? &edit_->Model() : nullptr);
}
bool TKrqEditCompanions::AutoCorrectOn() const { return autoCorrect_.Editor() != nullptr; }

void TKrqEditCompanions::SetProposalOn(bool on) {
    proposal_.SetEditor(on && edit_ ? &edit_->Model() : nullptr);
}
bool TKrqEditCompanions::ProposalOn() const { return proposal_.Editor() != nullptr; }

bool TKrqEditCompanions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && proposal_.IsOpen()) {
        if (event->type() == QEvent::FocusOut) {
            // A window manager may still activate the list on a click; that is no focus loss.
            if (!list_ || QApplication::activeWindow() != list_) proposal_.FocusLost();
        } else if (event->type() == QEvent::Hide) {
            proposal_.FocusLost();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace krq
