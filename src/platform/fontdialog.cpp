// A font dialog limited to a range of sizes.
#include "platform/fontdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace krq {

TKrqFontDialog::TKrqFontDialog(QWidget* parent, const QFont& initial, int minPoints, int maxPoints)
    : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("Czcionka"));
    family_ = new QFontComboBox(this);
    family_->setCurrentFont(initial);
    sizes_ = new QListWidget(this);
    for (int size = minPoints; size <= maxPoints; ++size) {
        sizes_->addItem(QString::number(size));
        if (size == initial.pointSize()) sizes_->setCurrentRow(sizes_->count() - 1);
    }
    if (!sizes_->currentItem()) sizes_->setCurrentRow(0);
    bold_ = new QCheckBox(QString::fromUtf8("Pogrubienie"), this);
    bold_->setChecked(initial.bold());
    italic_ = new QCheckBox(QString::fromUtf8("Kursywa"), this);
    italic_->setChecked(initial.italic());
    underline_ = new QCheckBox(QString::fromUtf8("Podkreślenie"), this);
    underline_->setChecked(initial.underline());
    strikeOut_ = new QCheckBox(QString::fromUtf8("Przekreślenie"), this);
    strikeOut_->setChecked(initial.strikeOut());
    sample_ = new QLabel(QString::fromUtf8("AaBbĄąŻż 123"), this);
    sample_->setMinimumHeight(48);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QString::fromUtf8("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QString::fromUtf8("Anuluj"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QString::fromUtf8("Czcionka:"), this), 0, 0);
    grid->addWidget(family_, 1, 0);
    grid->addWidget(new QLabel(QString::fromUtf8("Rozmiar:"), this), 0, 1);
    grid->addWidget(sizes_, 1, 1, 5, 1);
    grid->addWidget(bold_, 2, 0);
    grid->addWidget(italic_, 3, 0);
    grid->addWidget(underline_, 4, 0);
    grid->addWidget(strikeOut_, 5, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(sample_);
    layout->addWidget(buttons);

    for (QCheckBox* box : {bold_, italic_, underline_, strikeOut_})
        connect(box, &QCheckBox::toggled, this, &TKrqFontDialog::UpdateSample);
    connect(family_, &QFontComboBox::currentFontChanged, this, &TKrqFontDialog::UpdateSample);
    connect(sizes_, &QListWidget::currentRowChanged, this, &TKrqFontDialog::UpdateSample);
    UpdateSample();
}

QFont TKrqFontDialog::SelectedFont() const {
    QFont font = family_->currentFont();
    if (auto* item = sizes_->currentItem()) font.setPointSize(item->text().toInt());
    font.setBold(bold_->isChecked());
    font.setItalic(italic_->isChecked());
    font.setUnderline(underline_->isChecked());
    font.setStrikeOut(strikeOut_->isChecked());
    return font;
}

void TKrqFontDialog::UpdateSample() { sample_->setFont(SelectedFont()); }

}  // namespace krq
