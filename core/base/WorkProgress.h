// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// What long work tells whoever waits for it, and what it is asked: safe to
// use from the worker that does the work.
class WorkProgress {
public:
    virtual ~WorkProgress() = default;
    // The work has come to step done of total.
    virtual void report(qint64 done, qint64 total) = 0;
    // Whether the user asked the work to stop; the work stops at the next
    // point where it can stop and leave everything whole.
    virtual bool stopRequested() const = 0;
};
