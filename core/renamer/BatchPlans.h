#pragma once

#include "core/renamer/SpecialBatch.h"

#include <QFuture>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <map>
#include <optional>

class Host;

// The plans of one click of SPECIAL BATCH, worked out on a worker thread of
// their own, so that the box answers every key while a plan is made. Each
// job is planned once for each state of the folder, and the plan that the
// box showed is the one that runs.
class BatchPlans {
public:
    // The batch on folder, whose file list shows rows through filter.
    BatchPlans(Host &host, const QString &folder, const QStringList &rows, const QString &filter);
    // Drops the plans still waiting for the worker and waits for the one it
    // is making.
    ~BatchPlans();

    // What answer would do to the folder as it is now; ready at once for an
    // answer that cancels.
    QFuture<AnswerPreview> preview(const QString &answer);
    // The job's plan for the folder as it is now: the plan made before, while
    // a fresh read finds the folder as that plan read it; a new plan when
    // another program has added, renamed or removed an entry since.
    QFuture<BatchPlan> plan(BatchJob job);

private:
    // Runs work on the worker; a future cancelled before it starts skips it.
    template <typename T>
    QFuture<T> onWorker(std::function<T()> work);
    // The plan for the folder now. On the worker only, which alone touches m_plans.
    BatchPlan planNow(BatchJob job);

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
    // Set when the click is over: a plan under way ends early, unused.
    std::atomic<bool> m_over{false};
    // Last, so that it is destroyed first: it waits for the worker.
    QThreadPool m_worker;
};
