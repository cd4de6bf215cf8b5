#include "gui/words/RenamerWords.h"

#include "gui/words/ChangeWords.h"
#include "gui/words/NumberWords.h"

QString RenamerWords::warning(const EntryOutcome &outcome)
{
    switch (outcome.what) {
    case EntryOutcome::Renamed:
        return {};
    case EntryOutcome::Trimmed:
        return tr("becomes \"%1\": the blanks at either end are dropped").arg(outcome.result);
    case EntryOutcome::Counted:
        return tr("becomes %1: %2 is taken").arg(outcome.result, outcome.wanted);
    case EntryOutcome::NoName:
        return tr("keeps its name: the new name would be empty");
    case EntryOutcome::Hidden:
        return tr("keeps its name: a name that begins with a dot would hide it");
    case EntryOutcome::Gone:
        return tr("keeps its name: it is no longer in this folder");
    case EntryOutcome::NotAFile:
        return tr("keeps its name: it is no longer a file");
    case EntryOutcome::NoRoom:
        return tr("keeps its name: %1 and %1.1 to %1.19 are taken").arg(outcome.wanted);
    case EntryOutcome::TooLong:
        return tr("keeps its name: %1 is too long for this drive").arg(outcome.wanted);
    case EntryOutcome::Refused:
        return tr("nothing is renamed: RENAME TO may not hold \" < > : / \\ | ? *");
    case EntryOutcome::NoTitle:
        return tr("keeps its name: no title could be told apart (it holds no year, episode or "
                  "release tag)");
    }
    return {};
}

QString RenamerWords::summary(const AnswerPreview &preview)
{
    if (preview.cancels)
        return tr("Nothing changes: this answer cancels the batch.");
    QString summary = (preview.changes == 1 ? tr("%1 of %2 changes") : tr("%1 of %2 change"))
                          .arg(numberText(preview.changes),
                               countText(preview.total, tr("name"), tr("names")));
    if (preview.counted > 0)
        summary += tr("; %1 a counter suffix").arg(countText(preview.counted, tr("gets"), tr("get")));
    if (preview.kept > 0)
        summary += tr("; %1").arg(countText(preview.kept, tr("keeps its name"), tr("keep their name")));
    if (preview.untold > 0)
        summary += tr("; %1: no title could be told apart")
                       .arg(countText(preview.untold, tr("keeps its name"), tr("keep their name")));
    return summary;
}

QString RenamerWords::deleted(const DeleteReport &report)
{
    if (!report.reserved)
        return tr("%1 was not deleted: %2.").arg(report.path, ChangeWords::reason(report.reserved));
    QStringList told;
    for (const ChangeOutcome::Failure &failure : report.change.failures)
        told << tr("%1 was not deleted: it could not be moved to the trash (%2).")
                    .arg(report.path, ChangeWords::reason(failure.why));
    if (const QString moved = ChangeWords::movedFolders(report.change); !moved.isEmpty())
        told << moved;
    if (!report.change.recorded)
        told << ChangeWords::cannotUndo(report.change);
    return told.join(QStringLiteral("\n\n"));
}
