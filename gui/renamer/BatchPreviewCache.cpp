// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/renamer/BatchPreviewCache.h"

#include "core/base/FolderRows.h"
#include "core/base/RowOrder.h"
#include "core/host/FileSystem.h"

#include <QPromise>
#include <algorithm>
#include <QtConcurrent/QtConcurrentRun>

BatchPreviewCache::BatchPreviewCache(FileSystem &files, const QString &folder, const QStringList &rows,
                                     const QString &filter, int latestYear)
    : m_files(files)
    , m_folder(folder)
    , m_rows(rows)
    , m_filter(filter)
    , m_latestYear(latestYear)
{
    m_worker.setMaxThreadCount(1);
}

BatchPreviewCache::~BatchPreviewCache()
{
    m_over.store(true);
    m_asked.cancel();
    m_worker.waitForDone();
}

QFuture<AnswerPreview> BatchPreviewCache::preview(const QString &answer)
{
    const BatchJob job = batchJobFor(answer);
    if (job == BatchJob::Cancel) {
        AnswerPreview cancelled;
        cancelled.cancels = true;
        return QtFuture::makeReadyFuture(cancelled);
    }
    m_asked.cancel();
    m_asked = QtConcurrent::run(&m_worker, [this, job](QPromise<AnswerPreview> &promise) {
        promise.addResult(planNow(job, true, [this] { return m_over.load(); }).preview);
    });
    return m_asked;
}

std::optional<BatchPlan> BatchPreviewCache::plan(BatchJob job, const std::function<bool()> &stopped)
{
    BatchPlan plan = planNow(job, false, stopped);
    if (stopped && stopped())
        return std::nullopt;
    return plan;
}

BatchPlan BatchPreviewCache::planNow(BatchJob job, bool preview, const std::function<bool()> &stopped)
{
    const std::lock_guard lock(m_planning);
    const FolderContents now = m_files.readFolder(m_folder);
    const auto made = m_plans.find(job);
    if (made != m_plans.end() && made->second.readFrom == now && readsTheSame(made->second)
        && (made->second.previewed || !preview))
        return made->second;
    if (!m_firstRead)
        m_firstRead = now;
    const QStringList rows = now == *m_firstRead
                                 ? m_rows
                                 : folderRows(now.entries, Wildcard(m_filter), EntryKinds::Files)
                                       .mid(0, MaxListRows);
    const FolderReader readBelow = [this](const QString &folder) {
        return m_files.readFolder(folder);
    };
    BatchPlan plan = planBatch(job, m_folder, now, {rows, Wildcard(m_filter), m_latestYear, readBelow},
                               preview, stopped);
    if (!(stopped && stopped()))
        m_plans[job] = plan;
    return plan;
}

bool BatchPreviewCache::readsTheSame(const BatchPlan &plan)
{
    return std::all_of(plan.readBelow.cbegin(), plan.readBelow.cend(),
                       [this](const auto &read) { return m_files.readFolder(read.first) == read.second; });
}
