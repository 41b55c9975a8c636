// The wiring of an edit with its typing companions: auto-correction, completion and its list.
#pragma once

#include <QObject>
#include <QPointer>

#include "editor/companions/TKrqAutoCorrect.h"
#include "editor/companions/TKrqCompletionProposal.h"

namespace krq {

class TKrqCompletionList;
class TKrqEdit;

// The edit's two typing companions and the list window, attached or detached by the settings
// with one call each. Destroy it before the edit: its companions hold the edit's model.
class TKrqEditCompanions : public QObject {
    Q_OBJECT

  public:
    explicit TKrqEditCompanions(TKrqEdit* edit);
    ~TKrqEditCompanions() override;

    TKrqAutoCorrect& AutoCorrect() { return autoCorrect_; }
    TKrqCompletionProposal& Proposal() { return proposal_; }
    TKrqCompletionList* List() const { return list_; }

    // The settings `correct` and `proposal`: on attaches, off detaches (closing an open list).
    void SetAutoCorrectOn(bool on);
    bool AutoCorrectOn() const;
    void SetProposalOn(bool on);
    bool ProposalOn() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<TKrqEdit> edit_;
    TKrqAutoCorrect autoCorrect_;
    TKrqCompletionProposal proposal_;
    QPointer<TKrqCompletionList> list_;
};

}  // namespace krq
