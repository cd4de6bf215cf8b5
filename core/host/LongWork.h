#pragma once

#include "core/host/Host.h"

#include <atomic>
#include <functional>

// Progress of long work in atomics, shared by the worker that reports it and
// the thread that shows it.
class SharedProgress : public WorkProgress {
public:
    void report(qint64 done, qint64 total) override;
    bool stopRequested() const override { return m_stop.load(); }

    void stop() { m_stop.store(true); }
    qint64 done() const { return m_done.load(); }
    qint64 total() const { return m_total.load(); }

private:
    std::atomic<qint64> m_done{0};
    std::atomic<qint64> m_total{0};
    std::atomic<bool> m_stop{false};
};

// Runs work on a thread of its own with progress, and keeps the calling
// thread's event loop going until it is done, calling tick about fifty
// times a second. Returns once the worker has ended, also when the
// event loop is told to quit meanwhile (the work is then asked to stop).
void runOnWorker(const std::function<void(WorkProgress &)> &work, WorkProgress &progress,
                 const std::function<void()> &tick, const std::function<void()> &stop);
