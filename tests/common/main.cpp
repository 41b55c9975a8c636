// Test entry: every test process runs in its own temporary program directory (KRQ_HOME).
#include <gmock/gmock.h>

#include "common/TestHome.h"

namespace krq::test {
void RemoveTestHome();
}

int main(int argc, char** argv) {
    ::testing::InitGoogleMock(&argc, argv);
    krq::test::TestHome();
    int result = RUN_ALL_TESTS();
    krq::test::RemoveTestHome();
    return result;
}
