#include "core/host/LongWork.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <thread>

#ifdef Q_OS_LINUX
#include <sys/eventfd.h>
#include <unistd.h>
#endif

void SharedProgress::report(qint64 done, qint64 total)
{
    m_total.store(total);
    m_done.store(done);
}

void runOnWorker(const std::function<void(WorkProgress &)> &work, WorkProgress &progress,
                 const std::function<void()> &tick, const std::function<void()> &stop)
{
    std::atomic<bool> finished{false};
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (tick)
            tick();
        if (finished.load())
            loop.quit();
    });
    poll.start(20);
#ifdef Q_OS_LINUX
    // The worker's end wakes the loop at once through a descriptor of its
    // own; the timer above only keeps the progress shown.
    const int woken = ::eventfd(0, EFD_CLOEXEC);
    std::unique_ptr<QSocketNotifier> wake;
    if (woken >= 0) {
        wake = std::make_unique<QSocketNotifier>(woken, QSocketNotifier::Read);
        QObject::connect(wake.get(), &QSocketNotifier::activated, &loop, &QEventLoop::quit);
    }
#endif
    // A plain thread, joined below: whoever reads the work's results after
    // the join sees all that it wrote. Nothing passes through Qt's queues.
    std::thread worker([&] {
        work(progress);
        finished.store(true);
#ifdef Q_OS_LINUX
        const quint64 one = 1;
        if (woken >= 0 && ::write(woken, &one, sizeof one) < 0)
            return; // the timer ends the wait instead
#endif
    });
    // The loop may end early, when the program is told to quit: the work
    // stops as if the user had asked.
    if (!finished.load())
        loop.exec();
    if (!finished.load() && stop)
        stop();
    worker.join();
#ifdef Q_OS_LINUX
    wake.reset();
    if (woken >= 0)
        ::close(woken);
#endif
}
