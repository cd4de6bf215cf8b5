// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/renamer/BatchJob.h"

#include <QFuture>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <optional>

class FileSystem;

// SPECIAL BATCH's box's preview cache, for one click of the button: the
// plan (BatchPlan) of each job the user's answer may name, worked out on a
// thread of its own so that the box answers every key while a plan is
// made, and kept. Each job is planned once for each state of the folder,
// and the plan whose preview the box showed is the one that runs.
class BatchPreviewCache {
public:
    // The batch on folder, whose file list shows rows through filter, on a
    // day of latestYear - 1 (TITLES reads next year's films' years too).
    BatchPreviewCache(FileSystem &files, const QString &folder, const QStringList &rows,
                      const QString &filter, int latestYear);
    // Stops the planning under way, and waits for it.
    ~BatchPreviewCache();

    // What answer would do to the folder as it is now: ready at once for an
    // answer that cancels, else once the worker has worked it out. A preview
    // asked for earlier and not begun yet is dropped: the user has typed
    // past it.
    QFuture<AnswerPreview> preview(const QString &answer);
    // The job's plan for the folder as it is now, from any thread: the plan
    // made before, while a fresh read finds the folder as that plan read it;
    // a new plan when another program has added, renamed or removed an entry
    // since. Nothing when stopped says so before it is ready.
    std::optional<BatchPlan> plan(BatchJob job, const std::function<bool()> &stopped);

private:
    // The plan for the folder now, one at a time.
    BatchPlan planNow(BatchJob job, bool preview, const std::function<bool()> &stopped);
    // Whether the folders below that plan read read the same now.
    bool readsTheSame(const BatchPlan &plan);

    FileSystem &m_files;
    const QString m_folder;
    const QStringList m_rows;
    const QString m_filter;
    const int m_latestYear;
    std::mutex m_planning;
    // The folder as it was first read. While it reads the same, the clean-up's
    // first press works on the file list's rows as the window showed them;
    // once another program has changed it, on the rows the file list would
    // show now.
    std::optional<FolderContents> m_firstRead;
    std::map<BatchJob, BatchPlan> m_plans;
    std::atomic<bool> m_over{false};
    QFuture<AnswerPreview> m_asked;
    // One thread, so that previews are made in the order they are asked for.
    QThreadPool m_worker;
};
