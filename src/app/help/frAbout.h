// The about window: the product's banner on a white, fixed-size window.
#pragma once

#include <QDialog>

class QLabel;

namespace krq {

class TfrmAbout : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kClientWidth = 401;
    static constexpr int kClientHeight = 208;

    explicit TfrmAbout(QWidget* parent = nullptr);

    QLabel* mncAboutImage = nullptr;
};

}  // namespace krq
