#include "core/host/LongWork.h"

#include <QEventLoop>
#include <QTimer>
#include <thread>

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
    // A plain thread, joined below: whoever reads the work's results after
    // the join sees all that it wrote. Nothing passes through Qt's queues.
    std::thread worker([&] {
        work(progress);
        finished.store(true);
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (tick)
            tick();
        if (finished.load())
            loop.quit();
    });
    poll.start(5);
    // The loop may end early, when the program is told to quit: the work
    // stops as if the user had asked.
    if (!finished.load())
        loop.exec();
    if (!finished.load() && stop)
        stop();
    worker.join();
}
