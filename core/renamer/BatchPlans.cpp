#include "core/renamer/BatchPlans.h"

#include "core/base/RowOrder.h"
#include "core/host/Host.h"

BatchPlans::BatchPlans(Host &host, const QString &folder, const QStringList &rows,
                       const QString &filter)
    : m_host(host), m_folder(folder), m_rows(rows), m_filter(filter)
{
    QObject::connect(&m_handOver, &QTimer::timeout, [this] { handOver(); });
    m_worker = std::thread([this] { work(); });
}

BatchPlans::~BatchPlans()
{
    {
        std::lock_guard lock(m_mutex);
        m_over.store(true);
    }
    m_changed.notify_all();
    m_worker.join();
}

std::shared_ptr<BatchPlans::Request> BatchPlans::ask(BatchJob job, bool preview)
{
    auto request = std::make_shared<Request>();
    request->job = job;
    request->preview = preview;
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(request);
    }
    m_changed.notify_all();
    return request;
}

void BatchPlans::work()
{
    for (;;) {
        std::shared_ptr<Request> request;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_over.load() || !m_queue.empty(); });
            if (m_over.load())
                return;
            request = m_queue.front();
            m_queue.pop_front();
            if (!request->wanted)
                continue;
        }
        BatchPlan plan = planNow(request->job, request->preview);
        {
            std::lock_guard lock(m_mutex);
            request->plan = std::move(plan);
        }
        m_changed.notify_all();
    }
}

QFuture<AnswerPreview> BatchPlans::preview(const QString &answer)
{
    const BatchJob job = batchJobFor(answer);
    QPromise<AnswerPreview> promise;
    promise.start();
    QFuture<AnswerPreview> future = promise.future();
    if (job == BatchJob::Cancel) {
        promise.addResult(planBatch(job, m_folder, {}, m_rows, Wildcard(m_filter), true).preview);
        promise.finish();
        return future;
    }
    {
        std::lock_guard lock(m_mutex);
        for (const std::shared_ptr<Request> &queued : m_queue)
            queued->wanted = false;
    }
    m_previews.emplace_back(ask(job, true), std::move(promise));
    m_handOver.start(10);
    return future;
}

void BatchPlans::handOver()
{
    std::lock_guard lock(m_mutex);
    while (!m_previews.empty()) {
        auto &[request, promise] = m_previews.front();
        if (!request->plan && request->wanted)
            break;
        if (!request->plan)
            promise.future().cancel();
        else if (!promise.isCanceled())
            promise.addResult(request->plan->preview);
        promise.finish();
        m_previews.pop_front();
    }
    if (m_previews.empty())
        m_handOver.stop();
}

std::optional<BatchPlan> BatchPlans::plan(BatchJob job, const std::function<bool()> &stopped)
{
    const std::shared_ptr<Request> request = ask(job, false);
    std::unique_lock lock(m_mutex);
    while (!request->plan) {
        if (stopped && stopped()) {
            request->wanted = false;
            return std::nullopt;
        }
        m_changed.wait_for(lock, std::chrono::milliseconds(10));
    }
    return request->plan;
}

BatchPlan BatchPlans::planNow(BatchJob job, bool preview)
{
    const FolderContents now = m_host.ReadFolder(m_folder);
    const auto made = m_plans.find(job);
    if (made != m_plans.end() && made->second.readFrom == now
        && (made->second.previewed || !preview))
        return made->second;
    if (!m_firstRead)
        m_firstRead = now;
    const QStringList rows = now == *m_firstRead
        ? m_rows
        : m_host.ListNames(m_folder, m_filter, EntryKinds::Files).mid(0, MaxListRows);
    BatchPlan plan = planBatch(job, m_folder, now, rows, Wildcard(m_filter), preview,
                               [this] { return m_over.load(); });
    if (!m_over.load())
        m_plans[job] = plan;
    return plan;
}
