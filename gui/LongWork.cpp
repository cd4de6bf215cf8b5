#include "gui/LongWork.h"

#include <QEventLoop>
#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>
#include <climits>

namespace {

// The work's progress as its promise keeps it: steps reported as progress,
// a cancelled future as the request to stop.
class PromisedProgress : public WorkProgress {
public:
    explicit PromisedProgress(QPromise<void> &promise) : m_promise(promise) {}
    void report(qint64 done, qint64 total) override
    {
        m_promise.setProgressRange(0, int(std::min<qint64>(total, INT_MAX)));
        m_promise.setProgressValue(int(std::min<qint64>(done, INT_MAX)));
    }
    bool stopRequested() const override { return m_promise.isCanceled(); }

private:
    QPromise<void> &m_promise;
};

} // namespace

void runOnWorker(const std::function<void(WorkProgress &)> &work,
                 const std::function<void(QFutureWatcher<void> &)> &watched)
{
    QFutureWatcher<void> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([&work](QPromise<void> &promise) {
        PromisedProgress progress(promise);
        work(progress);
    }));
    if (watched)
        watched(watcher);
    if (!watcher.isFinished())
        loop.exec();
    // The loop may end early, when the program is told to quit: the work
    // stops as if the user had asked.
    if (!watcher.isFinished()) {
        watcher.cancel();
        watcher.waitForFinished();
    }
}
