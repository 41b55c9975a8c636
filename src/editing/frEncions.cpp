#include "editing/frEncions.h"

#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "convert/unBase.h"
#include "editor/model/TKrqEditModel.h"
#include "platform/cp1250.h"

namespace krq {

namespace {

QString SignText(const TEncion& e) {
    return QString(QChar(cp1250::ToUnicode(static_cast<uint8_t>(e.Sign))));
}

// Labels here show their texts literally: "&" is an ampersand, never an accelerator mark.
QLabel* LiteralLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

TfrmEncions::TfrmEncions(TKrqEditModel& target, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      target_(target) {
    setObjectName("frmEncions");
    setWindowTitle("Wstaw znak encji...");
    setModal(true);
    setFixedSize(335, 350);

    mncListView = new QTreeWidget(this);
    mncListView->setObjectName("mncListView");
    mncListView->setGeometry(0, 0, 252, 321);
    mncListView->setColumnCount(2);
    mncListView->setHeaderLabels({QString::fromUtf8("Wygląd"), "Encja"});
    mncListView->setRootIsDecorated(false);
    mncListView->setItemsExpandable(false);
    mncListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    mncListView->setSelectionMode(QAbstractItemView::SingleSelection);
    mncListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mncListView->header()->setSectionsMovable(false);
    mncListView->header()->setStretchLastSection(false);
    mncListView->installEventFilter(this);

    btnInsert = new QPushButton("Wstaw", this);
    btnInsert->setObjectName("btnInsert");
    btnInsert->setGeometry(256, 8, 75, 25);
    btnClose = new QPushButton("Zamknij", this);
    btnClose->setObjectName("btnClose");
    btnClose->setGeometry(256, 40, 75, 25);
    // Enter has no meaning of its own here: no button is pressed by it.
    btnInsert->setAutoDefault(false);
    btnClose->setAutoDefault(false);

    mgPreview = new QGroupBox(QString::fromUtf8("Podgląd"), this);
    mgPreview->setObjectName("mgPreview");
    mgPreview->setGeometry(256, 80, 73, 89);
    lblEncion = LiteralLabel(mgPreview, "lblEncion");
    lblEncion->setGeometry(2, 14, 69, 73);
    lblEncion->setAlignment(Qt::AlignCenter);
    QFont big("Arial");
    big.setPixelSize(48);
    big.setBold(true);
    lblEncion->setFont(big);

    lblEncionDesc = LiteralLabel(this, "lblEncionDesc");
    lblEncionDesc->setGeometry(8, 328, 320, 18);
    QFont desc("Verdana");
    desc.setPixelSize(11);
    desc.setBold(true);
    lblEncionDesc->setFont(desc);
    QPalette green = lblEncionDesc->palette();
    green.setColor(QPalette::WindowText, QColor(0, 128, 0));
    lblEncionDesc->setPalette(green);

    connect(mncListView, &QTreeWidget::itemClicked, this, [this] { mncListViewClick(); });
    connect(mncListView, &QTreeWidget::itemDoubleClicked, this, [this] { mncListViewDblClick(); });
    connect(btnInsert, &QPushButton::clicked, this, [this] { btnInsertClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    FormCreate();
}

void TfrmEncions::FormCreate() {
    mncListView->setColumnWidth(0, 95);
    mncListView->setColumnWidth(1, 120);
    QList<QTreeWidgetItem*> rows;
    rows.reserve(kEncionCount);
    for (const TEncion& e : tblEncions)
        rows.push_back(new QTreeWidgetItem({SignText(e), QString::fromLatin1(e.Code)}));
    mncListView->addTopLevelItems(rows);
    mncListView->setCurrentItem(nullptr);
    mncListView->clearSelection();
}

bool TfrmEncions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mncListView && event->type() == QEvent::KeyRelease) mncListViewKeyUp();
    return QDialog::eventFilter(watched, event);
}

int TfrmEncions::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = mncListView->selectedItems();
    return selected.isEmpty() ? -1 : mncListView->indexOfTopLevelItem(selected.front());
}

void TfrmEncions::ShowPreview() {
    const int row = SelectedRow();
    if (row < 0) return;
    lblEncion->setText(SignText(tblEncions[static_cast<size_t>(row)]));
    lblEncionDesc->setText(QString::fromLatin1(tblEncions[static_cast<size_t>(row)].Code));
}

void TfrmEncions::mncListViewClick() { ShowPreview(); }
void TfrmEncions::mncListViewKeyUp() { ShowPreview(); }
void TfrmEncions::mncListViewDblClick() { btnInsertClick(); }

void TfrmEncions::btnInsertClick() {
    const int row = SelectedRow();
    if (row < 0) return;
    target_.SetSelectedText(tblEncions[static_cast<size_t>(row)].Code);
}

void TfrmEncions::btnCloseClick() { close(); }

}  // namespace krq
