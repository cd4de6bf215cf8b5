// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/changes/ChangeEngine.h"

#include "core/base/Paths.h"
#include "core/host/FileSystem.h"

#include <QHash>
#include <QSet>
#include <cerrno>

namespace {

// How many folders a change holds on to at most; a change of more folders
// works in the rest by path.
constexpr int MostPins = 64;

// The folders the change pins while it runs: those it neither makes nor
// removes. Those lie inside the others and are reached through them.
QStringList foldersToPin(const ChangeRecord &record)
{
    const QSet<QString> madeOrRemoved = record.paths(record.madeFolders + record.removedFolders);
    QStringList pinned;
    for (const RecordedFolder &folder : record.folders) {
        if (pinned.size() == MostPins)
            break;
        if (!madeOrRemoved.contains(folder.path))
            pinned << folder.path;
    }
    return pinned;
}

// Performs a schedule's steps on the host, from where its files stand.
class Performer {
public:
    Performer(FileSystem &fileSystem, const ChangeSchedule &schedule, QStringList at, WorkProgress *progress)
        : m_fileSystem(fileSystem)
        , m_schedule(schedule)
        , m_progress(progress)
    {
        m_outcome.at = std::move(at);
        for (qsizetype i = 0; i < m_outcome.at.size(); ++i)
            m_parked += !schedule.temporaries[i].isEmpty() && m_outcome.at[i] == schedule.temporaries[i];
    }

    ChangeOutcome run()
    {
        const qsizetype total = m_schedule.steps.size();
        for (qsizetype i = 0; i < total; ++i) {
            const ChangeSchedule::Step &step = m_schedule.steps[i];
            // A stop comes between two renames, never while a file waits
            // under a temporary name: its place still follows.
            if (!m_stopping && m_parked == 0 && m_progress && m_progress->stopRequested())
                m_stopping = true;
            if (m_stopping && step.kind != ChangeSchedule::Place)
                m_outcome.stopped = true;
            else if (!heldBack(step))
                perform(step);
            if (m_progress)
                m_progress->report(i + 1, total);
        }
        m_outcome.untried = m_untried.size();
        return std::move(m_outcome);
    }

private:
    // Once a file could neither reach its new name nor go back from its
    // temporary one, no other file is parked: one file waits, not hundreds.
    // The steps between a park that is not made and its place are those
    // of the files that waited for its name; they keep their names too.
    bool heldBack(const ChangeSchedule::Step &step)
    {
        if (!m_strandedOne)
            return false;
        if (step.kind == ChangeSchedule::Park && m_holdingBack < 0) {
            m_holdingBack = step.index;
            ++m_outcome.heldBack;
            return true;
        }
        if (m_holdingBack < 0)
            return false;
        if (step.kind == ChangeSchedule::Place && step.index == m_holdingBack)
            m_holdingBack = -1;
        else
            ++m_outcome.heldBack;
        return true;
    }

    void perform(const ChangeSchedule::Step &step)
    {
        if (step.kind == ChangeSchedule::MakeFolder) {
            const QString folder = m_schedule.folders.value(step.index);
            if (!m_gone.contains(Paths::folderPart(folder)))
                m_outcome.foldersMade += bool(m_fileSystem.makeFolder(folder));
            return;
        }
        if (step.kind == ChangeSchedule::RemoveFolder) {
            // A folder that still holds anything (a file that did not move,
            // a hidden one) stays, and no one is told: nothing is lost.
            const QString folder = m_schedule.folders.value(step.index);
            if (!m_gone.contains(Paths::folderPart(folder)))
                m_fileSystem.removeFolder(folder);
            return;
        }
        const Rename &rename = m_schedule.renames[step.index];
        const QString &temporary = m_schedule.temporaries[step.index];
        QString &at = m_outcome.at[step.index];
        if (m_gone.contains(Paths::folderPart(rename.from))) {
            if (at == rename.from)
                m_untried.insert(step.index);
            return;
        }
        switch (step.kind) {
        case ChangeSchedule::Direct:
            if (const Outcome renamed = m_fileSystem.rename(rename.from, rename.to))
                at = rename.to;
            else
                failed(rename.from, renamed);
            break;
        case ChangeSchedule::Park:
            if (const Outcome parked = m_fileSystem.rename(rename.from, temporary)) {
                at = temporary;
                ++m_parked;
            } else {
                failed(rename.from, parked);
            }
            break;
        case ChangeSchedule::Place:
            place(rename, temporary, at);
            break;
        case ChangeSchedule::Move:
            if (at == rename.to)
                break;
            if (const Outcome moved = m_fileSystem.moveFile(rename.from, rename.to))
                at = rename.to;
            else if (m_triedOnce.contains(step.index))
                failed(rename.from, moved);
            else
                m_triedOnce.insert(step.index); // a later step moves it once more
            break;
        case ChangeSchedule::Trash:
            if (const Outcome trashed = m_fileSystem.moveFile(rename.from, rename.to)) {
                at = rename.to;
            } else {
                failed(rename.from, trashed);
                m_fileSystem.releaseTrash(rename.to);
            }
            break;
        case ChangeSchedule::MakeFolder:
        case ChangeSchedule::RemoveFolder:
            break;
        }
    }

    // A parked file to its new name; else back to its old one, never to a
    // name it was not meant to have.
    void place(const Rename &rename, const QString &temporary, QString &at)
    {
        if (at != temporary)
            return;
        --m_parked;
        const Outcome placed = m_fileSystem.rename(temporary, rename.to);
        if (placed) {
            at = rename.to;
            return;
        }
        failed(rename.from, placed);
        if (m_fileSystem.rename(temporary, rename.from))
            at = rename.from;
        else
            m_strandedOne = true;
    }

    // Notes a failure; where the folder itself is gone (its drive pulled,
    // its share cut off), nothing more is tried in it.
    void failed(const QString &path, const Outcome &why)
    {
        m_outcome.failures.append({path, why});
        const QString folder = Paths::folderPart(path);
        if (m_fileSystem.pinnedFolderNow(folder).isEmpty())
            m_gone.insert(folder);
    }

    FileSystem &m_fileSystem;
    const ChangeSchedule &m_schedule;
    ChangeOutcome m_outcome;
    QSet<QString> m_gone;
    QSet<int> m_triedOnce;
    QSet<int> m_untried;
    WorkProgress *m_progress;
    int m_parked = 0; // files under a temporary name now
    bool m_stopping = false;
    bool m_strandedOne = false;
    int m_holdingBack = -1; // the rename whose park was held back, until its place
};

// The list a schedule's renames make in the record, each rename with which
// file it moves: as the plan knew it (from the listing it was made from), or
// as the host finds it now.
QList<RecordedRename> recordedList(FileSystem &fileSystem, const ChangeRecord &record,
                                   const ChangeSchedule &schedule)
{
    const RecordPaths paths(record);
    QList<RecordedRename> list;
    list.reserve(schedule.renames.size());
    for (qsizetype i = 0; i < schedule.renames.size(); ++i) {
        const Rename &rename = schedule.renames[i];
        RecordedRename recorded;
        recorded.from = paths.of(rename.from);
        recorded.to = paths.of(rename.to);
        recorded.temporary = Paths::lastComponent(schedule.temporaries[i]);
        recorded.identity = rename.identity.known() ? rename.identity : fileSystem.identify(rename.from);
        list << recorded;
    }
    return list;
}

// Where the schedule's files stand, as the record's list says.
QStringList positionsOf(const ChangeRecord &record, const QList<RecordedRename> &list)
{
    QStringList at;
    at.reserve(list.size());
    for (const RecordedRename &rename : list) {
        const QString path = record.atPath(rename);
        at << (path.isEmpty() ? record.fromPath(rename) : path);
    }
    return at;
}

// The state a change reaches from where the files of the list that came to
// its end stand. Every file that an undo put back stands at its old name
// again in the change itself; one that it could not put back keeps the
// change finished, so that Ctrl+Z can try it once more.
void settle(ChangeRecord &record, ChangeRecord::List which)
{
    bool off = false;
    for (const RecordedRename &rename : record.list(which))
        off |= rename.at != RecordedRename::At::From && rename.at != RecordedRename::At::To;
    if (which == ChangeRecord::List::Renames) {
        record.state = off ? ChangeRecord::State::NeedsMending : ChangeRecord::State::Finished;
        return;
    }
    QHash<QString, qsizetype> byNewPath;
    for (qsizetype i = 0; i < record.renames.size(); ++i)
        byNewPath.insert(record.toPath(record.renames[i]), i);
    bool failed = false;
    for (const RecordedRename &back : std::as_const(record.undo)) {
        failed |= back.at == RecordedRename::At::From;
        if (back.at == RecordedRename::At::To)
            if (const qsizetype i = byNewPath.value(record.fromPath(back), -1); i >= 0)
                record.renames[i].at = RecordedRename::At::From;
    }
    record.state = off      ? ChangeRecord::State::UndoNeedsMending
                   : failed ? ChangeRecord::State::Finished
                            : ChangeRecord::State::Undone;
}

// The record's lines for where its pinned folders are now, when they moved;
// moved names those that moved or went.
QByteArray followFolders(FileSystem &fileSystem, ChangeRecord &record, const QStringList &pinned,
                         QList<ChangeOutcome::MovedFolder> &moved)
{
    QByteArray lines;
    for (const QString &folder : pinned) {
        const QString now = fileSystem.pinnedFolderNow(folder);
        fileSystem.unpinFolder(folder);
        if (now == folder)
            continue;
        moved.append({folder, now});
        if (now.isEmpty())
            continue;
        for (int number = 0; number < record.folders.size(); ++number) {
            if (record.folders[number].path == folder) {
                record.folders[number].path = now;
                lines += record.movedText(number);
            }
        }
    }
    return lines;
}

// Runs the schedule on the record's list with the change's folders pinned,
// then adds where its files stand, and the state they make, to the record.
// recorded says whether the record holds the list; when it does not, why
// not goes into the outcome.
ChangeOutcome perform(FileSystem &fileSystem, ChangeJournal &journal, StoredChange &change,
                      ChangeRecord::List which, const ChangeSchedule &schedule, const Outcome &recorded,
                      WorkProgress *progress)
{
    ChangeRecord &record = change.record;
    QList<RecordedRename> &list = record.list(which);
    const QStringList pinned = foldersToPin(record);
    for (const QString &folder : pinned)
        fileSystem.pinFolder(folder);
    ChangeOutcome outcome = Performer(fileSystem, schedule, positionsOf(record, list), progress).run();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const Rename &rename = schedule.renames[i];
        const QString &at = outcome.at[i];
        list[i].at = at == rename.to     ? RecordedRename::At::To
                     : at == rename.from ? RecordedRename::At::From
                                         : RecordedRename::At::Temporary;
        outcome.reached += at == rename.to;
        if (list[i].at == RecordedRename::At::Temporary)
            outcome.stranded << at;
    }
    // The record follows a folder that was moved, with where its files stand.
    QByteArray lines = followFolders(fileSystem, record, pinned, outcome.movedFolders);
    settle(record, which);
    lines += which == ChangeRecord::List::Renames
                 ? record.positionsText({which})
                 : record.positionsText({which, ChangeRecord::List::Renames});
    if (recorded) {
        outcome.recorded = journal.add(change, lines);
        outcome.beginningRecorded = !outcome.recorded;
    } else {
        outcome.recorded = recorded;
    }
    // A change is undone where it moved a file or made a folder; an undo
    // that could not put every file back leaves the change to undo again.
    outcome.undoable = outcome.recorded
                       && (which == ChangeRecord::List::Renames
                               ? outcome.reached > 0 || outcome.foldersMade > 0
                               : record.state == ChangeRecord::State::Finished);
    return outcome;
}

bool changedAnything(const ChangeOutcome &outcome, const ChangeSchedule &schedule)
{
    if (outcome.foldersMade > 0)
        return true;
    for (qsizetype i = 0; i < outcome.at.size(); ++i)
        if (outcome.at[i] != schedule.renames[i].from)
            return true;
    return false;
}

// The record of a new change: its folders with which folder each is now
// (those it makes are not there yet), and its renames.
ChangeRecord recordOf(FileSystem &fileSystem, const ChangePlan &plan)
{
    ChangeRecord record;
    record.action = plan.action;
    record.caseBlind = plan.caseBlind;
    record.intoTrash = plan.intoTrash;
    const QSet<QString> made(plan.madeFolders.cbegin(), plan.madeFolders.cend());
    for (const QString &folder : plan.folders)
        record.folders.append(
            {folder, made.contains(folder) ? FolderIdentity() : fileSystem.identifyFolder(folder)});
    const RecordPaths paths(record);
    for (const QString &folder : plan.madeFolders)
        record.madeFolders << paths.of(folder);
    for (const QString &folder : plan.removedFolders)
        record.removedFolders << paths.of(folder);
    record.renames = recordedList(fileSystem, record, plan.schedule);
    return record;
}

} // namespace

QStringList foldersAway(FileSystem &fileSystem, const ChangeRecord &record)
{
    // A folder that the change removes was another before undo makes it
    // again: its own folder tells where it is.
    const QSet<QString> removed = record.paths(record.removedFolders);
    QStringList away;
    for (const RecordedFolder &folder : record.folders)
        if (folder.identity.known() && !removed.contains(folder.path)
            && !folder.identity.sameFolder(fileSystem.identifyFolder(folder.path)))
            away << folder.path;
    return away;
}

QStringList othersFolders(FileSystem &fileSystem, const ChangeRecord &record)
{
    QStringList others;
    for (const RecordedFolder &folder : record.folders)
        if (fileSystem.isOthersFolder(folder.path))
            others << folder.path;
    return others;
}

ChangeOutcome applyChange(FileSystem &fileSystem, const ChangePlan &plan, WorkProgress *progress)
{
    if (plan.schedule.renames.isEmpty() && plan.madeFolders.isEmpty())
        return {};
    ChangeJournal journal(fileSystem);
    StoredChange change;
    change.record = recordOf(fileSystem, plan);
    const Outcome recorded = journal.begin(change);
    if (recorded.why == Outcome::Why::ChangeTooLarge) {
        ChangeOutcome refused;
        for (const Rename &rename : plan.schedule.renames)
            refused.at << rename.from;
        refused.refused = true;
        refused.recorded = recorded;
        return refused;
    }
    ChangeOutcome outcome = perform(fileSystem, journal, change, ChangeRecord::List::Renames, plan.schedule,
                                    recorded, progress);
    journal.release(change);
    // A change that moved nothing leaves nothing to undo.
    if (recorded && !changedAnything(outcome, plan.schedule)) {
        journal.remove(change);
        outcome.undoable = false;
    }
    return outcome;
}

ChangeOutcome applyUndo(FileSystem &fileSystem, ChangeJournal &journal, StoredChange &change,
                        const ChangeSchedule &schedule, WorkProgress *progress)
{
    change.record.undo = recordedList(fileSystem, change.record, schedule);
    change.record.state = ChangeRecord::State::Undoing;
    const Outcome recorded = journal.take(change) ? journal.add(change, change.record.undoText())
                                                  : Outcome::failure(Outcome::Why::RecordHeld);
    ChangeOutcome outcome = perform(fileSystem, journal, change, ChangeRecord::List::Undo, schedule, recorded,
                                    progress);
    journal.release(change);
    return outcome;
}

ChangeOutcome mendChange(FileSystem &fileSystem, ChangeJournal &journal, StoredChange &change,
                         ChangeRecord::List which)
{
    const ChangeRecord &record = change.record;
    const QList<RecordedRename> &list = record.list(which);
    using At = RecordedRename::At;
    ChangeSchedule schedule;
    for (qsizetype i = 0; i < list.size(); ++i) {
        schedule.renames.append({record.fromPath(list[i]), record.toPath(list[i]), list[i].identity});
        schedule.temporaries << record.temporaryPath(list[i]);
        // A rename onto its own second name only drops the old name.
        if (list[i].at == At::FromAlsoTo)
            schedule.steps.append({ChangeSchedule::Direct, int(i)});
        if (list[i].at == At::FromAlsoTemporary)
            schedule.steps.append({ChangeSchedule::Park, int(i)});
        if (list[i].at == At::Temporary || list[i].at == At::FromAlsoTemporary)
            schedule.steps.append({ChangeSchedule::Place, int(i)});
    }
    return perform(fileSystem, journal, change, which, schedule, Outcome::success(), nullptr);
}
