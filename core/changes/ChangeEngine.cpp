#include "core/changes/RecordedChange.h"

#include "core/base/NumberText.h"
#include "core/base/Paths.h"
#include "core/host/Host.h"

#include <QHash>
#include <QSet>

namespace {

// How many folders a change holds on to at most; a change of more folders
// (the folderer's undo, a folder each) works in the rest by path.
constexpr int MostPins = 64;
// How many failures a message names one by one.
constexpr int NamedFailures = 5;

// The folders the change's files start from, which it pins while it runs.
QStringList foldersToPin(const ChangeSchedule &schedule)
{
    QStringList folders;
    QSet<QString> seen;
    for (const Rename &rename : schedule.renames) {
        // Mostly the folder of the rename before: no need to make it again.
        const qsizetype cut = rename.from.lastIndexOf(Paths::separator());
        if (!folders.isEmpty() && cut > 0 && QStringView(rename.from).left(cut) == folders.last())
            continue;
        const QString folder = Paths::folderPart(rename.from);
        if (!seen.contains(folder) && folders.size() < MostPins) {
            seen.insert(folder);
            folders << folder;
        }
    }
    return folders;
}

class Performer {
public:
    Performer(Host &host, const ChangeSchedule &schedule, WorkProgress *progress)
        : m_host(host), m_schedule(schedule), m_progress(progress)
    {
        m_outcome.at.reserve(schedule.renames.size());
        for (const Rename &rename : schedule.renames)
            m_outcome.at << rename.from;
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
            if (m_stopping && step.kind != ChangeSchedule::Place) {
                m_outcome.stopped = true;
                continue;
            }
            perform(step);
            if (m_progress)
                m_progress->report(i + 1, total);
        }
        m_outcome.untried = m_untried.size();
        return std::move(m_outcome);
    }

private:
    void perform(const ChangeSchedule::Step &step)
    {
        if (step.kind == ChangeSchedule::MakeFolder) {
            const QString folder = m_schedule.folders.value(step.index);
            if (!m_gone.contains(Paths::folderPart(folder)))
                m_outcome.foldersMade += bool(m_host.MakeFolder(folder));
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
            if (const Outcome renamed = m_host.RenameFile(rename.from, rename.to))
                at = rename.to;
            else
                failed(rename.from, renamed);
            break;
        case ChangeSchedule::Park:
            if (const Outcome parked = m_host.RenameFile(rename.from, temporary)) {
                at = temporary;
                ++m_parked;
            } else {
                failed(rename.from, parked);
            }
            break;
        case ChangeSchedule::Place:
            if (at != temporary)
                break;
            --m_parked;
            if (const Outcome placed = m_host.RenameFile(temporary, rename.to)) {
                at = rename.to;
            } else {
                failed(rename.from, placed);
                // Back to its old name, never to a name it was not meant to have.
                if (m_host.RenameFile(temporary, rename.from))
                    at = rename.from;
            }
            break;
        case ChangeSchedule::Move:
            if (at == rename.to)
                break;
            if (const Outcome moved = m_host.MoveFile(rename.from, rename.to))
                at = rename.to;
            else if (m_triedOnce.contains(step.index))
                failed(rename.from, moved);
            else
                m_triedOnce.insert(step.index); // a later step moves it once more
            break;
        case ChangeSchedule::Trash:
            if (const Outcome trashed = m_host.MoveFile(rename.from, rename.to)) {
                at = rename.to;
            } else {
                failed(rename.from, trashed);
                m_host.ReleaseTrash(rename.to);
            }
            break;
        case ChangeSchedule::MakeFolder:
            break;
        }
    }

    // Notes a failure; where the folder itself is gone (its drive pulled,
    // its share cut off), nothing more is tried in it.
    void failed(const QString &path, const Outcome &why)
    {
        m_outcome.failures.append({path, why.reason});
        const QString folder = Paths::folderPart(path);
        if (m_host.PinnedFolderNow(folder).isEmpty())
            m_gone.insert(folder);
    }

    Host &m_host;
    const ChangeSchedule &m_schedule;
    ChangeOutcome m_outcome;
    QSet<QString> m_gone;
    QSet<int> m_triedOnce;
    QSet<int> m_untried;
    WorkProgress *m_progress;
    int m_parked = 0; // files under a temporary name now
    bool m_stopping = false;
};

bool changedAnything(const ChangeOutcome &outcome, const ChangeSchedule &schedule)
{
    if (outcome.foldersMade > 0)
        return true;
    for (qsizetype i = 0; i < outcome.at.size(); ++i)
        if (outcome.at[i] != schedule.renames[i].from)
            return true;
    return false;
}

// The record's lines for where its pinned folders are now, when they moved;
// sentences for the user about those that moved or went.
QByteArray followFolders(Host &host, ChangeRecord &record, const QStringList &pinned,
                         QStringList &notes)
{
    QByteArray lines;
    for (const QString &folder : pinned) {
        const QString now = host.PinnedFolderNow(folder);
        host.UnpinFolder(folder);
        if (now == folder)
            continue;
        if (now.isEmpty()) {
            notes << QStringLiteral("%1 went away during the change: its drive was taken away, or "
                                    "it was removed.")
                         .arg(folder);
            continue;
        }
        notes << QStringLiteral("%1 was moved to %2 during the change; the names were changed there.")
                     .arg(folder, now);
        const int number = int(record.folders.indexOf(folder));
        if (number >= 0) {
            lines += record.movedText(number, now);
            record.relocate(number, now);
        }
    }
    return lines;
}

} // namespace

ChangeOutcome applyChange(Host &host, ChangeJournal &journal, StoredChange &change,
                          ChangeRecord::List which, const ChangeSchedule &schedule,
                          WorkProgress *progress)
{
    const bool undo = which == ChangeRecord::List::Undo;
    QList<RecordedRename> &files = change.record.list(which);
    files.clear();
    files.reserve(schedule.renames.size());
    for (qsizetype i = 0; i < schedule.renames.size(); ++i) {
        const Rename &rename = schedule.renames[i];
        files.append({rename.from, rename.to, schedule.temporaries[i], {},
                      rename.identity.known() ? rename.identity : host.Identify(rename.from)});
    }
    Outcome recorded = Outcome::success();
    if (undo) {
        change.record.state = ChangeRecord::State::Undoing;
        recorded = journal.take(change) ? journal.add(change, change.record.undoText())
                                        : Outcome::failure(QStringLiteral("another run of the program holds it"));
    } else {
        change.record.state = ChangeRecord::State::Running;
        recorded = journal.begin(change);
    }

    const QStringList pinned = foldersToPin(schedule);
    for (const QString &folder : pinned)
        host.PinFolder(folder);
    ChangeOutcome outcome = Performer(host, schedule, progress).run();
    for (qsizetype i = 0; i < files.size(); ++i) {
        files[i].at = outcome.at[i];
        outcome.reached += files[i].at == files[i].to;
        if (files[i].at != files[i].from && files[i].at != files[i].to)
            ++outcome.stranded;
    }
    // The record follows a folder that was moved, with where its files stand.
    QByteArray lines = followFolders(host, change.record, pinned, outcome.folderNotes);
    if (!undo) {
        change.record.state = outcome.stranded ? ChangeRecord::State::NeedsMending
                                               : ChangeRecord::State::Finished;
        lines += change.record.positionsText({which});
    } else {
        // Every file put back is at its old name again in the change itself.
        QHash<QString, qsizetype> byNewPath;
        for (qsizetype i = 0; i < change.record.renames.size(); ++i)
            byNewPath.insert(change.record.renames[i].to, i);
        bool failed = false;
        for (const RecordedRename &back : files) {
            failed |= back.at == back.from;
            if (back.at == back.to)
                if (const qsizetype i = byNewPath.value(back.from, -1); i >= 0)
                    change.record.renames[i].at = change.record.renames[i].from;
        }
        change.record.state = outcome.stranded ? ChangeRecord::State::UndoNeedsMending
            : failed                           ? ChangeRecord::State::Finished
                                               : ChangeRecord::State::Undone;
        lines += change.record.positionsText({which, ChangeRecord::List::Renames});
    }
    if (recorded) {
        const Outcome completed = journal.add(change, lines);
        if (!completed)
            outcome.unrecorded = QStringLiteral("its end could not be added to its record: %1")
                                     .arg(completed.reason);
    } else {
        outcome.unrecorded = recorded.reason;
    }
    journal.release(change);
    if (recorded && !undo && !changedAnything(outcome, schedule))
        journal.remove(change);
    return outcome;
}

QString changeReport(const ChangeOutcome &outcome, const char *one, const char *many)
{
    QStringList parts;
    if (outcome.stopped)
        parts << QStringLiteral("Stopped: %1 of %2 changed. Ctrl+Z puts them back.")
                     .arg(numberText(outcome.reached), countText(outcome.at.size(), one, many));
    if (!outcome.failures.isEmpty()) {
        QStringList lines;
        for (const ChangeOutcome::Failure &failure : outcome.failures.mid(0, NamedFailures))
            lines << QStringLiteral("%1: %2").arg(failure.path, failure.reason);
        if (outcome.failures.size() > NamedFailures)
            lines << QStringLiteral("and %1 more").arg(numberText(outcome.failures.size() - NamedFailures));
        parts << QStringLiteral("%1 of %2 could not be changed:\n%3")
                     .arg(numberText(outcome.failures.size()),
                          countText(outcome.at.size(), one, many), lines.join(u'\n'));
    }
    if (outcome.stranded > 0)
        parts << QStringLiteral("%1 under a temporary name. Ctrl+Z, or the next start of the "
                                "program, will put %2 where %3.")
                     .arg(outcome.stranded == 1 ? QStringLiteral("1 file waits")
                                                : QStringLiteral("%1 files wait").arg(numberText(outcome.stranded)),
                          QLatin1String(outcome.stranded == 1 ? "it" : "them"),
                          QLatin1String(outcome.stranded == 1 ? "it belongs" : "they belong"));
    else if (!outcome.failures.isEmpty())
        parts << QStringLiteral("They keep their names; Ctrl+Z puts back the others.");
    if (outcome.untried > 0)
        parts << (outcome.untried == 1
                      ? QStringLiteral("1 more was left as it was: its folder went away.")
                      : QStringLiteral("%1 more were left as they were: their folder went away.")
                            .arg(numberText(outcome.untried)));
    parts << outcome.folderNotes;
    if (!outcome.unrecorded.isEmpty())
        parts << cannotUndoMessage(outcome.unrecorded);
    return parts.join(QStringLiteral("\n\n"));
}

QString cannotUndoMessage(const QString &why)
{
    return QStringLiteral("This change cannot be undone: its record could not be written (%1).")
        .arg(why);
}
