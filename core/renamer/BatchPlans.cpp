#include "core/renamer/BatchPlans.h"

#include "core/base/RowOrder.h"
#include "core/host/Host.h"

#include <QPromise>
#include <memory>

BatchPlans::BatchPlans(Host &host, const QString &folder, const QStringList &rows,
                       const QString &filter)
    : m_host(host), m_folder(folder), m_rows(rows), m_filter(filter)
{
    // One worker: plans are made one after the other, and each finds the
    // ones made before it.
    m_worker.setMaxThreadCount(1);
}

BatchPlans::~BatchPlans()
{
    m_over.store(true);
    m_worker.clear();
}

template <typename T>
QFuture<T> BatchPlans::onWorker(std::function<T()> work)
{
    // Shared, as the pool copies what it runs.
    auto promise = std::make_shared<QPromise<T>>();
    QFuture<T> future = promise->future();
    promise->start();
    m_worker.start([promise, work = std::move(work)] {
        if (!promise->isCanceled())
            promise->addResult(work());
        promise->finish();
    });
    return future;
}

QFuture<AnswerPreview> BatchPlans::preview(const QString &answer)
{
    const BatchJob job = batchJobFor(answer);
    if (job != BatchJob::Cancel)
        return onWorker<AnswerPreview>([this, job] { return planNow(job).preview; });
    QPromise<AnswerPreview> nothing;
    nothing.start();
    nothing.addResult(planBatch(job, m_folder, {}, m_rows, Wildcard(m_filter)).preview);
    nothing.finish();
    return nothing.future();
}

QFuture<BatchPlan> BatchPlans::plan(BatchJob job)
{
    return onWorker<BatchPlan>([this, job] { return planNow(job); });
}

BatchPlan BatchPlans::planNow(BatchJob job)
{
    const FolderContents now = m_host.ReadFolder(m_folder);
    const auto made = m_plans.find(job);
    if (made != m_plans.end() && made->second.readFrom == now)
        return made->second;
    if (!m_firstRead)
        m_firstRead = now;
    const QStringList rows = now == *m_firstRead
        ? m_rows
        : m_host.ListNames(m_folder, m_filter, EntryKinds::Files).mid(0, MaxListRows);
    BatchPlan plan = planBatch(job, m_folder, now, rows, Wildcard(m_filter),
                               [this] { return m_over.load(); });
    if (!m_over.load())
        m_plans[job] = plan;
    return plan;
}
