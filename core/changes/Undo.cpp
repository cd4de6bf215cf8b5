// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/changes/Undo.h"

#include "core/base/Paths.h"
#include "core/changes/FolderCache.h"
#include "core/changes/ChangeEngine.h"
#include "core/changes/Recovery.h"
#include "core/host/FileSystem.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

using NotPutBack = UndoReport::NotPutBack;

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
QList<Rename> renamesBack(FileSystem &fileSystem, FolderCache &folders, const ChangeRecord &record,
                          QList<NotPutBack> &notPutBack)
{
    QList<Rename> back;
    for (const RecordedRename &rename : record.done()) {
        const QString to = record.toPath(rename), from = record.fromPath(rename);
        if (folders.entryAt(to) < 0)
            notPutBack.append({NotPutBack::Why::Gone, to});
        else if (!rename.identity.matches(folders.identityAt(to)))
            notPutBack.append({NotPutBack::Why::Replaced, to});
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
            if (holder >= 0 && !moving.contains({Paths::folderPart(r->to), holder})
                && !fileSystem.isSecondName(r->from, r->to)) {
                notPutBack.append({NotPutBack::Why::OldNameTaken, r->from, r->to});
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
// and names those kept, not being empty.
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
            kept << folder;
    }
    return removed;
}

// Each file that the undo did not put back, with why.
void tellNotPutBack(UndoReport &report, const RenamePlan &plan, const ChangeOutcome &outcome)
{
    QHash<QString, Outcome> failures;
    for (const ChangeOutcome::Failure &failure : outcome.failures)
        failures.insert(failure.path, failure.why);
    for (qsizetype i = 0; i < outcome.at.size(); ++i) {
        const QString &from = plan.renames[i].from;
        if (outcome.at[i] == plan.renames[i].to)
            continue;
        if (failures.contains(from))
            report.notPutBack.append({NotPutBack::Why::Failed, from, {}, failures.value(from)});
        else if (!outcome.stopped)
            report.notPutBack.append({NotPutBack::Why::FolderWent, from});
    }
}

void remakeRemovedFolders(FileSystem &fileSystem, const ChangeRecord &record)
{
    QStringList removed;
    for (const RecordPath &folder : record.removedFolders)
        removed << record.path(folder);
    std::sort(removed.begin(), removed.end()); // a folder before those inside it
    for (const QString &folder : std::as_const(removed))
        if (!fileSystem.entryKind(folder))
            fileSystem.makeFolder(folder);
}

// Undoes one finished change, as undoLatest says.
UndoReport undo(FileSystem &fileSystem, ChangeJournal &journal, StoredChange &change, WorkProgress *progress)
{
    const ChangeRecord &record = change.record;
    UndoReport report;
    report.action = record.action;
    report.where = record.folders.value(0).path;
    if (!journal.take(change)) {
        report.kind = UndoReport::Kind::HeldByOther;
        return report;
    }
    // A folder the change emptied and removed comes back first, and only
    // where the change's own folders are there (never on an empty mount
    // point while the drive is away).
    if (foldersAway(fileSystem, record).isEmpty())
        remakeRemovedFolders(fileSystem, record);
    FolderCache folders(fileSystem);
    report.away = foldersNotThere(fileSystem, folders, record);
    if (report.away.isEmpty()) {
        report.away = othersFolders(fileSystem, record);
        report.kind = report.away.isEmpty() ? UndoReport::Kind::Undone : UndoReport::Kind::NotOwn;
    } else {
        report.kind = UndoReport::Kind::Away;
    }
    if (report.kind != UndoReport::Kind::Undone) {
        journal.release(change);
        return report;
    }
    RenamePlan plan;
    plan.renames = renamesBack(fileSystem, folders, record, report.notPutBack);
    plan.caseBlind = !plan.renames.isEmpty() && folders.folderOf(plan.renames.first().from).caseBlind();
    plan.stays = [&folders](const QString &path) {
        return folders.entryAt(path) >= 0;
    };
    report.outcome = applyUndo(fileSystem, journal, change, scheduleRenames(plan), progress);
    const ChangeOutcome &outcome = report.outcome;
    // Out of the trash: a file's note there goes too.
    if (record.intoTrash)
        for (qsizetype i = 0; i < outcome.at.size(); ++i)
            if (outcome.at[i] == plan.renames[i].to)
                fileSystem.releaseTrash(plan.renames[i].from);
    tellNotPutBack(report, plan, outcome);
    report.removedFolders = removeMadeFolders(fileSystem, record, report.keptFolders);
    return report;
}

} // namespace

UndoLatestReport undoLatest(FileSystem &fileSystem, ChangeRecord::Tool tool, WorkProgress *progress)
{
    UndoLatestReport report;
    report.mended = recoverOpenChanges(fileSystem, true);
    ChangeJournal journal(fileSystem);
    QList<StoredChange> changes = journal.summaries(report.notes);
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        const ChangeRecord &record = change->record;
        if (record.tool() != tool || record.state == ChangeRecord::State::Undone)
            continue;
        // A record that cannot be read now may be the newest: nothing older
        // is undone before it.
        const ChangeJournal::Reading reading = journal.readWhole(*change, report.notes);
        if (reading == ChangeJournal::Reading::NotNow) {
            report.result = UndoLatestReport::Result::NotReadNow;
            return report;
        }
        if (reading == ChangeJournal::Reading::SetAside)
            continue;
        const QString where = record.folders.value(0).path;
        // One that recovery could not mend blocks the older ones, unless it
        // waits for its drive, its folder or a file: undoing past it could
        // touch its files.
        if (record.isOpen()) {
            const std::optional<Waiting> waits = whyChangeWaits(fileSystem, record);
            if (!waits) {
                report.result = UndoLatestReport::Result::Blocked;
                report.undone.action = record.action;
                report.undone.where = where;
                report.stateFolder = fileSystem.stateFolder();
                return report;
            }
            report.passed.append({record.action, where, *waits, true});
            continue;
        }
        UndoReport undone = undo(fileSystem, journal, *change, progress);
        if (undone.kind == UndoReport::Kind::Undone || undone.kind == UndoReport::Kind::HeldByOther) {
            report.result = UndoLatestReport::Result::Undone;
            report.undone = std::move(undone);
            return report;
        }
        const Waiting::Kind why = undone.kind == UndoReport::Kind::NotOwn ? Waiting::Kind::NotOwn
                                                                          : Waiting::Kind::Unreadable;
        report.passed.append({record.action, where, Waiting::forFolders(why, undone.away), false});
    }
    return report;
}
