// The download component: HTTP/1.0 downloads to a file on a worker, reported on the interface
// thread.
#include "update/HTTPGet.h"

#include <condition_variable>
#include <mutex>

namespace krq {

// What the worker's hooks share with the component: the component while it lives, so a task
// posted by a worker of a destroyed component finds nobody to report to.
struct THTTPGet::TLink {
    std::mutex Mutex;
    std::condition_variable Handled;
    THTTPGet* Owner = nullptr;
    uint64_t HandledReports = 0;
};

THTTPGet::THTTPGet(TInterfaceThread& ui) : ui_(ui), link_(std::make_shared<TLink>()) {
    link_->Owner = this;
}

THTTPGet::~THTTPGet() {
    {
        std::lock_guard lock(link_->Mutex);
        link_->Owner = nullptr;
    }
    // A worker waiting for its progress report to be handled is released, then stopped.
    link_->Handled.notify_all();
    worker_.reset();
}

void THTTPGet::DownloadToFile() {
    if (worker_) return;
    THTTPGetSettings settings{URL,      FileName, AcceptTypes, Agent,     BinaryData,
                              UseCache, UserName, Password,    PostQuery, Referer};
    THTTPGetThread::THooks hooks;
    std::shared_ptr<TLink> link = link_;
    TInterfaceThread* ui = &ui_;
    if (OnProgress) {
        hooks.Progress = [link, ui](int totalSize, int readed) {
            uint64_t ticket;
            {
                std::lock_guard lock(link->Mutex);
                ticket = link->HandledReports + 1;
            }
            ui->Post([link, totalSize, readed] {
                THTTPGet* owner;
                {
                    std::lock_guard lock(link->Mutex);
                    owner = link->Owner;
                }
                if (owner && owner->OnProgress) owner->OnProgress(totalSize, readed);
                {
                    std::lock_guard lock(link->Mutex);
                    ++link->HandledReports;
                }
                link->Handled.notify_all();
            });
            std::unique_lock lock(link->Mutex);
            link->Handled.wait(
                lock, [&] { return link->HandledReports >= ticket || link->Owner == nullptr; });
        };
    }
    hooks.Finished = [link, ui](bool success, int totalSize) {
        ui->Post([link, success, totalSize] {
            THTTPGet* owner;
            {
                std::lock_guard lock(link->Mutex);
                owner = link->Owner;
            }
            if (owner) owner->WorkerEnded(success, totalSize);
        });
    };
    runningFile_ = FileName;
    cancelled_ = false;
    const uint64_t run = ++started_;
    worker_ = std::make_unique<THTTPGetThread>(std::move(settings), std::move(hooks));
    worker_->Start();
    if (WaitThread) ui_.WaitUntil([this, run] { return reported_ >= run; });
}

void THTTPGet::CancelDownload() {
    if (!worker_) return;
    cancelled_ = true;
    worker_->Stop();
}

void THTTPGet::WorkerEnded(bool success, int totalSize) {
    // The worker posted this as its last act; it is gone once joined, and a handler below may
    // start the next download.
    worker_.reset();
    const bool ok = success && !cancelled_;
    const std::string fileName = runningFile_;
    // Counted before the handler runs, which may start (and wait for) another download.
    ++reported_;
    if (ok) {
        if (OnDoneFile) OnDoneFile(fileName, totalSize);
    } else if (OnError) {
        OnError();
    }
}

}  // namespace krq
