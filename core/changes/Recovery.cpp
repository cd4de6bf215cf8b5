// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/changes/Recovery.h"

#include "core/base/Paths.h"
#include "core/base/TemporaryName.h"
#include "core/changes/ChangeEngine.h"
#include "core/changes/FolderCache.h"
#include "core/host/FileSystem.h"

#include <QHash>
#include <QSet>

namespace {

using At = RecordedRename::At;

bool isUndoing(const ChangeRecord &record)
{
    return record.state == ChangeRecord::State::Undoing
           || record.state == ChangeRecord::State::UndoNeedsMending;
}

ChangeRecord::List listToMend(const ChangeRecord &record)
{
    return isUndoing(record) ? ChangeRecord::List::Undo : ChangeRecord::List::Renames;
}

// Finds where each file of the list stands now, from what the folders hold,
// and returns the paths of the files that stand at none of their old, new
// and temporary names.
class Positions {
public:
    Positions(FileSystem &fileSystem, FolderCache &names, ChangeRecord &record)
        : m_fileSystem(fileSystem)
        , m_names(names)
        , m_record(record)
        , m_renames(record.list(listToMend(record)))
    {}

    QStringList locate()
    {
        findParked();
        takeStray();
        findByIdentity();
        findByNames();
        findSecondNames();
        QStringList nowhere;
        for (RecordedRename &r : m_renames) {
            if (r.at != At::Unknown)
                continue;
            // Both names held by files that a record without identities
            // cannot tell apart: the file is taken to be where it was.
            if (!r.identity.known() && m_names.holds(m_record.fromPath(r))
                && m_names.holds(m_record.toPath(r)))
                r.at = At::From;
            else
                nowhere << m_record.fromPath(r);
        }
        return nowhere;
    }

private:
    // Whether the file at path is the one the rename moves, as far as the
    // record can tell.
    bool isTheFile(const RecordedRename &r, const QString &path)
    {
        return m_names.holds(path) && r.identity.matches(m_names.identityAt(path));
    }

    // Files under the temporary name their rename recorded, known by their
    // identity as every other file is; a file the record saw parked that is
    // no longer there is looked for anew.
    void findParked()
    {
        for (RecordedRename &r : m_renames) {
            if (r.at != At::Unknown && r.at != At::Temporary)
                continue;
            const QString temporary = m_record.temporaryPath(r);
            r.at = !temporary.isEmpty() && isTheFile(r, temporary) ? At::Temporary : At::Unknown;
        }
    }

    // A file that an earlier version of the program parked itself for a
    // change of letter case: when one file of the change is missing and
    // one temporary name is not the change's, and holds that very file (a
    // record without identities cannot tell, and waits), it is that file.
    void takeStray()
    {
        QSet<QString> recorded;
        for (const RecordedRename &r : std::as_const(m_renames))
            recorded.insert(m_record.temporaryPath(r));
        QList<RecordPath> strays;
        for (int folder = 0; folder < m_record.folders.size(); ++folder) {
            const FolderModel &model = m_names.folder(m_record.folders[folder].path);
            for (int entry = 0; entry < model.count(); ++entry)
                if (isTemporaryName(model.name(entry))
                    && !recorded.contains(m_record.path({folder, model.name(entry)})))
                    strays.append({folder, model.name(entry)});
        }
        RecordedRename *missing = nullptr;
        int missingCount = 0;
        for (RecordedRename &r : m_renames) {
            if (r.at == At::Unknown && !m_names.holds(m_record.fromPath(r))
                && !m_names.holds(m_record.toPath(r))) {
                missing = &r;
                ++missingCount;
            }
        }
        if (strays.size() == 1 && missingCount == 1 && strays.first().folder == missing->from.folder
            && missing->identity.known() && isTheFile(*missing, m_record.path(strays.first()))) {
            missing->temporary = strays.first().name;
            missing->at = At::Temporary;
        }
    }

    // The file the record names is at its new name or its old one.
    void findByIdentity()
    {
        for (RecordedRename &r : m_renames) {
            if (r.at != At::Unknown || !r.identity.known())
                continue;
            const QString to = m_record.toPath(r), from = m_record.fromPath(r);
            if (isTheFile(r, to))
                r.at = At::To;
            else if (isTheFile(r, from))
                r.at = At::From;
        }
    }

    // A move by hard link cut off between its link and its unlink leaves one
    // file under its old name and its new or temporary one: it is one file,
    // whose move is to be finished.
    void findSecondNames()
    {
        for (RecordedRename &r : m_renames) {
            const QString from = m_record.fromPath(r);
            const QString other = r.at == At::To          ? m_record.toPath(r)
                                  : r.at == At::Temporary ? m_record.temporaryPath(r)
                                                          : QString();
            // The listings tell two files apart cheaply; the volume tells one file.
            if (!other.isEmpty() && m_names.holds(from)
                && m_names.identityAt(from).matches(m_names.identityAt(other))
                && m_fileSystem.isSecondName(from, other))
                r.at = r.at == At::To ? At::FromAlsoTo : At::FromAlsoTemporary;
        }
    }

    // Without identities (records of an earlier version), a rename whose old
    // and new names are both taken was made when the file that came to its
    // old name was renamed; at most one rename of a change goes to each name.
    void findByNames()
    {
        QHash<QString, qsizetype> comingTo;
        for (qsizetype i = 0; i < m_renames.size(); ++i)
            comingTo.insert(m_record.toPath(m_renames[i]), i);
        for (bool settled = false; !settled;) {
            settled = true;
            for (RecordedRename &r : m_renames) {
                if (r.at != At::Unknown || r.identity.known())
                    continue;
                const bool atNew = m_names.holds(m_record.toPath(r));
                const bool atOld = m_names.holds(m_record.fromPath(r));
                if (!atNew && !atOld)
                    continue;
                if (atNew && atOld) {
                    const qsizetype refill = comingTo.value(m_record.fromPath(r), -1);
                    if (refill < 0 || m_renames[refill].at != At::To)
                        continue; // not known yet, perhaps after another round
                }
                r.at = atNew ? At::To : At::From;
                settled = false;
            }
        }
    }

    FileSystem &m_fileSystem;
    FolderCache &m_names;
    ChangeRecord &m_record;
    QList<RecordedRename> &m_renames;
};

// What the change waits for, untouched, with where its files stand worked
// out in record; nothing when it can be mended now.
std::optional<Waiting> waitsFor(FileSystem &fileSystem, FolderCache &names, ChangeRecord &record)
{
    if (const QStringList away = foldersAway(fileSystem, record); !away.isEmpty())
        return Waiting::forFolders(Waiting::Kind::FoldersAway, away);
    if (const QStringList others = othersFolders(fileSystem, record); !others.isEmpty())
        return Waiting::forFolders(Waiting::Kind::NotOwn, others);
    // Its folders must be read, but for those it was to make, which may
    // never have been made, and those it was to remove once emptied.
    const QSet<QString> madeOrRemoved = record.paths(record.madeFolders + record.removedFolders);
    for (const RecordedFolder &folder : record.folders)
        if (!madeOrRemoved.contains(folder.path))
            names.folder(folder.path);
    if (!names.unreadable().isEmpty())
        return Waiting::forFolders(Waiting::Kind::Unreadable, names.unreadable());
    const QStringList nowhere = Positions(fileSystem, names, record).locate();
    if (!nowhere.isEmpty())
        return Waiting::forFiles(nowhere);
    return std::nullopt;
}

// What is told of a mended change: where its files stand, and each that
// stood under a temporary name (by its place in the list) and where it went.
MendReport mendedReport(const ChangeRecord &record, const ChangeOutcome &outcome,
                        const QList<qsizetype> &parked, bool interrupted)
{
    const ChangeRecord::List which = listToMend(record);
    const QList<RecordedRename> &list = record.list(which);
    MendReport report;
    report.action = record.action;
    report.where = record.folders.value(0).path;
    report.interrupted = interrupted;
    report.undoing = which == ChangeRecord::List::Undo;
    report.outcome = outcome;
    for (const qsizetype i : parked)
        report.parked.append(
            {record.temporaryPath(list[i]), list[i].at == At::Temporary ? QString() : outcome.at[i]});
    return report;
}

// Mends one open change whose lock is held; nothing to tell when it was
// mended without a word, or waits and was told of before.
std::optional<MendReport> mend(FileSystem &fileSystem, ChangeJournal &journal, StoredChange &change,
                               bool quietAboutWaiting)
{
    ChangeRecord &record = change.record;
    const bool interrupted = record.state == ChangeRecord::State::Running
                             || record.state == ChangeRecord::State::Undoing;
    FolderCache names(fileSystem);
    if (const std::optional<Waiting> waiting = waitsFor(fileSystem, names, record)) {
        if (quietAboutWaiting || record.toldWaiting)
            return std::nullopt;
        journal.add(change, ChangeRecord::toldText());
        MendReport report;
        report.kind = MendReport::Kind::Waits;
        report.action = record.action;
        report.where = record.folders.value(0).path;
        report.waiting = *waiting;
        return report;
    }
    const ChangeRecord::List which = listToMend(record);
    QList<qsizetype> parked;
    for (qsizetype i = 0; i < record.list(which).size(); ++i)
        if (record.list(which)[i].at == At::Temporary || record.list(which)[i].at == At::FromAlsoTemporary)
            parked << i;
    const ChangeOutcome outcome = mendChange(fileSystem, journal, change, which);
    // A note in the trash whose file never came there, or left it again, goes.
    if (record.intoTrash)
        for (const RecordedRename &r : std::as_const(record.renames))
            fileSystem.releaseTrash(isUndoing(record) ? record.fromPath(r) : record.toPath(r));
    if (parked.isEmpty() && outcome.recorded)
        return std::nullopt;
    return mendedReport(record, outcome, parked, interrupted);
}

} // namespace

std::optional<Waiting> whyChangeWaits(FileSystem &fileSystem, const ChangeRecord &record)
{
    FolderCache names(fileSystem);
    ChangeRecord located = record;
    return waitsFor(fileSystem, names, located);
}

RecoveryReport recoverOpenChanges(FileSystem &fileSystem, bool quietAboutWaiting)
{
    ChangeJournal journal(fileSystem);
    RecoveryReport report;
    report.stateRefused = journal.refused();
    for (StoredChange &change : journal.summaries(report.notes)) {
        if (!change.record.isOpen())
            continue;
        if (!journal.take(change)) {
            MendReport held;
            held.kind = MendReport::Kind::HeldByOther;
            held.action = change.record.action;
            report.changes << held;
            continue;
        }
        if (journal.readWhole(change, report.notes) == ChangeJournal::Reading::Whole)
            if (std::optional<MendReport> mended = mend(fileSystem, journal, change, quietAboutWaiting))
                report.changes << *mended;
        journal.release(change);
    }
    return report;
}
