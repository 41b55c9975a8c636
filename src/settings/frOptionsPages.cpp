// The options window's construction: the seven pages, their controls, captions and hints.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "settings/TKrqColorSwatch.h"
#include "settings/frOptions.h"

namespace krq {

namespace {

// Hints stay up for ten seconds, as in the main window.
constexpr int kHintMs = 10000;
// The window's client area as designed; it grows where the captions need more.
constexpr int kDesignWidth = 518;
constexpr int kDesignHeight = 310;

QString U(const char* text) { return QString::fromUtf8(text); }

QLabel* NewLabel(QWidget* page, const char* text, const char* name = nullptr) {
    auto* label = new QLabel(U(text), page);
    if (name) label->setObjectName(name);
    return label;
}

QWidget* NewPage(QTabWidget* pages, const char* name, const char* caption) {
    auto* page = new QWidget(pages);
    page->setObjectName(name);
    pages->addTab(page, U(caption));
    return page;
}

}  // namespace

TfrmOptions::TfrmOptions(TOptionsHost& host) : QDialog(host.Window()), host_(host) {
    setObjectName("frmOptions");
    setWindowTitle(U("Ustawienia"));
    // A fixed dialog with a title and no buttons of its own in the title bar.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    if (QWidget* owner = host.Window()) setFont(owner->font());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    pcpOptions = new QTabWidget(this);
    pcpOptions->setObjectName("pcpOptions");
    // Every page caption shows whole: the window grows to the tab row instead of scrolling it.
    pcpOptions->tabBar()->setUsesScrollButtons(false);
    pcpOptions->tabBar()->setElideMode(Qt::ElideNone);
    layout->addWidget(pcpOptions, 1);

    CreateEditPage();
    CreateViewPage();
    CreateColorsPage();
    CreateProposalPage();
    CreateAutoCorrectPage();
    CreateMarkersPage();
    CreateAssociationPage();
    pcpOptions->setCurrentWidget(pcpEdit);

    auto* buttons = new QHBoxLayout;
    btnDefault = new QPushButton(U("Przywróć domyślne"), this);
    btnDefault->setObjectName("btnDefault");
    btnOk = new QPushButton(U("OK"), this);
    btnOk->setObjectName("btnOk");
    btnCancel = new QPushButton(U("Anuluj"), this);
    btnCancel->setObjectName("btnCancel");
    buttons->addWidget(btnDefault);
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);
    // Enter belongs to the new-word field and the grid, never to a default button.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(btnOk, &QPushButton::clicked, this, [this] { run(&TfrmOptions::btnOkClick); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { run(&TfrmOptions::btnCancelClick); });
    connect(btnDefault, &QPushButton::clicked, this,
            [this] { run(&TfrmOptions::btnDefaultClick); });

    FitToContents();
    move(156, 176);
}

QCheckBox* TfrmOptions::NewBox(QWidget* page, const char* name, const char* caption,
                               const char* hint) {
    auto* box = new QCheckBox(U(caption), page);
    box->setObjectName(name);
    if (hint) {
        box->setToolTip(U(hint));
        box->setToolTipDuration(kHintMs);
    }
    return box;
}

void TfrmOptions::CreateEditPage() {
    pcpEdit = NewPage(pcpOptions, "pcpEdit", "Edycja");
    auto* layout = new QVBoxLayout(pcpEdit);
    ckbDelSpaces = NewBox(pcpEdit, "ckbDelSpaces", "Usuwanie niepotrzebnych spacji",
                          "Automatycznie usuwa wszystkie spacje na końcu wiersza oraz entery na "
                          "końcu pliku");
    ckbNoPopUp =
        NewBox(pcpEdit, "ckbNoPopUp", "Blokada menu PopUp wysuwanego z prawego przycisku myszy",
               "Nie pozwala na wysunięcie podręcznego menu PopUp prawym przyciskiem "
               "myszy");
    ckbAutoIndent = NewBox(pcpEdit, "ckbAutoIndent", "Inteligentne wykrywanie wcięć",
                           "Automatycznie robi wcięcie jak wiersz wyżej");
    ckbAutoMark = NewBox(pcpEdit, "ckbAutoMark", "Automatyczne kolorowanie składni",
                         "Koloruje wybrany język w zależności od typu otwartego lub zapisanego "
                         "pliku");
    ckbProposal = NewBox(pcpEdit, "ckbProposal",
                         "Lista pomocnych słówek do wstawienia ze skrótu Ctrl + Spacja",
                         "Daje możliwość wysunięcia pomocniczej listy słówek, które można "
                         "wstawić do tekstu (skrót: Ctrl + Spacja)");
    ckbAutoCorrect = NewBox(pcpEdit, "ckbAutoCorrect", "Tryb autokorekty",
                            "Pozwala na automatyczne zamienianie określonych wyrazów na inne - "
                            "można je ustawić w zakładce \"Autokorekta\"");
    for (QCheckBox* box :
         {ckbDelSpaces, ckbNoPopUp, ckbAutoIndent, ckbAutoMark, ckbProposal, ckbAutoCorrect})
        layout->addWidget(box);
    layout->addStretch(1);
}

void TfrmOptions::CreateViewPage() {
    pcpView = NewPage(pcpOptions, "pcpView", "Widok");
    auto* layout = new QVBoxLayout(pcpView);
    ckbStatusBar = NewBox(pcpView, "ckbStatusBar", "Pasek statusu",
                          "Pokazuje pasek statusu na dole notatnika");
    ckbToolBar =
        NewBox(pcpView, "ckbToolBar", "Pasek narzędzi", "Pokazuje podręczny pasek narzędzi");
    ckbGutter =
        NewBox(pcpView, "ckbGutter", "Numeracja linii", "Pokazuje z boku numeracje linii tekstu");
    ckbWordWrap = NewBox(pcpView, "ckbWordWrap", "Zawijanie wierszy",
                         "Zawija wiersze tekstu jak standardowy notatnik");
    ckbXPStyle = NewBox(pcpView, "ckbXPStyle", "Styl notatnika jak w Windows XP",
                        "Włącza wizualizację notatnika jak w systemie Windows XP");
    for (QCheckBox* box : {ckbStatusBar, ckbToolBar, ckbGutter, ckbWordWrap, ckbXPStyle})
        layout->addWidget(box);
    layout->addSpacing(8);
    layout->addWidget(NewLabel(pcpView, "Styl paska narzędzi:", "lblToolBarStyle"));
    auto radio = [this, layout](const char* name, const char* caption) {
        auto* button = new QRadioButton(U(caption), pcpView);
        button->setObjectName(name);
        layout->addWidget(button);
        return button;
    };
    rg_ToolBarStandard = radio("rg_ToolBarStandard", "Standardowy");
    rg_ToolBarXP = radio("rg_ToolBarXP", "Styl Windows XP");
    rg_ToolBarOrbit = radio("rg_ToolBarOrbit", "Orbit Icons");
    rg_ToolBarStandard->setChecked(true);
    layout->addStretch(1);
}

void TfrmOptions::CreateColorsPage() {
    pcpColors = NewPage(pcpOptions, "pcpColors", "Kolory");
    auto* layout = new QVBoxLayout(pcpColors);
    auto* grid = new QGridLayout;
    static const char* const kLabels[kEditorColorCount] = {
        "Kolor notatnika", "Kolor tekstu", "Kolor zaznaczonego tekstu",
        "Kolor tła zaznaczonego tekstu", "Kolor tła numeracji linii"};
    static void (TfrmOptions::*const kPopups[kEditorColorCount])() = {
        &TfrmOptions::shp_C1ContextPopup, &TfrmOptions::shp_C2ContextPopup,
        &TfrmOptions::shp_C3ContextPopup, &TfrmOptions::shp_C4ContextPopup,
        &TfrmOptions::shp_C5ContextPopup};
    for (int i = 0; i < kEditorColorCount; ++i) {
        auto* swatch = new TKrqColorSwatch(pcpColors);
        swatch->setObjectName(QStringLiteral("shp_C%1").arg(i + 1));
        shp_C[i] = swatch;
        auto* label = NewLabel(pcpColors, kLabels[i]);
        label->setObjectName(QStringLiteral("lblColor%1").arg(i + 1));
        label->setBuddy(swatch);
        grid->addWidget(swatch, i, 0);
        grid->addWidget(label, i, 1);
        auto popup = kPopups[i];
        connect(swatch, &TKrqColorSwatch::ContextPopup, this, [this, popup] { run(popup); });
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(NewLabel(pcpColors,
                               "Kliknij prawym przyciskiem myszy na kolor, aby go "
                               "zmienić.",
                               "lblColorNote"));
    layout->addStretch(1);
}

void TfrmOptions::CreateProposalPage() {
    pcpProposal = NewPage(pcpOptions, "pcpProposal", "Lista słówek");
    auto* layout = new QVBoxLayout(pcpProposal);
    layout->addWidget(NewLabel(pcpProposal,
                               "Można tu dokonać edycji listy dostępnych słówek do wstawienia ze "
                               "skrótu Ctrl + Spacja",
                               "lblProposalNote"));
    layout->addWidget(NewLabel(pcpProposal, "Dostępne słówka:", "lblProposalList"));
    lsbListProposal = new QListWidget(pcpProposal);
    lsbListProposal->setObjectName("lsbListProposal");
    lsbListProposal->installEventFilter(this);
    layout->addWidget(lsbListProposal, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(NewLabel(pcpProposal, "Dodaj nowe: ", "lblNewProposal"));
    edtNewProposal = new QLineEdit(pcpProposal);
    edtNewProposal->setObjectName("edtNewProposal");
    edtNewProposal->installEventFilter(this);
    row->addWidget(edtNewProposal, 1);
    btnAddProposal = new QPushButton(U("Dodaj!"), pcpProposal);
    btnAddProposal->setObjectName("btnAddProposal");
    row->addWidget(btnAddProposal);
    row->addSpacing(12);
    lbl_11 = NewLabel(pcpProposal, "", "lbl_11");
    // Room for a counter of six digits, so a growing list never cuts it.
    lbl_11->setMinimumWidth(lbl_11->fontMetrics().horizontalAdvance(
        QString::fromStdString(ProposalCounterText(999999))));
    row->addWidget(lbl_11);
    layout->addLayout(row);
    connect(btnAddProposal, &QPushButton::clicked, this,
            [this] { run(&TfrmOptions::btnAddProposalClick); });
}

void TfrmOptions::CreateAutoCorrectPage() {
    pcpAutoCorrect = NewPage(pcpOptions, "pcpAutoCorrect", "Autokorekta");
    auto* layout = new QVBoxLayout(pcpAutoCorrect);
    lstAutocorrect = new QTableWidget(0, 2, pcpAutoCorrect);
    lstAutocorrect->setObjectName("lstAutocorrect");
    lstAutocorrect->setHorizontalHeaderLabels({U("Zamieniane"), U("Zamiana")});
    lstAutocorrect->verticalHeader()->hide();
    lstAutocorrect->verticalHeader()->setDefaultSectionSize(lstAutocorrect->fontMetrics().height() +
                                                            6);
    lstAutocorrect->horizontalHeader()->setStretchLastSection(true);
    lstAutocorrect->setColumnWidth(0, 211);
    lstAutocorrect->setColumnWidth(1, 260);
    lstAutocorrect->setSelectionMode(QAbstractItemView::SingleSelection);
    lstAutocorrect->setEditTriggers(
        QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
        QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    lstAutocorrect->setTabKeyNavigation(false);
    const int scrollBar = lstAutocorrect->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    lstAutocorrect->setMinimumWidth(211 + 260 + scrollBar + 2 * lstAutocorrect->frameWidth());
    lstAutocorrect->installEventFilter(this);
    layout->addWidget(lstAutocorrect, 1);
    connect(lstAutocorrect, &QTableWidget::cellChanged, this, [this](int row, int column) {
        host_.RunCommand([&] { GridItemChanged(row, column); });
    });
    connect(
        lstAutocorrect, &QTableWidget::currentCellChanged, this,
        [this](int row, int column, int previousRow, int previousColumn) {
            host_.RunCommand([&] { GridCurrentChanged(row, column, previousRow, previousColumn); });
        });
}

void TfrmOptions::CreateMarkersPage() {
    pcpMarkers = NewPage(pcpOptions, "pcpMarkers", "Markery");
    auto* layout = new QVBoxLayout(pcpMarkers);
    layout->addWidget(NewLabel(pcpMarkers,
                               "Zmiana kolorowania dowolnego atrybutu powoduje natychmiastowe "
                               "ustawienie, ",
                               "lblMarkNote1"));
    layout->addWidget(NewLabel(pcpMarkers,
                               "aby zapisać ustawienia na stałe, należy potwierdzić przez "
                               "\"OK\".",
                               "lblMarkNote2"));
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(NewLabel(pcpMarkers, "Wybrana składnia:", "lblMark"));
    cbxMark = new QComboBox(pcpMarkers);
    cbxMark->setObjectName("cbxMark");
    cbxMark->setEditable(false);
    left->addWidget(cbxMark);
    left->addWidget(NewLabel(pcpMarkers, "Atrybuty składni:", "lblMarkAtributes"));
    lsbMarkAtributes = new QListWidget(pcpMarkers);
    lsbMarkAtributes->setObjectName("lsbMarkAtributes");
    left->addWidget(lsbMarkAtributes, 1);
    columns->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    auto colourRow = [this, right](const char* caption, const char* labelName,
                                   const char* swatchName, const char* boxName) {
        right->addWidget(NewLabel(pcpMarkers, caption, labelName));
        auto* row = new QHBoxLayout;
        auto* swatch = new TKrqColorSwatch(pcpMarkers);
        swatch->setObjectName(swatchName);
        // A hidden swatch keeps its place, so "brak" does not jump about.
        QSizePolicy policy = swatch->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        swatch->setSizePolicy(policy);
        auto* none = NewBox(pcpMarkers, boxName, "brak", nullptr);
        row->addWidget(swatch);
        row->addWidget(none);
        row->addStretch(1);
        right->addLayout(row);
        return std::pair{swatch, none};
    };
    std::tie(shp_MarkF, ckbFrgNone) =
        colourRow("Kolor czcionki:", "lblMarkForeground", "shp_MarkF", "ckbFrgNone");
    std::tie(shp_MarkB, ckbBckNone) =
        colourRow("Kolor tła:", "lblMarkBackground", "shp_MarkB", "ckbBckNone");
    right->addSpacing(6);
    ckbMarkBold = NewBox(pcpMarkers, "ckbMarkBold", "Pogrubienie", nullptr);
    ckbMarkItalic = NewBox(pcpMarkers, "ckbMarkItalic", "Pochylenie", nullptr);
    ckbMarkUnderline = NewBox(pcpMarkers, "ckbMarkUnderline", "Podkreslenie", nullptr);
    ckbMarkStrike = NewBox(pcpMarkers, "ckbMarkStrike", "Przekreslenie", nullptr);
    for (QCheckBox* box : {ckbMarkBold, ckbMarkItalic, ckbMarkUnderline, ckbMarkStrike})
        right->addWidget(box);
    right->addStretch(1);
    btnMarkReset = new QPushButton(U("Resetuj wszystkie markery"), pcpMarkers);
    btnMarkReset->setObjectName("btnMarkReset");
    btnMarkStandard = new QPushButton(U("Kolorowanie domyślne"), pcpMarkers);
    btnMarkStandard->setObjectName("btnMarkStandard");
    right->addWidget(btnMarkReset);
    right->addWidget(btnMarkStandard);
    columns->addLayout(right);

    connect(cbxMark, &QComboBox::activated, this, [this] { run(&TfrmOptions::cbxMarkSelect); });
    connect(lsbMarkAtributes, &QListWidget::currentRowChanged, this, [this] {
        if (!fillingMarkers_) run(&TfrmOptions::lsbMarkAtributesClick);
    });
    connect(shp_MarkF, &TKrqColorSwatch::ContextPopup, this,
            [this] { run(&TfrmOptions::shp_MarkFContextPopup); });
    connect(shp_MarkB, &TKrqColorSwatch::ContextPopup, this,
            [this] { run(&TfrmOptions::shp_MarkBContextPopup); });
    // clicked() comes from the user only (a mouse release over the box, or Space), never from
    // showing an attribute, so showing one changes nothing.
    auto bind = [this](QCheckBox* box, void (TfrmOptions::*handler)()) {
        connect(box, &QCheckBox::clicked, this, [this, handler] { run(handler); });
    };
    bind(ckbFrgNone, &TfrmOptions::ckbFrgNoneMouseUp);
    bind(ckbBckNone, &TfrmOptions::ckbBckNoneMouseUp);
    bind(ckbMarkBold, &TfrmOptions::ckbMarkBoldMouseUp);
    bind(ckbMarkItalic, &TfrmOptions::ckbMarkItalicMouseUp);
    bind(ckbMarkUnderline, &TfrmOptions::ckbMarkUnderlineMouseUp);
    bind(ckbMarkStrike, &TfrmOptions::ckbMarkStrikeMouseUp);
    connect(btnMarkReset, &QPushButton::clicked, this,
            [this] { run(&TfrmOptions::btnMarkResetClick); });
    connect(btnMarkStandard, &QPushButton::clicked, this,
            [this] { run(&TfrmOptions::btnMarkStandardClick); });
}

void TfrmOptions::CreateAssociationPage() {
    pcpAssociation = NewPage(pcpOptions, "pcpAssociation", "Skojarzenia");
    auto* layout = new QVBoxLayout(pcpAssociation);
    layout->addWidget(NewLabel(pcpAssociation,
                               "Zaznacz rozszerzenia plików, które mają być automatycznie "
                               "otwierane przez KRQ",
                               "lblAssociationNote"));
    mmcAssociation = new QTreeWidget(pcpAssociation);
    mmcAssociation->setObjectName("mmcAssociation");
    mmcAssociation->setHeaderLabels({U("Format"), U("Opis"), U("Rozszerzenia")});
    mmcAssociation->setRootIsDecorated(false);
    mmcAssociation->setItemsExpandable(false);
    mmcAssociation->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mmcAssociation->setSelectionMode(QAbstractItemView::SingleSelection);
    mmcAssociation->header()->setStretchLastSection(false);
    const int scrollBar = mmcAssociation->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    mmcAssociation->setMinimumWidth(90 + 190 + 120 + scrollBar + 2 * mmcAssociation->frameWidth());
    layout->addWidget(mmcAssociation, 1);
    ckbAss_HTMLEditor =
        NewBox(pcpAssociation, "ckbAss_HTMLEditor", "KRQ jest domyślnym edytorem plików HTML",
               "Powoduje ustawienie Kwerdla RQ jako domyślnego edytora stron WWW ");
    layout->addWidget(ckbAss_HTMLEditor);
}

void TfrmOptions::FitToContents() {
    // Every page lays itself out at its own size hint; the window takes the design size or
    // what the largest page needs, whichever is more, and keeps it.
    QSize hint = sizeHint().expandedTo(minimumSizeHint());
    setFixedSize(std::max(kDesignWidth, hint.width()), std::max(kDesignHeight, hint.height()));
}

}  // namespace krq
