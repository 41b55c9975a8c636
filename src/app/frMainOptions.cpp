// "Opcje → Ustawienia": the options window, and what it changes in the main window.
#include "app/frMain.h"
#include "editor/companions/TKrqCompletionProposal.h"
#include "settings/TOptionsHost.h"
#include "settings/frOptions.h"

namespace krq {

namespace {

// Every change goes through the same routines as start-up and the View menu.
class TMainOptionsHost final : public TOptionsHost {
  public:
    explicit TMainOptionsHost(TfrmMain& main) : main_(main) {}

    QWidget* Window() override { return &main_; }
    TfrmMarkers& Markers() override { return main_.Markers(); }
    bool AutoMark() const override { return main_.AutoMark; }

    void ApplyBox(TOptionBox box, bool on) override {
        switch (box) {
            case TOptionBox::DelSpaces:
                main_.prcSetTrimSpaces(on);
                break;
            case TOptionBox::NoPopUp:
                main_.prcBlockPopUp(on);
                break;
            case TOptionBox::AutoIndent:
                main_.prcSetAutoIndent(on);
                break;
            case TOptionBox::AutoMark:
                main_.AutoMark = on;
                break;
            case TOptionBox::Proposal:
                main_.prcAttachProposal(on);
                break;
            case TOptionBox::AutoCorrect:
                main_.prcAttachAutoCorrect(on);
                break;
            case TOptionBox::StatusBar:
                main_.prcShowStatusBar(on);
                break;
            case TOptionBox::ToolBar:
                main_.prcShowToolBar(on);
                break;
            case TOptionBox::Gutter:
                main_.prcShowGutter(on);
                break;
            case TOptionBox::WordWrap:
                main_.prcSetWordWrap(on);
                break;
            case TOptionBox::XPStyle:
                main_.prcSetXPStyle(on);
                break;
        }
    }
    void ApplyGlyphSet(int style) override { main_.prcSetGlyphSet(style); }
    void ApplyColors(const TEditorColors& colors) override { main_.prcSetEditColors(colors); }
    void ReloadProposalList() override { main_.ivcKrqProposal->LoadItemListFromFile(); }
    void RunCommand(const std::function<void()>& command) override { main_.RunCommand(command); }

  private:
    TfrmMain& main_;
};

}  // namespace

void TfrmMain::ctxFormOptionsExecute() {
    TMainOptionsHost host(*this);
    TfrmOptions frmOptions(host);
    Dialogs().ShowModal(frmOptions);
}

}  // namespace krq
