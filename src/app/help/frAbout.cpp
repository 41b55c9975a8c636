#include "app/help/frAbout.h"

#include <QLabel>
#include <QPixmap>

// The banner's resource lives in a static library; nothing else would pull it into the program.
static void InitAboutResources() { Q_INIT_RESOURCE(krq_about); }

namespace krq {

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle("Kwerdel RQ - informacje");
    // A single border with only the close button: no resizing, no minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kClientWidth, kClientHeight);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    mncAboutImage = new QLabel(this);
    mncAboutImage->setObjectName("mncAboutImage");
    mncAboutImage->setGeometry(0, 8, 401, 201);
    mncAboutImage->setAlignment(Qt::AlignCenter);
    // The 399 x 198 banner keeps its proportions inside the 401 x 201 picture control.
    InitAboutResources();
    const QPixmap banner(":/krq/about.png");
    mncAboutImage->setPixmap(
        banner.scaled(mncAboutImage->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

}  // namespace krq
