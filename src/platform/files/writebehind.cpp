// The write-behind thread.
#include "platform/files/writebehind.h"

#include <system_error>

#include "platform/files/filewriter.h"

namespace krq {

TWriteBehind::TWriteBehind(int fd, size_t capacity) : fd_(fd) {
    for (TSlot& slot : slots_) slot.data.reset(new char[capacity]);
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        // No thread: Submit writes at once.
    }
}

TWriteBehind::~TWriteBehind() { Finish(); }

void TWriteBehind::Write(TSlot& slot) {
    if (!failed_ && !WriteFully(fd_, slot.data.get(), slot.size)) failed_ = true;
}

char* TWriteBehind::Buffer() {
    std::unique_lock lock(mutex_);
    TSlot& slot = slots_[filling_];
    changed_.wait(lock, [&] { return !slot.full; });
    return slot.data.get();
}

void TWriteBehind::Submit(size_t size) {
    TSlot& slot = slots_[filling_];
    filling_ ^= 1;
    if (!thread_.joinable()) {
        slot.size = size;
        Write(slot);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        slot.size = size;
        slot.full = true;
    }
    changed_.notify_all();
}

void TWriteBehind::Run() {
    size_t next = 0;
    std::unique_lock lock(mutex_);
    for (;;) {
        TSlot& slot = slots_[next];
        changed_.wait(lock, [&] { return slot.full || closing_; });
        if (!slot.full) return;  // closing, and everything handed over is written
        const bool skip = failed_;
        lock.unlock();
        bool ok = skip || WriteFully(fd_, slot.data.get(), slot.size);
        lock.lock();
        if (!ok) failed_ = true;
        slot.full = false;
        next ^= 1;
        changed_.notify_all();
    }
}

bool TWriteBehind::Finish() {
    if (thread_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            closing_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    std::lock_guard lock(mutex_);
    return !failed_;
}

bool TWriteBehind::Failed() {
    std::lock_guard lock(mutex_);
    return failed_;
}

}  // namespace krq
