// The download component's view of Qt's interface thread.
#include "update/QtInterfaceThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>

namespace krq {

namespace {

class TQtInterfaceThread final : public TInterfaceThread {
  public:
    void Post(std::function<void()> task) override {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task),
                                  Qt::QueuedConnection);
    }

    void WaitUntil(const std::function<bool()>& done) override {
        while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
};

}  // namespace

TInterfaceThread& QtInterfaceThread() {
    static TQtInterfaceThread thread;
    return thread;
}

}  // namespace krq
