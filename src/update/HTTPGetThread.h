// The download worker: one HTTP/1.0 request on a thread of its own, the body into a file.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace krq {

// The worker's own copy of the component's properties.
struct THTTPGetSettings {
    std::string URL;
    std::string FileName;
    std::string AcceptTypes = "*/*";
    std::string Agent = "KRQ HTTPGet";
    bool BinaryData = false;
    bool UseCache = false;
    std::string UserName;
    std::string Password;
    std::string PostQuery;
    std::string Referer;
};

struct TUrlParts {
    std::string Host;  // may carry ":port"
    std::string Path;  // from the first "/"; "/" when the URL has none
};

// "host/path", after a leading "http://" (any letter case) is removed.
TUrlParts SplitUrl(std::string_view url);

class THTTPGetThread {
  public:
    struct THooks {
        // Called on the worker after each block; returns once the interface thread handled it.
        std::function<void(int totalSize, int readed)> Progress;
        // Called on the worker as its last act: the outcome and the announced length.
        std::function<void(bool success, int totalSize)> Finished;
    };

    THTTPGetThread(THTTPGetSettings settings, THooks hooks);
    // Asks a running worker to stop and waits for it.
    ~THTTPGetThread();
    THTTPGetThread(const THTTPGetThread&) = delete;
    THTTPGetThread& operator=(const THTTPGetThread&) = delete;

    void Start();
    // From any thread: the worker ends, failed, at its next check; a network wait is woken.
    void Stop();
    void Join();

  private:
    void run();
    bool Transfer(int fd, int& totalSize);

    THTTPGetSettings settings_;
    THooks hooks_;
    std::atomic<bool> stop_{false};
    void* multi_ = nullptr;  // the CURLM handle, made before the thread so Stop can wake it
    std::thread thread_;
};

}  // namespace krq
