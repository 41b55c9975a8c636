#include "update/LoopbackServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace krq::test {

namespace {

// No connection may keep the server (and so a test) busy for longer than this.
constexpr int kConnectionLimitMs = 30000;

bool SendAll(int fd, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

TReply HttpReply(const std::string& status, const std::string& body,
                 std::optional<std::string> contentLength, bool withLength) {
    std::string head = "HTTP/1.0 " + status + "\r\nContent-Type: application/octet-stream\r\n";
    if (withLength)
        head += "Content-Length: " + contentLength.value_or(std::to_string(body.size())) + "\r\n";
    return {head + "\r\n" + body, TReply::TEnd::Close};
}

TLoopbackServer::TLoopbackServer() {
    if (::pipe2(wake_, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listen_ < 0) throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listen_, 16) != 0)
        throw std::runtime_error("bind failed");
    socklen_t length = sizeof address;
    ::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

TLoopbackServer::~TLoopbackServer() {
    stopping_ = true;
    char byte = 1;
    if (::write(wake_[1], &byte, 1) != 1) {
    }
    acceptor_.join();
    std::vector<std::thread> connections;
    {
        std::lock_guard lock(mutex_);
        connections.swap(connections_);
    }
    for (std::thread& t : connections) t.join();
    ::close(listen_);
    ::close(wake_[0]);
    ::close(wake_[1]);
}

std::string TLoopbackServer::Host() const { return "127.0.0.1:" + std::to_string(port_); }

void TLoopbackServer::Serve(const std::string& path, TReply reply) {
    std::lock_guard lock(mutex_);
    replies_[path] = std::move(reply);
}

std::vector<std::string> TLoopbackServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

size_t TLoopbackServer::RequestCount() const {
    std::lock_guard lock(mutex_);
    return requests_.size();
}

bool TLoopbackServer::WaitReadable(int fd, int timeoutMs) {
    pollfd fds[2] = {{fd, POLLIN, 0}, {wake_[0], POLLIN, 0}};
    int n = ::poll(fds, 2, timeoutMs);
    if (n <= 0 || stopping_ || (fds[1].revents & POLLIN)) return false;
    return (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}

void TLoopbackServer::AcceptLoop() {
    while (!stopping_) {
        if (!WaitReadable(listen_, -1)) continue;
        int fd = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        std::lock_guard lock(mutex_);
        connections_.emplace_back([this, fd] { Handle(fd); });
    }
}

void TLoopbackServer::Handle(int fd) {
    // The request: its head up to the blank line, then as many body bytes as it announces.
    std::string request;
    size_t headEnd = std::string::npos;
    size_t wanted = std::string::npos;
    char buffer[4096];
    while (request.size() < wanted) {
        if (!WaitReadable(fd, kConnectionLimitMs)) break;
        ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, static_cast<size_t>(n));
        if (headEnd == std::string::npos && (headEnd = request.find("\r\n\r\n")) != request.npos) {
            size_t body = 0;
            const char* key = "\r\nContent-Length: ";
            if (auto at = request.find(key); at != request.npos && at < headEnd)
                body = std::stoul(request.substr(at + std::strlen(key)));
            wanted = headEnd + 4 + body;
        }
    }
    std::string path;
    if (auto space = request.find(' '); space != request.npos)
        path = request.substr(space + 1, request.find(' ', space + 1) - space - 1);
    TReply reply = HttpReply("404 Not Found", "<html><body>404</body></html>");
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
        if (auto it = replies_.find(path); it != replies_.end()) reply = it->second;
    }
    SendAll(fd, reply.Bytes);
    switch (reply.End) {
        case TReply::TEnd::Close:
            ::shutdown(fd, SHUT_WR);
            break;
        case TReply::TEnd::Reset: {
            linger hard{1, 0};
            ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
            break;
        }
        case TReply::TEnd::Hang:
            // Silent until the client gives up (its end of the connection closes).
            while (WaitReadable(fd, kConnectionLimitMs)) {
                if (::recv(fd, buffer, sizeof buffer, 0) <= 0) {
                    ++closedByClient_;
                    break;
                }
            }
            break;
    }
    ::close(fd);
}

}  // namespace krq::test
