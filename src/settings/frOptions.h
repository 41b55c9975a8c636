// The options window "Ustawienia": every setting on seven pages, written and applied on OK.
#pragma once

#include <QColor>
#include <QDialog>
#include <string>
#include <vector>

#include "settings/TOptionsHost.h"
#include "settings/associations/unAssociations.h"
#include "settings/unWordListEdit.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class QTreeWidget;

namespace krq {

class TKrqColorSwatch;
class TKrqHighlighter;

// True when `path` exists but cannot be read: such a file is never replaced by what the window
// could not show.
bool ExistsUnreadable(const std::string& path);

// Made for one opening and shown modally. Only the page "Markery" touches shared state before
// OK: it edits the highlighters in place, and OK stores them.
class TfrmOptions : public QDialog {
    Q_OBJECT

  public:
    explicit TfrmOptions(TOptionsHost& host);
    ~TfrmOptions() override;

    // --- Window ----------------------------------------------------------------------------
    // Fills every control anew (run when the window is shown).
    void FormShow();
    // Writes and applies every page; a failure stops it there and the window stays open.
    void btnOkClick();
    void btnCancelClick();
    // Puts the defaults into the controls; nothing is written.
    void btnDefaultClick();

    // --- Kolory ------------------------------------------------------------------------------
    void shp_C1ContextPopup() { prcPickColor(0); }
    void shp_C2ContextPopup() { prcPickColor(1); }
    void shp_C3ContextPopup() { prcPickColor(2); }
    void shp_C4ContextPopup() { prcPickColor(3); }
    void shp_C5ContextPopup() { prcPickColor(4); }

    // --- Markery -----------------------------------------------------------------------------
    void cbxMarkSelect();
    void lsbMarkAtributesClick();
    void shp_MarkFContextPopup();
    void shp_MarkBContextPopup();
    void ckbFrgNoneMouseUp();
    void ckbBckNoneMouseUp();
    void ckbMarkBoldMouseUp();
    void ckbMarkItalicMouseUp();
    void ckbMarkUnderlineMouseUp();
    void ckbMarkStrikeMouseUp();
    void btnMarkResetClick();
    void btnMarkStandardClick();
    // Set or clear the style bit of a style box on the chosen attribute.
    void prcAddStyle(QCheckBox* box);
    void prcRemoveStyle(QCheckBox* box);

    // --- Lista słówek and Autokorekta -------------------------------------------------------
    // `key` is the released key (Qt::Key).
    void lsbListProposalKeyUp(int key);
    void edtNewProposalKeyUp(int key);
    void btnAddProposalClick();
    // A cell of the grid became the current one.
    void lstAutocorrectSelectCell(int row, int column);

    // --- Skojarzenia -------------------------------------------------------------------------
    // One entry per row of the association list: ticked or not.
    std::vector<bool> AssociationTicks() const;

    // --- What the pages hold, for the tests and the pages' own code -------------------------
    const std::vector<std::string>& ProposalWords() const { return proposals_; }
    const TAutoCorrectGrid& AutoCorrectGrid() const { return grid_; }

    // --- Controls ----------------------------------------------------------------------------
    QTabWidget* pcpOptions = nullptr;
    QWidget *pcpEdit = nullptr, *pcpView = nullptr, *pcpColors = nullptr, *pcpProposal = nullptr,
            *pcpAutoCorrect = nullptr, *pcpMarkers = nullptr, *pcpAssociation = nullptr;
    QPushButton *btnOk = nullptr, *btnCancel = nullptr, *btnDefault = nullptr;
    // The colour dialog keeps the colour picked last and opens with it.
    QColor dlgColor = Qt::black;

    QCheckBox *ckbDelSpaces = nullptr, *ckbNoPopUp = nullptr, *ckbAutoIndent = nullptr,
              *ckbAutoMark = nullptr, *ckbProposal = nullptr, *ckbAutoCorrect = nullptr;
    QCheckBox *ckbStatusBar = nullptr, *ckbToolBar = nullptr, *ckbGutter = nullptr,
              *ckbWordWrap = nullptr, *ckbXPStyle = nullptr;
    QRadioButton *rg_ToolBarStandard = nullptr, *rg_ToolBarXP = nullptr, *rg_ToolBarOrbit = nullptr;
    TKrqColorSwatch* shp_C[kEditorColorCount] = {};

    QListWidget* lsbListProposal = nullptr;
    QLineEdit* edtNewProposal = nullptr;
    QPushButton* btnAddProposal = nullptr;
    QLabel* lbl_11 = nullptr;
    QTableWidget* lstAutocorrect = nullptr;

    QComboBox* cbxMark = nullptr;
    QListWidget* lsbMarkAtributes = nullptr;
    TKrqColorSwatch *shp_MarkF = nullptr, *shp_MarkB = nullptr;
    QCheckBox *ckbFrgNone = nullptr, *ckbBckNone = nullptr;
    QCheckBox *ckbMarkBold = nullptr, *ckbMarkItalic = nullptr, *ckbMarkUnderline = nullptr,
              *ckbMarkStrike = nullptr;
    QPushButton *btnMarkReset = nullptr, *btnMarkStandard = nullptr;

    QTreeWidget* mmcAssociation = nullptr;
    QCheckBox* ckbAss_HTMLEditor = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    // Esc and every other way of closing without OK are "Anuluj".
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Page construction (frOptionsPages.cpp).
    void CreateEditPage();
    void CreateViewPage();
    void CreateColorsPage();
    void CreateProposalPage();
    void CreateAutoCorrectPage();
    void CreateMarkersPage();
    void CreateAssociationPage();
    QCheckBox* NewBox(QWidget* page, const char* name, const char* caption, const char* hint);
    // The design size, grown where the captions need more room.
    void FitToContents();

    void prcPickColor(int index);
    // Runs a handler through the standard error report.
    void run(void (TfrmOptions::*handler)());

    // Markery (frOptionsMarkers.cpp).
    TKrqHighlighter* ChosenHighlighter();
    int ChosenAttribute() const;
    // Changes the chosen attribute; the editor repaints when it shows that highlighter.
    void SetChosenAttribute(int32_t foreground, int32_t background, int style);
    int StyleBit(QCheckBox* box) const;
    void StyleBoxMouseUp(QCheckBox* box);
    void NoneBoxMouseUp(QCheckBox* box, TKrqColorSwatch* swatch, bool foreground);
    void PickMarkColor(TKrqColorSwatch* swatch, bool foreground);
    void ShowMarkColor(int32_t value, QCheckBox* none, TKrqColorSwatch* swatch);

    // Word lists (frOptionsWordLists.cpp).
    void LoadWordLists();
    void SaveWordLists();
    void RefreshCounter();
    void FillGrid(int currentRow, int currentColumn);
    void GridItemChanged(int row, int column);
    void GridCurrentChanged(int row, int column, int previousRow, int previousColumn);
    bool GridKey(int key, Qt::KeyboardModifiers modifiers);

    void FillAssociations();

    TOptionsHost& host_;
    bool shown_ = false;

    std::vector<std::string> proposals_;
    // A list that exists but could not be read is neither editable nor written back, so OK
    // never replaces what it could not show.
    bool schemeUsable_ = true;
    bool proposalUsable_ = false;
    bool correctUsable_ = false;
    TAutoCorrectGrid grid_;
    bool fillingGrid_ = false;
    // The current row as it was when the cursor entered it; Esc puts it back.
    std::string gridRowOnEntry_;
    bool fillingMarkers_ = false;

    std::vector<TAssociationRow> associations_;
};

}  // namespace krq
