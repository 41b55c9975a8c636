// Entry of the window tests: a QApplication on the offscreen platform in a temporary KRQ_HOME.
#include <gmock/gmock.h>

#include <QApplication>
#include <cstdlib>

#include "common/TestHome.h"

namespace krq::test {
void RemoveTestHome();
}

int main(int argc, char** argv) {
    ::testing::InitGoogleMock(&argc, argv);
    // CTest sets the platform; a suite started by hand must not need a display either.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    krq::test::TestHome();
    QApplication app(argc, argv);
    int result = RUN_ALL_TESTS();
    krq::test::RemoveTestHome();
    return result;
}
