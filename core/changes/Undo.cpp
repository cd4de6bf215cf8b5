#include "core/changes/Undo.h"

#include "core/base/NumberText.h"
#include "core/base/Paths.h"
#include "core/changes/FolderCache.h"
#include "core/changes/RecordedChange.h"
#include "core/host/Host.h"

#include <QSet>
#include <algorithm>

QString undoChange(Host &host, ChangeJournal &journal, StoredChange &change)
{
    FolderCache folders(host);
    for (const RecordedRename &rename : change.record.done()) {
        folders.folderOf(rename.from);
        folders.folderOf(rename.to);
    }
    // A folder on a drive that is not there now: the change waits for it.
    if (!folders.unreadable().isEmpty())
        return QStringLiteral("Nothing was put back: %1 cannot be read now. Ctrl+Z will try again "
                              "when it can, for instance once its drive is back.")
            .arg(folders.unreadable().join(QStringLiteral(", ")));
    QStringList notPutBack;
    // Each file the change moved, from where it stands now back to where it was.
    QList<RecordedRename> back;
    for (const RecordedRename &rename : change.record.done()) {
        if (folders.entryAt(rename.to) < 0)
            notPutBack << QStringLiteral("%1: it is no longer there").arg(rename.to);
        else
            back.append({rename.to, rename.from, {}, {}});
    }
    // A file whose old name another file holds, one that stays where it is,
    // stays too; and then so may the file that waited for its name.
    auto source = [&](const RecordedRename &r) {
        return std::pair(Paths::folderPart(r.from), folders.entryAt(r.from));
    };
    for (bool dropped = true; dropped;) {
        dropped = false;
        QSet<std::pair<QString, int>> moving;
        for (const RecordedRename &r : back)
            moving.insert(source(r));
        for (auto r = back.begin(); r != back.end();) {
            const int holder = folders.entryAt(r->to);
            if (holder >= 0 && !moving.contains({Paths::folderPart(r->to), holder})) {
                notPutBack << QStringLiteral("%1: its old name %2 is taken now").arg(r->from, r->to);
                r = back.erase(r);
                dropped = true;
            } else {
                ++r;
            }
        }
    }

    RenamePlan plan;
    for (const RecordedRename &r : back)
        plan.renames.append({r.from, r.to});
    plan.caseBlind = !back.isEmpty() && folders.folderOf(back.first().from).caseBlind();
    plan.stays = [&folders](const QString &path) { return folders.entryAt(path) >= 0; };

    const ChangeOutcome outcome = applyChange(host, journal, change, ChangeRecord::List::Undo,
                                              scheduleRenames(plan, host));
    const QStringList &at = outcome.at;
    const QString &unsaved = outcome.unrecorded;
    qsizetype putBack = 0;
    for (qsizetype i = 0; i < at.size(); ++i) {
        if (at[i] == plan.renames[i].to) {
            ++putBack;
            // Out of the trash: its note there goes too.
            if (change.record.intoTrash)
                host.ReleaseTrash(plan.renames[i].from);
        } else {
            notPutBack << QStringLiteral("%1: it could not be renamed").arg(plan.renames[i].from);
        }
    }

    // Deepest first, so that a folder made inside another goes before it.
    QStringList made = change.record.madeFolders;
    std::sort(made.begin(), made.end(), std::greater<>());
    qsizetype removed = 0;
    QStringList kept;
    for (const QString &folder : made) {
        if (host.RemoveFolder(folder))
            ++removed;
        else if (host.GetAttributes(folder))
            kept << QStringLiteral("%1: it is not empty").arg(folder);
    }

    QString message = QStringLiteral("Put back %1.").arg(countText(putBack, "name", "names"));
    if (removed > 0)
        message += QStringLiteral(" Removed %1 that it had made.").arg(countText(removed, "folder", "folders"));
    if (!notPutBack.isEmpty())
        message += QStringLiteral("\n\nNot put back:\n") + notPutBack.join(u'\n');
    if (!kept.isEmpty())
        message += QStringLiteral("\n\nFolders kept:\n") + kept.join(u'\n');
    if (!unsaved.isEmpty())
        message += QStringLiteral("\n\nThe undo could not be recorded (%1).").arg(unsaved);
    return message;
}
