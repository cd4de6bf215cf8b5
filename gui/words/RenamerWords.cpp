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
    QStringList parts = {tr("%Ln of %1 change(s)", nullptr, int(preview.changes))
                             .arg(tr("%Ln name(s)", nullptr, int(preview.total)))};
    if (preview.releases) {
        parts.last() += releaseKinds(*preview.releases);
        if (preview.releases->folders > 0)
            parts << tr("%Ln folder(s) to make", nullptr, int(preview.releases->folders));
        if (preview.releases->labelled > 0)
            parts << tr("%Ln get(s) a version label", nullptr, int(preview.releases->labelled));
    }
    if (preview.counted > 0)
        parts << tr("%Ln get(s) a counter suffix", nullptr, int(preview.counted));
    if (const qsizetype kept = preview.kept - preview.untold; kept > 0)
        parts << (preview.releases ? tr("%Ln keep(s) their name and place", nullptr, int(kept))
                                   : tr("%Ln keep(s) their name", nullptr, int(kept)));
    if (preview.untold > 0)
        parts << tr("%Ln keep(s) their name: no title could be told apart", nullptr, int(preview.untold));
    return parts.join(QStringLiteral("; "));
}

QString RenamerWords::releaseKinds(const AnswerPreview::Releases &releases)
{
    QStringList kinds;
    if (releases.films > 0)
        kinds << tr("%Ln film(s)", nullptr, int(releases.films));
    if (releases.episodes > 0)
        kinds << tr("%Ln episode(s)", nullptr, int(releases.episodes));
    if (releases.sidecars > 0)
        kinds << tr("%Ln sidecar(s)", nullptr, int(releases.sidecars));
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

