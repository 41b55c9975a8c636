// The font dialog of the View menu: a family, a size from a fixed range, and the style bits.
#pragma once

#include <QDialog>
#include <QFont>

class QFontComboBox;
class QListWidget;
class QCheckBox;
class QLabel;

namespace krq {

// Qt's own font dialog cannot limit the sizes it offers; this one lists exactly the sizes from
// minPoints to maxPoints.
class TKrqFontDialog : public QDialog {
    Q_OBJECT
  public:
    TKrqFontDialog(QWidget* parent, const QFont& initial, int minPoints, int maxPoints);
    QFont SelectedFont() const;

  private:
    void UpdateSample();

    QFontComboBox* family_;
    QListWidget* sizes_;
    QCheckBox* bold_;
    QCheckBox* italic_;
    QCheckBox* underline_;
    QCheckBox* strikeOut_;
    QLabel* sample_;
};

}  // namespace krq
