// The main window on the desktop: its icon, and a stored geometry that lies off every screen.
#include <QGuiApplication>
#include <QScreen>

#include "app/MainWindowFixture.h"

namespace krq::test {
namespace {

using DesktopWindowTest = MainWindowTest;

TEST_F(DesktopWindowTest, TheWindowCarriesTheProgramsIconFromItsResources) {
    TfrmMain& w = Create();
    EXPECT_FALSE(w.windowIcon().isNull());
    EXPECT_FALSE(w.windowIcon().pixmap(48, 48).isNull());
}

TEST_F(DesktopWindowTest, AGeometryOffEveryScreenIsBroughtOntoThePrimaryScreen) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    WriteFile(IniPath(), "[View]\r\ntop=-5000\r\nleft=-9000\r\nheight=300\r\nwidth=400\r\n");
    TfrmMain& w = Create();
    EXPECT_TRUE(area.contains(QRect(w.pos(), w.size()))) << w.x() << "," << w.y();
    EXPECT_EQ(w.size(), QSize(400, 300));
}

TEST_F(DesktopWindowTest, AWidthOfAnotherMonitorSetUpIsFittedToTheScreen) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    WriteFile(IniPath(), "[View]\r\ntop=10\r\nleft=20\r\nheight=300\r\nwidth=32767\r\n");
    TfrmMain& w = Create();
    EXPECT_EQ(w.width(), area.width());
    EXPECT_TRUE(area.contains(QRect(w.pos(), w.size())));
}

TEST_F(DesktopWindowTest, AGeometryThatFitsStaysExactlyAsStored) {
    WriteFile(IniPath(), "[View]\r\ntop=7\r\nleft=9\r\nheight=200\r\nwidth=300\r\n");
    TfrmMain& w = Create();
    EXPECT_EQ(w.pos(), QPoint(9, 7));
    EXPECT_EQ(w.size(), QSize(300, 200));
}

}  // namespace
}  // namespace krq::test
