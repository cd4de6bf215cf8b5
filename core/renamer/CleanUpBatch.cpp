// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/CleanUpBatch.h"

#include "core/renamer/PassTable.h"

QStringList planCleanUpBatch(RenamePlanner &planner, const QStringList &entries,
                             const std::function<bool()> &stopped)
{
    // The first press sees the file list as it was shown; every later one
    // the list as it reads the folder after the press before.
    bool first = true;
    auto press = [&](const QString &from, const QString &to) {
        if (first)
            planner.makeChanges(entries, from, to);
        else
            planner.makeChangesOnFileList(from, to);
        first = false;
    };
    QStringList preview;
    for (const PassStep &step : passTable()) {
        if (stopped && stopped())
            break;
        if (!step.isYearStep) {
            press(step.from, step.to);
            continue;
        }
        for (int year = PassFirstYear; year <= PassLastYear; ++year) {
            const QString digits = QString::number(year);
            // Only the last year's rows stay in the preview list.
            if (year == PassLastYear)
                preview = planner.previewFileList(digits, passYearTo(digits));
            if (planner.fileListHolds(digits))
                press(digits, passYearTo(digits));
        }
    }
    return preview;
}
