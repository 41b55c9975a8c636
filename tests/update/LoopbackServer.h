// A small HTTP server for the download tests: 127.0.0.1 only, on a free port, scripted replies.
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace krq::test {

struct TReply {
    enum class TEnd { Close, Reset, Hang };
    std::string Bytes;  // sent as they are
    TEnd End = TEnd::Close;
};

// A response of the given status line ("200 OK"), body and Content-Length header: the body's
// own length by default, another number, or none at all.
TReply HttpReply(const std::string& status, const std::string& body,
                 std::optional<std::string> contentLength = std::nullopt, bool withLength = true);

class TLoopbackServer {
  public:
    // Listens on a port the system chooses; stops and joins everything when destroyed.
    TLoopbackServer();
    ~TLoopbackServer();
    TLoopbackServer(const TLoopbackServer&) = delete;
    TLoopbackServer& operator=(const TLoopbackServer&) = delete;

    int Port() const { return port_; }
    // "127.0.0.1:PORT", as a host of a URL.
    std::string Host() const;
    // The reply to requests for `path`; other paths get a 404 page.
    void Serve(const std::string& path, TReply reply);
    // Every request received, head and body byte for byte, in arrival order.
    std::vector<std::string> Requests() const;
    size_t RequestCount() const;
    // Connections whose reply ended in Hang and that the client has since closed.
    int ClosedByClient() const { return closedByClient_.load(); }

  private:
    void AcceptLoop();
    void Handle(int fd);
    // Waits until `fd` is readable or the server stops; false when stopping or on a time-out.
    bool WaitReadable(int fd, int timeoutMs);

    int listen_ = -1;
    int wake_[2] = {-1, -1};
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> closedByClient_{0};
    mutable std::mutex mutex_;
    std::map<std::string, TReply> replies_;
    std::vector<std::string> requests_;
    std::vector<std::thread> connections_;
    std::thread acceptor_;
};

}  // namespace krq::test
