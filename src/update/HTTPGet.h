// The download component: HTTP/1.0 downloads to a file on a worker, reported on the interface
// thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "update/HTTPGetThread.h"
#include "update/unInterfaceThread.h"

namespace krq {

class THTTPGet {
  public:
    // `ui` must outlive the component.
    explicit THTTPGet(TInterfaceThread& ui);
    // Cancels a running worker; its end is no longer reported.
    ~THTTPGet();
    THTTPGet(const THTTPGet&) = delete;
    THTTPGet& operator=(const THTTPGet&) = delete;

    // Host and path without a scheme (a leading "http://" is removed); the host may name a port.
    std::string URL;
    std::string FileName;
    std::string AcceptTypes = "*/*";
    std::string Agent = "KRQ HTTPGet";  // empty: no User-Agent header
    bool BinaryData = false;            // on: a response without Content-Length is not read at all
    bool UseCache = false;              // there is no cache: every response comes from the server
    std::string UserName;
    std::string Password;
    std::string PostQuery;  // non-empty: a POST with this form-encoded body
    std::string Referer;
    bool WaitThread = true;  // on: DownloadToFile returns once the end has been reported

    // On the interface thread after every block; the worker waits until it has run.
    std::function<void(int totalSize, int readed)> OnProgress;
    // Once, on the interface thread, after a complete download; fileSize is the announced length.
    std::function<void(const std::string& fileName, int fileSize)> OnDoneFile;
    // Once, on the interface thread, when the download failed or was cancelled.
    std::function<void()> OnError;

    // Does nothing while a download of this component runs; otherwise starts one with the
    // current properties (and with WaitThread waits, keeping the interface going).
    void DownloadToFile();
    // Asks a running download to stop, its outcome failed; returns at once.
    void CancelDownload();
    bool Busy() const { return worker_ != nullptr; }

  private:
    struct TLink;
    void WorkerEnded(bool success, int totalSize);

    TInterfaceThread& ui_;
    std::shared_ptr<TLink> link_;
    std::unique_ptr<THTTPGetThread> worker_;
    std::string runningFile_;
    bool cancelled_ = false;
    uint64_t started_ = 0;
    uint64_t reported_ = 0;
};

}  // namespace krq
