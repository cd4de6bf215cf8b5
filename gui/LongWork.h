#pragma once

#include "core/base/WorkProgress.h"

#include <QFutureWatcher>
#include <functional>

// Runs work on a thread of Qt's pool with a progress that its promise keeps,
// and keeps the calling thread's event loop going until it is done: watched
// (when given) is handed the future's watcher as the work starts, to show
// its progress and to cancel it, which asks the work to stop. Returns once
// the work has ended, also when the event loop is told to quit meanwhile
// (the work is then asked to stop, and waited for).
void runOnWorker(const std::function<void(WorkProgress &)> &work,
                 const std::function<void(QFutureWatcher<void> &)> &watched = {});
