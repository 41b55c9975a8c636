// Writing a stream of buffers to a descriptor on a second thread, while the caller fills the
// next buffer: preparing bytes (encoding them) and the system's copy of the previous ones then
// overlap instead of taking turns.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>

namespace krq {

class TWriteBehind {
  public:
    // Two buffers of `capacity` bytes each. Where no thread can be started, every Submit
    // writes in the caller's thread.
    TWriteBehind(int fd, size_t capacity);
    // Waits for the writes under way.
    ~TWriteBehind();
    TWriteBehind(const TWriteBehind&) = delete;
    TWriteBehind& operator=(const TWriteBehind&) = delete;

    // The buffer to fill next; waits until its previous contents are written.
    char* Buffer();
    // Hands the first `size` bytes of Buffer() over to be written, in order.
    void Submit(size_t size);
    // Waits for every write; false when one failed (the later ones are then not written).
    bool Finish();
    // True once a write has failed, so the caller can stop preparing more.
    bool Failed();

  private:
    struct TSlot {
        std::unique_ptr<char[]> data;
        size_t size = 0;
        bool full = false;
    };
    void Run();
    void Write(TSlot& slot);

    int fd_;
    TSlot slots_[2];
    size_t filling_ = 0;  // the slot the caller fills next
    std::mutex mutex_;
    std::condition_variable changed_;
    bool closing_ = false;
    bool failed_ = false;
    std::thread thread_;
};

}  // namespace krq
