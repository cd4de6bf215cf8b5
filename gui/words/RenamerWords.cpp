// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/words/RenamerWords.h"

#include "gui/words/ChangeWords.h"

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
    case EntryOutcome::UnknownKind:
        return tr("keeps its name: it is no video, subtitle or other file that travels with them");
    case EntryOutcome::Labelled:
        return tr("becomes %1: another release has the name %2 too").arg(outcome.result, outcome.wanted);
    case EntryOutcome::FolderTaken:
        return tr("keeps its name and place: a file holds the name of the folder %1").arg(outcome.wanted);
    case EntryOutcome::OtherDrive:
        return tr("keeps its name and place: %1 is another drive").arg(outcome.wanted);
    case EntryOutcome::FolderUnread:
        return tr("keeps its name and place: the folder %1 cannot be read").arg(outcome.wanted);
    case EntryOutcome::WithItsVideo:
        return tr("keeps its name and place, as its video does");
    case EntryOutcome::Taken:
        return tr("keeps its name and place: %1 is taken").arg(outcome.wanted);
    }
    return {};
}

QString RenamerWords::summary(const AnswerPreview &preview)
{
    if (preview.cancels)
        return tr("Nothing changes: this answer cancels the batch.");
    QStringList parts = {tr("%Ln of %1 change", nullptr, int(preview.changes))
                             .arg(ChangeWords::counted(preview.total, ChangeWords::Noun::Names))};
    if (preview.releases) {
        parts.last() += releaseKinds(*preview.releases);
        if (preview.releases->folders > 0)
            parts << tr("%Ln folders to make", nullptr, int(preview.releases->folders));
        if (preview.releases->labelled > 0)
            parts << tr("%Ln get a version label", nullptr, int(preview.releases->labelled));
    }
    if (preview.counted > 0)
        parts << tr("%Ln get a counter suffix", nullptr, int(preview.counted));
    if (const qsizetype kept = preview.kept - preview.untold; kept > 0)
        parts << (preview.releases ? tr("%Ln keep their name and place", nullptr, int(kept))
                                   : tr("%Ln keep their name", nullptr, int(kept)));
    if (preview.untold > 0)
        parts << tr("%Ln keep their name: no title could be told apart", nullptr, int(preview.untold));
    return parts.join(QStringLiteral("; "));
}

QString RenamerWords::releaseKinds(const AnswerPreview::Releases &releases)
{
    QStringList kinds;
    if (releases.films > 0)
        kinds << tr("%Ln films", nullptr, int(releases.films));
    if (releases.episodes > 0)
        kinds << tr("%Ln episodes", nullptr, int(releases.episodes));
    if (releases.sidecars > 0)
        kinds << tr("%Ln sidecars", nullptr, int(releases.sidecars));
    return kinds.isEmpty() ? QString() : tr(" (%1)").arg(kinds.join(QStringLiteral(", ")));
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

QString RenamerWords::batchPrompt()
{
    return tr("ARE YOU SURE (type YES to continue)");
}

QString RenamerWords::batchTitle()
{
    return tr("CONFIRM LAUNCH BATCH MAY TAKE SEVERAL MINUTES!");
}

QString RenamerWords::batchDefaultAnswer()
{
    return tr("NO");
}

QString RenamerWords::batchAnswers()
{
    return tr("YES: the fixed clean-up. TITLES: each film or episode to its clean title, as TITLE "
              "(YEAR) or SHOW S01E02. LIBRARY: the same, in MOVIES and SHOWS folders for media "
              "servers. FOLDERS, FILES: every folder or file name in upper case. Anything else "
              "cancels.");
}

QString RenamerWords::batchCancelled()
{
    return tr("Special Batch Cancelled");
}

QString RenamerWords::stoppedBeforePlan()
{
    return tr("Stopped before anything was renamed.");
}

QString RenamerWords::cleanUpEnded(const ChangeOutcome &outcome)
{
    // A batch that was stopped is not completed, nor one that left names
    // unchanged without a word.
    const QString report = ChangeWords::report(outcome, ChangeWords::Noun::Names);
    if (report.isEmpty())
        return tr("Special Batch Completed!");
    return outcome.stopped ? report : tr("Special Batch Completed!") + QStringLiteral("\n\n") + report;
}
