#include "editing/TKrqFindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/cp1250.h"

namespace krq {

namespace {

std::string Bytes(const QString& text) { return cp1250::FromUtf8(text.toStdString()); }

}  // namespace

TKrqFindDialog::TKrqFindDialog(TKind kind, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      kind_(kind) {
    const bool replace = kind == TKind::Replace;
    setObjectName(replace ? "dlgReplace" : "dlgFind");
    setWindowTitle(QString::fromUtf8(replace ? "Zamień" : "Znajdź"));
    setModal(false);

    auto* fields = new QGridLayout;
    edtFind = new QLineEdit(this);
    edtFind->setObjectName("edtFind");
    fields->addWidget(new QLabel(QString::fromUtf8("Znajdź co:"), this), 0, 0);
    fields->addWidget(edtFind, 0, 1);
    if (replace) {
        edtReplace = new QLineEdit(this);
        edtReplace->setObjectName("edtReplace");
        fields->addWidget(new QLabel(QString::fromUtf8("Zamień na:"), this), 1, 0);
        fields->addWidget(edtReplace, 1, 1);
    }

    ckbWholeWord = new QCheckBox(QString::fromUtf8("Tylko całe wyrazy"), this);
    ckbWholeWord->setObjectName("ckbWholeWord");
    ckbMatchCase = new QCheckBox(QString::fromUtf8("Uwzględniaj wielkość liter"), this);
    ckbMatchCase->setObjectName("ckbMatchCase");
    auto* direction = new QGroupBox(QString::fromUtf8("Kierunek"), this);
    rgUp = new QRadioButton(QString::fromUtf8("W górę"), direction);
    rgUp->setObjectName("rgUp");
    rgDown = new QRadioButton(QString::fromUtf8("W dół"), direction);
    rgDown->setObjectName("rgDown");
    rgDown->setChecked(true);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(rgUp);
    directionLayout->addWidget(rgDown);

    auto* options = new QHBoxLayout;
    auto* checks = new QVBoxLayout;
    checks->addWidget(ckbWholeWord);
    checks->addWidget(ckbMatchCase);
    checks->addStretch();
    options->addLayout(checks);
    options->addWidget(direction);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options);

    auto* buttons = new QVBoxLayout;
    auto button = [this, buttons](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    btnFindNext = button("btnFindNext", "Znajdź następny");
    // Enter in either field runs "Znajdź następny", as in the system's dialogs.
    btnFindNext->setDefault(true);
    if (replace) {
        btnReplace = button("btnReplace", "Zamień");
        btnReplaceAll = button("btnReplaceAll", "Zamień wszystko");
    }
    btnCancel = button("btnCancel", "Anuluj");
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());

    connect(btnFindNext, &QPushButton::clicked, this, &TKrqFindDialog::FindNext);
    if (replace) {
        connect(btnReplace, &QPushButton::clicked, this, &TKrqFindDialog::Replace);
        connect(btnReplaceAll, &QPushButton::clicked, this, &TKrqFindDialog::ReplaceAll);
    }
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    // Esc, Anuluj and the close box all end in done().
    connect(this, &QDialog::finished, this, &TKrqFindDialog::Closed);
    connect(edtFind, &QLineEdit::textChanged, this, &TKrqFindDialog::UpdateButtons);
    UpdateButtons();
}

TFindChoices TKrqFindDialog::Choices() const {
    TFindChoices c;
    c.FindText = Bytes(edtFind->text());
    if (edtReplace) c.ReplaceText = Bytes(edtReplace->text());
    c.Down = rgDown->isChecked();
    c.MatchCase = ckbMatchCase->isChecked();
    c.WholeWord = ckbWholeWord->isChecked();
    return c;
}

void TKrqFindDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    edtFind->setFocus();
    edtFind->selectAll();
    emit Shown();
}

// With nothing to search for, the buttons that search are greyed out, as in the system's
// dialogs.
void TKrqFindDialog::UpdateButtons() {
    const bool any = !edtFind->text().isEmpty();
    btnFindNext->setEnabled(any);
    if (btnReplace) btnReplace->setEnabled(any);
    if (btnReplaceAll) btnReplaceAll->setEnabled(any);
}

}  // namespace krq
