#pragma once

#include "core/renamer/BatchJob.h"

#include <QFuture>
#include <QPromise>
#include <QTimer>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class Host;

// The plans of one click of SPECIAL BATCH, worked out on a worker thread of
// their own, so that the box answers every key while a plan is made. Each
// job is planned once for each state of the folder, and the plan that the
// box showed is the one that runs. Plans pass between the threads under a
// mutex only, never through Qt's queues.
class BatchPlans {
public:
    // The batch on folder, whose file list shows rows through filter. Made
    // on the thread whose event loop shows the previews.
    BatchPlans(Host &host, const QString &folder, const QStringList &rows, const QString &filter);
    // Tells a plan under way that it is not wanted, and waits for the worker.
    ~BatchPlans();

    // What answer would do to the folder as it is now: ready at once for an
    // answer that cancels, else once the worker has worked it out and this
    // thread's event loop has turned. A preview asked for earlier and not
    // begun yet is dropped: the user has typed past it.
    QFuture<AnswerPreview> preview(const QString &answer);
    // The job's plan for the folder as it is now, from any thread: the plan
    // made before, while a fresh read finds the folder as that plan read it;
    // a new plan when another program has added, renamed or removed an entry
    // since. Nothing when stopped says so before it is ready.
    std::optional<BatchPlan> plan(BatchJob job, const std::function<bool()> &stopped);

private:
    struct Request {
        BatchJob job;
        bool preview; // whether the box is to show it, or only to run it
        bool wanted = true;
        std::optional<BatchPlan> plan; // set by the worker
    };
    // Queues a request for the worker.
    std::shared_ptr<Request> ask(BatchJob job, bool preview);
    // The worker: takes requests in turn until the click is over.
    void work();
    // The plan for the folder now. On the worker only, which alone touches m_plans.
    BatchPlan planNow(BatchJob job, bool preview);
    // Fulfils the previews the worker has finished, on the asking thread.
    void handOver();

    Host &m_host;
    const QString m_folder;
    const QStringList m_rows;
    const QString m_filter;
    // The folder as the worker first read it. While it reads the same, the
    // clean-up's first press works on the file list's rows as the window
    // showed them; once another program has changed it, on the rows that
    // the file list would show now.
    std::optional<FolderContents> m_firstRead;
    std::map<BatchJob, BatchPlan> m_plans;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::shared_ptr<Request>> m_queue;
    std::atomic<bool> m_over{false};
    // The previews asked for on the asking thread, and its timer that hands
    // them over.
    std::deque<std::pair<std::shared_ptr<Request>, QPromise<AnswerPreview>>> m_previews;
    QTimer m_handOver;
    // Last, so that it is the first to go: it is joined before anything it uses.
    std::thread m_worker;
};
