#include "renamer/CleanUpBatch.h"

#include "renamer/PassTable.h"
#include "renamer/RenameRule.h"

QStringList planCleanUpBatch(RenamePlanner &planner, const QStringList &entries)
{
    QStringList listed = entries;
    QStringList preview;
    for (const PassStep &step : passTable()) {
        if (!step.isYearStep) {
            planner.makeChanges(listed, step.from, step.to);
            listed = planner.fileList();
            continue;
        }
        for (int year = PassFirstYear; year <= PassLastYear; ++year) {
            const QString digits = QString::number(year);
            preview = previewRows(listed, digits, passYearTo(digits));
            if (!preview.isEmpty()) {
                planner.makeChanges(listed, digits, passYearTo(digits));
                listed = planner.fileList();
            }
        }
    }
    return preview;
}
