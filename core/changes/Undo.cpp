#include "core/changes/Undo.h"

#include "core/base/NumberText.h"
#include "core/base/Paths.h"
#include "core/changes/FolderCache.h"
#include "core/changes/ChangeEngine.h"
#include "core/changes/Recovery.h"
#include "core/host/FileSystem.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

// What an undo came to: its message, or the folders it could not read.
struct Undone {
    QString message;
    QStringList unreadable;
};

bool outsideAscii(const QString &name)
{
    return std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() >= 0x80; });
}

// The entry holding path's name now, as the volume would refuse a rename to
// it. Where the volume is case-blind and the name holds letters outside
// ASCII, its folding of them may differ from this program's: only the exact
// name is known to be taken, and the volume itself decides the rest.
int holderOf(FolderCache &folders, const QString &path)
{
    FolderModel &model = folders.folderOf(path);
    const QString name = Paths::lastComponent(path);
    return model.caseBlind() && outsideAscii(name) ? model.holder(name) : model.find(name);
}

// The folders of a change that cannot be looked at now: gone, unreadable
// (its drive taken away), or another folder at the path.
QStringList foldersNotThere(FileSystem &fileSystem, FolderCache &folders, const ChangeRecord &record)
{
    for (const RecordedRename &rename : record.done()) {
        folders.folderOf(record.fromPath(rename));
        folders.folderOf(record.toPath(rename));
    }
    QStringList away = folders.unreadable();
    for (const QString &folder : foldersAway(fileSystem, record))
        if (!away.contains(folder))
            away << folder;
    return away;
}

// Each file the change moved, from where it stands now back to where it
// was; those that cannot go back are named in notPutBack, with why.
QList<Rename> renamesBack(FolderCache &folders, const ChangeRecord &record, QStringList &notPutBack)
{
    QList<Rename> back;
    for (const RecordedRename &rename : record.done()) {
        const QString to = record.toPath(rename), from = record.fromPath(rename);
        if (folders.entryAt(to) < 0)
            notPutBack << QStringLiteral("%1: it is no longer there").arg(to);
        else if (!rename.identity.matches(folders.identityAt(to)))
            notPutBack << QStringLiteral("%1: another file has taken its name since; it was left alone")
                              .arg(to);
        else
            back.append({to, from, rename.identity});
    }
    // A file whose old name another file holds, one that stays where it is,
    // stays too; and then so may the file that waited for its name.
    auto source = [&](const Rename &r) {
        return std::pair(Paths::folderPart(r.from), folders.entryAt(r.from));
    };
    for (bool dropped = true; dropped;) {
        dropped = false;
        QSet<std::pair<QString, int>> moving;
        for (const Rename &r : back)
            moving.insert(source(r));
        for (auto r = back.begin(); r != back.end();) {
            const int holder = holderOf(folders, r->to);
            if (holder >= 0 && !moving.contains({Paths::folderPart(r->to), holder})) {
                notPutBack << QStringLiteral("%1: its old name %2 is taken now").arg(r->from, r->to);
                r = back.erase(r);
                dropped = true;
            } else {
                ++r;
            }
        }
    }
    return back;
}

// Removes the folders the change made, deepest first so that a folder made
// inside another goes before it, when they are empty; returns how many went
// and names those kept.
qsizetype removeMadeFolders(FileSystem &fileSystem, const ChangeRecord &record, QStringList &kept)
{
    QStringList made;
    for (const RecordPath &folder : record.madeFolders)
        made << record.path(folder);
    std::sort(made.begin(), made.end(), std::greater<>());
    qsizetype removed = 0;
    for (const QString &folder : made) {
        if (fileSystem.removeFolder(folder))
            ++removed;
        else if (fileSystem.entryKind(folder))
            kept << QStringLiteral("%1: it is not empty").arg(folder);
    }
    return removed;
}

Undone undo(FileSystem &fileSystem, ChangeJournal &journal, StoredChange &change, WorkProgress *progress)
{
    const ChangeRecord &record = change.record;
    if (!journal.take(change))
        return {QStringLiteral("Nothing was put back: another run of the program is working on %1 "
                               "in %2 right now. Ctrl+Z will try again when it is done.")
                    .arg(record.what, record.folders.value(0).path),
                {}};
    FolderCache folders(fileSystem);
    if (const QStringList away = foldersNotThere(fileSystem, folders, record); !away.isEmpty()) {
        journal.release(change);
        return {{}, away};
    }
    QStringList notPutBack;
    RenamePlan plan;
    plan.renames = renamesBack(folders, record, notPutBack);
    plan.caseBlind = !plan.renames.isEmpty() && folders.folderOf(plan.renames.first().from).caseBlind();
    plan.stays = [&folders](const QString &path) { return folders.entryAt(path) >= 0; };
    const ChangeOutcome outcome =
        applyUndo(fileSystem, journal, change, scheduleRenames(plan), progress);
    qsizetype putBack = 0;
    QHash<QString, QString> reasons;
    for (const ChangeOutcome::Failure &failure : outcome.failures)
        reasons.insert(failure.path, failure.reason);
    for (qsizetype i = 0; i < outcome.at.size(); ++i) {
        if (outcome.at[i] == plan.renames[i].to) {
            ++putBack;
            // Out of the trash: its note there goes too.
            if (record.intoTrash)
                fileSystem.releaseTrash(plan.renames[i].from);
        } else if (reasons.contains(plan.renames[i].from) || !outcome.stopped) {
            notPutBack << QStringLiteral("%1: it could not be renamed (%2)")
                              .arg(plan.renames[i].from,
                                   reasons.value(plan.renames[i].from, QStringLiteral("its folder went away")));
        }
    }
    QStringList kept;
    const qsizetype removed = removeMadeFolders(fileSystem, record, kept);

    QString message = outcome.stopped
        ? QStringLiteral("Stopped: %1 of %2 put back. Ctrl+Z puts back the others.")
              .arg(numberText(putBack), countText(plan.renames.size(), "name", "names"))
        : QStringLiteral("Put back %1.").arg(countText(putBack, "name", "names"));
    if (removed > 0)
        message += QStringLiteral(" Removed %1 that it had made.").arg(countText(removed, "folder", "folders"));
    if (!notPutBack.isEmpty())
        message += QStringLiteral("\n\nNot put back:\n") + notPutBack.join(u'\n');
    if (record.state == ChangeRecord::State::Finished && !outcome.stopped)
        message += QStringLiteral("\n\nCtrl+Z tries the names that could not be renamed once more.");
    if (!outcome.stranded.isEmpty()) {
        ChangeOutcome stranded;
        stranded.stranded = outcome.stranded;
        stranded.heldBack = outcome.heldBack;
        message += QStringLiteral("\n\n") + changeReport(stranded, "name", "names");
    }
    if (!kept.isEmpty())
        message += QStringLiteral("\n\nFolders kept:\n") + kept.join(u'\n');
    if (!outcome.folderNotes.isEmpty())
        message += QStringLiteral("\n\n") + outcome.folderNotes.join(QStringLiteral("\n"));
    if (!outcome.unrecorded.isEmpty())
        message += QStringLiteral("\n\nThe undo could not be recorded (%1).").arg(outcome.unrecorded);
    return {message, {}};
}

QString waitingFor(const QStringList &unreadable)
{
    return QStringLiteral("%1 cannot be read now. Ctrl+Z will try again when it can, for instance "
                          "once its drive is back.")
        .arg(unreadable.join(QStringLiteral(", ")));
}

} // namespace

QString undoChange(FileSystem &fileSystem, ChangeJournal &journal, StoredChange &change,
                   WorkProgress *progress)
{
    const Undone undone = undo(fileSystem, journal, change, progress);
    return undone.unreadable.isEmpty() ? undone.message
                                       : QStringLiteral("Nothing was put back: ") + waitingFor(undone.unreadable);
}

QString undoLatest(FileSystem &fileSystem, ChangeRecord::Tool tool, WorkProgress *progress)
{
    QStringList messages;
    if (const QString mended = recoverOpenChanges(fileSystem, true); !mended.isEmpty())
        messages << mended;
    ChangeJournal journal(fileSystem);
    QList<StoredChange> changes = journal.summaries(messages);
    QStringList passed;
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        const ChangeRecord &record = change->record;
        if (record.tool != tool || record.state == ChangeRecord::State::Undone)
            continue;
        // A record that cannot be read now may be the newest: nothing older
        // is undone before it.
        const ChangeJournal::Reading reading = journal.readWhole(*change, messages);
        if (reading == ChangeJournal::Reading::NotNow)
            return messages.join(QStringLiteral("\n\n"));
        if (reading == ChangeJournal::Reading::SetAside)
            continue;
        const QString where = record.folders.value(0).path;
        // One that recovery could not mend blocks the older ones, unless it
        // waits for its drive, its folder or a file: undoing past it could
        // touch its files.
        if (record.isOpen()) {
            const QString waits = whyChangeWaits(fileSystem, record);
            if (waits.isEmpty()) {
                messages << QStringLiteral("Nothing was put back: %1 in %2 is not complete in its "
                                           "record, so it cannot be undone yet. Ctrl+Z will try "
                                           "again; there may be no room on the disk of %3.")
                                .arg(record.what, where, fileSystem.stateFolder());
                return messages.join(QStringLiteral("\n\n"));
            }
            passed << QStringLiteral("%1 in %2: it waits, since %3.").arg(record.what, where, waits);
            continue;
        }
        const Undone undone = undo(fileSystem, journal, *change, progress);
        if (undone.unreadable.isEmpty()) {
            if (!passed.isEmpty())
                messages << QStringLiteral("Passed over, since it cannot be undone now:\n")
                        + passed.join(u'\n');
            messages << undone.message;
            return messages.join(QStringLiteral("\n\n"));
        }
        passed << QStringLiteral("%1 in %2: %3").arg(record.what, where, waitingFor(undone.unreadable));
    }
    messages << (passed.isEmpty() ? QStringLiteral("There is nothing to undo.")
                                  : QStringLiteral("Nothing was put back:\n") + passed.join(u'\n'));
    return messages.join(QStringLiteral("\n\n"));
}
