#include "core/changes/Recovery.h"

#include "core/base/NumberText.h"
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

// "The clean-up batch", at the head of a sentence.
QString headOfSentence(const QString &what)
{
    return what.left(1).toUpper() + what.mid(1);
}

// Finds where each file of the list stands now, from what the folders hold,
// and returns the paths of the files that stand at none of their old, new
// and temporary names.
class Positions {
public:
    Positions(FolderCache &names, ChangeRecord &record)
        : m_names(names), m_record(record), m_renames(record.list(listToMend(record)))
    {
    }

    QStringList locate()
    {
        findParked();
        takeStray();
        findByIdentity();
        findByNames();
        QStringList nowhere;
        for (RecordedRename &r : m_renames) {
            if (r.at != At::Unknown)
                continue;
            if (m_names.holds(m_record.fromPath(r)) || m_names.holds(m_record.toPath(r)))
                r.at = At::From; // both names held, by files the record cannot tell apart
            else
                nowhere << m_record.fromPath(r);
        }
        return nowhere;
    }

private:
    // Files under the temporary name their rename recorded; a file the
    // record saw parked that is no longer there is looked for anew.
    void findParked()
    {
        for (RecordedRename &r : m_renames) {
            if (r.at != At::Unknown && r.at != At::Temporary)
                continue;
            const QString temporary = m_record.temporaryPath(r);
            r.at = !temporary.isEmpty() && m_names.holds(temporary) ? At::Temporary : At::Unknown;
        }
    }

    // A file that an earlier version of the program parked itself for a
    // change of letter case: when one file of the change is missing and
    // one temporary name is not the change's, it is that file.
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
        if (strays.size() == 1 && missingCount == 1 && strays.first().folder == missing->from.folder) {
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
            if (m_names.holds(to) && r.identity.matches(m_names.identityAt(to)))
                r.at = At::To;
            else if (m_names.holds(from) && r.identity.matches(m_names.identityAt(from)))
                r.at = At::From;
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

    FolderCache &m_names;
    ChangeRecord &m_record;
    QList<RecordedRename> &m_renames;
};

// Why the change waits, untouched, with where its files stand worked out in
// record; empty when it can be mended now.
QString waitsFor(FileSystem &fileSystem, FolderCache &names, ChangeRecord &record)
{
    if (const QStringList away = foldersAway(fileSystem, record); !away.isEmpty())
        return QStringLiteral("%1 is not there now, or another folder or drive has taken its place")
            .arg(away.join(QStringLiteral(", ")));
    // Its folders must be read, but for those it was to make, which may
    // never have been made.
    QSet<QString> made;
    for (const RecordPath &folder : record.madeFolders)
        made.insert(record.path(folder));
    for (const RecordedFolder &folder : record.folders)
        if (!made.contains(folder.path))
            names.folder(folder.path);
    const QStringList unreadable = names.unreadable();
    if (!unreadable.isEmpty())
        return QStringLiteral("%1 cannot be read now").arg(unreadable.join(QStringLiteral(", ")));
    const QStringList nowhere = Positions(names, record).locate();
    if (nowhere.size() == 1)
        return QStringLiteral("%1 is at none of its names (old, new or temporary)").arg(nowhere.first());
    if (!nowhere.isEmpty())
        return QStringLiteral("%1 of its files, %2 among them, are at none of their names (old, "
                              "new or temporary)")
            .arg(numberText(nowhere.size()), nowhere.first());
    return {};
}

// What recovery has to say about one change, and whether it waits.
struct Mended {
    QString message; // empty when there is nothing to tell
    bool waits = false;
};

// What the user is told of the files of the list that stood under a
// temporary name (by their places in it) and where they went.
QString mendedMessage(const ChangeRecord &record, const ChangeOutcome &outcome,
                      const QList<qsizetype> &parked, bool interrupted)
{
    const ChangeRecord::List which = listToMend(record);
    const QList<RecordedRename> &list = record.list(which);
    QStringList lines;
    for (const qsizetype i : parked) {
        const QString temporary = record.temporaryPath(list[i]);
        lines << (list[i].at == At::Temporary
                      ? QStringLiteral("%1 could not be moved: it stays under a temporary name").arg(temporary)
                      : QStringLiteral("%1 put in place as %2").arg(temporary, outcome.at[i]));
    }
    qsizetype made = 0;
    for (const RecordedRename &r : list)
        made += r.at == At::To;
    const bool undoing = which == ChangeRecord::List::Undo;
    QString message = undoing
        ? QStringLiteral("The program was stopped while it undid %1 in %2; %3 of %4 names had been put back.")
        : interrupted
        ? QStringLiteral("The program was stopped in the middle of %1 in %2; %3 of %4 names had been changed.")
        : QStringLiteral("%1 in %2 had left files under a temporary name; %3 of %4 names are changed.");
    message = message.arg(interrupted || undoing ? record.what : headOfSentence(record.what),
                          record.folders.value(0).path, numberText(made), numberText(list.size()));
    message += QStringLiteral("\nFiles that stood under a temporary name:\n") + lines.join(u'\n');
    if (!undoing && outcome.stranded.isEmpty())
        message += QStringLiteral("\nCtrl+Z puts back what it changed.");
    return message;
}

// Mends one open change whose lock is held.
Mended mend(FileSystem &fileSystem, ChangeJournal &journal, StoredChange &change, bool quietAboutWaiting)
{
    ChangeRecord &record = change.record;
    const bool interrupted = record.state == ChangeRecord::State::Running
        || record.state == ChangeRecord::State::Undoing;
    FolderCache names(fileSystem);
    if (const QString why = waitsFor(fileSystem, names, record); !why.isEmpty()) {
        if (quietAboutWaiting || record.toldWaiting)
            return {{}, true};
        journal.add(change, ChangeRecord::toldText());
        return {QStringLiteral("%1 in %2 waits: %3. It will be mended once that is back; until "
                               "then nothing of it is touched.")
                    .arg(headOfSentence(record.what), record.folders.value(0).path, why),
                true};
    }
    const ChangeRecord::List which = listToMend(record);
    QList<qsizetype> parked;
    for (qsizetype i = 0; i < record.list(which).size(); ++i)
        if (record.list(which)[i].at == At::Temporary)
            parked << i;
    const ChangeOutcome outcome = mendChange(fileSystem, journal, change, which);
    // A note in the trash whose file never came there, or left it again, goes.
    if (record.intoTrash)
        for (const RecordedRename &r : std::as_const(record.renames))
            fileSystem.releaseTrash(isUndoing(record) ? record.fromPath(r) : record.toPath(r));

    // A change whose record only missed its end, with no file off its
    // names, is mended without a word.
    QString message;
    if (!parked.isEmpty())
        message = mendedMessage(record, outcome, parked, interrupted);
    if (!outcome.unrecorded.isEmpty())
        message += QStringLiteral("%1What was mended could not be recorded (%2).")
                       .arg(message.isEmpty() ? QString() : QStringLiteral("\n"), outcome.unrecorded);
    return {message, !outcome.stranded.isEmpty()};
}

} // namespace

QString whyChangeWaits(FileSystem &fileSystem, const ChangeRecord &record)
{
    FolderCache names(fileSystem);
    ChangeRecord located = record;
    return waitsFor(fileSystem, names, located);
}

QString recoverOpenChanges(FileSystem &fileSystem, bool quietAboutWaiting)
{
    ChangeJournal journal(fileSystem);
    QStringList notes;
    QStringList messages;
    for (StoredChange &change : journal.summaries(notes)) {
        if (!change.record.isOpen())
            continue;
        if (!journal.take(change)) {
            messages << QStringLiteral("%1 is being made by another run of the program; it was left to it.")
                            .arg(headOfSentence(change.record.what));
            continue;
        }
        if (journal.readWhole(change, notes) == ChangeJournal::Reading::Whole) {
            const Mended mended = mend(fileSystem, journal, change, quietAboutWaiting);
            if (!mended.message.isEmpty())
                messages << mended.message;
        }
        journal.release(change);
    }
    messages = notes + messages;
    // A state folder full of records gives a message that still fits on a screen.
    constexpr qsizetype Told = 10;
    if (messages.size() > Told) {
        const qsizetype more = messages.size() - Told;
        messages.resize(Told);
        messages << QStringLiteral("And %1 more %2.")
                        .arg(numberText(more), QLatin1String(more == 1 ? "change" : "changes"));
    }
    return messages.join(QStringLiteral("\n\n"));
}
