// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/changes/ChangeJournal.h"

#include "core/base/FolderRows.h"
#include "core/base/Paths.h"
#include "core/host/FileSystem.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>

namespace {

const QString Prefix = QStringLiteral("change-");
const QString Suffix = QStringLiteral(".change");
// How many of the oldest records one new change looks at for removal: a
// state folder that filled up with records empties over a few changes, none
// of them slow.
constexpr int PrunedAtOnce = 100;
// How much of a record's head a summary reads.
constexpr qint64 SummaryBytes = 16 * 1024;
// How much of a record's end a summary reads to find its state: the last
// state line lies within it, unless an undo's list or the positions of many
// files were added after it, and then the record is read whole.
constexpr qint64 TailBytes = 64 * 1024;
// How much a record may grow after it is first written, at most, for each
// byte it starts with: the positions of its files, an undo list as long as
// its own, the undo's positions, and its own again.
constexpr int Growth = 4;

// The number in a record's file name: change-000042.change.
int numberOf(const QString &file)
{
    return file.mid(Prefix.size(), file.size() - Prefix.size() - Suffix.size()).toInt();
}

QString fileOf(int number)
{
    return Prefix + QStringLiteral("%1").arg(number, 6, 10, QLatin1Char('0')) + Suffix;
}

} // namespace

ChangeJournal::ChangeJournal(FileSystem &fileSystem)
    : m_fileSystem(fileSystem)
    , m_folder(fileSystem.stateFolder(&m_refused))
{}

QString ChangeJournal::defaultFolder()
{
    const QByteArray state = qgetenv("XDG_STATE_HOME");
    const QString base = state.startsWith('/') ? QFile::decodeName(state)
                                               : QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::toNativeSeparators(base + QStringLiteral("/tamsells-file-utilities"));
}

QString ChangeJournal::pathOf(const QString &file) const
{
    return Paths::join(m_folder, file);
}

QStringList ChangeJournal::files() const
{
    if (m_folder.isEmpty())
        return {};
    QStringList files = folderRows(m_fileSystem.listFolder(m_folder), Wildcard(Prefix + u'*' + Suffix),
                                   EntryKinds::Files);
    std::sort(files.begin(), files.end(),
              [](const QString &a, const QString &b) { return numberOf(a) < numberOf(b); });
    return files;
}

void ChangeJournal::setAside(const QString &file, const RecordFault &fault, QList<JournalNote> &notes)
{
    // Under a name no other record has, so that it is announced once.
    Outcome moved = Outcome::failure(Outcome::Why::Other);
    QString aside;
    for (int n = 1; !moved && n <= 100; ++n) {
        aside = pathOf(file + QStringLiteral(".unreadable")
                       + (n > 1 ? u'.' + QString::number(n) : QString()));
        moved = m_fileSystem.rename(pathOf(file), aside);
        if (moved.error != EEXIST)
            break;
    }
    notes.append({moved ? JournalNote::Kind::SetAside : JournalNote::Kind::NotSetAside, pathOf(file), aside,
                  fault, moved});
}

bool ChangeJournal::stateInTail(QByteArrayView tail, bool whole, ChangeRecord &record, RecordFault &fault)
{
    // A last line without its line break is an addition that a stop cut
    // short, never longer than a line.
    const qsizetype lastBreak = tail.lastIndexOf('\n');
    if (tail.size() - (lastBreak + 1) > ChangeRecord::LongestLine) {
        fault = {RecordFault::Kind::BadEnd};
        return false;
    }
    // The last state line counts, and the user was told that the change
    // waits when a told line follows it. Each line is looked at once,
    // newest first; the tail's first line may begin before it.
    bool told = false;
    for (qsizetype end = lastBreak; end > 0;) {
        const qsizetype start = tail.lastIndexOf('\n', end - 1) + 1;
        if (start == 0 && !whole)
            break;
        const QByteArrayView line = tail.sliced(start, end - start);
        told |= line == "told\twaiting";
        if (ChangeRecord::stateFromLine(line, record.state)) {
            record.toldWaiting = told;
            return true;
        }
        end = start - 1;
    }
    return false;
}

std::optional<StoredChange> ChangeJournal::summary(const QString &file, QList<JournalNote> &notes)
{
    const QString path = pathOf(file);
    QByteArray head, tail;
    StoredChange change{file, {}, 0, false};
    Outcome read = m_fileSystem.readFileRange(path, 0, SummaryBytes, head, change.size);
    RecordFault fault;
    if (read && change.size > LargestRecord)
        fault = {RecordFault::Kind::TooLarge, 0, LargestRecord >> 20};
    else if (read)
        change.record = ChangeRecord::headFromText(head, fault);
    const bool whole = change.size <= SummaryBytes;
    qint64 size = 0;
    if (read && !fault && !whole)
        read = m_fileSystem.readFileRange(path, std::max<qint64>(0, change.size - TailBytes), TailBytes, tail,
                                          size);
    if (!read) {
        notes.append({JournalNote::Kind::NotReadNow, path, {}, {}, read});
        return std::nullopt;
    }
    if (!fault && !stateInTail(whole ? head : tail, whole, change.record, fault) && !fault) {
        if (whole)
            fault = {RecordFault::Kind::PartMissing};
        else if (readWhole(change, notes) != Reading::Whole)
            return std::nullopt;
    }
    if (fault) {
        setAside(file, fault, notes);
        return std::nullopt;
    }
    return change;
}

ChangeJournal::Reading ChangeJournal::readWhole(StoredChange &change, QList<JournalNote> &notes)
{
    if (change.whole)
        return Reading::Whole;
    QByteArray text;
    const Outcome read = m_fileSystem.readFile(pathOf(change.file), LargestRecord, text);
    if (!read) {
        notes.append({JournalNote::Kind::NotReadNow, pathOf(change.file), {}, {}, read});
        return Reading::NotNow;
    }
    RecordFault fault;
    ChangeRecord record = ChangeRecord::fromText(text, fault);
    if (fault) {
        setAside(change.file, fault, notes);
        return Reading::SetAside;
    }
    change.record = std::move(record);
    change.size = text.size();
    change.whole = true;
    return Reading::Whole;
}

QList<StoredChange> ChangeJournal::summaries(QList<JournalNote> &notes)
{
    QList<StoredChange> changes;
    const QStringList all = files();
    for (const QString &file : all.mid(std::max<qsizetype>(0, all.size() - RecordsLookedAt)))
        if (std::optional<StoredChange> change = summary(file, notes))
            changes << *change;
    return changes;
}

std::optional<StoredChange> ChangeJournal::latestUndoable(ChangeRecord::Tool tool, QList<JournalNote> &notes)
{
    // Newest first: the one wanted is mostly the last.
    const QStringList all = files();
    for (qsizetype i = all.size() - 1; i >= std::max<qsizetype>(0, all.size() - RecordsLookedAt); --i) {
        std::optional<StoredChange> change = summary(all[i], notes);
        if (change && change->record.tool() == tool && change->record.state == ChangeRecord::State::Finished
            && readWhole(*change, notes) == Reading::Whole)
            return change;
    }
    return std::nullopt;
}

Outcome ChangeJournal::begin(StoredChange &change)
{
    if (m_folder.isEmpty())
        return m_refused;
    const QByteArray text = change.record.toText();
    if (text.size() > LargestRecord / Growth)
        return Outcome::failure(Outcome::Why::ChangeTooLarge, {}, LargestRecord >> 20);
    QStringList all = files();
    int next = all.isEmpty() ? 1 : numberOf(all.last()) + 1;
    // Another run of the program may take a number at the same moment: the
    // file is made only where none is, and the next number tried.
    for (int tries = 0;; ++tries, ++next) {
        change.file = fileOf(next);
        const Outcome created = m_fileSystem.createFile(pathOf(change.file), text);
        if (created)
            break;
        if (created.error != EEXIST || tries == 1000) {
            change.file.clear();
            return created;
        }
    }
    change.size = text.size();
    change.whole = true;
    all << change.file;
    prune(all);
    return Outcome::success();
}

void ChangeJournal::prune(const QStringList &files)
{
    QList<JournalNote> notes;
    for (qsizetype i = 0; i + ChangesKept < files.size() && i < PrunedAtOnce; ++i) {
        // A record that still waits to be mended stays, however old.
        const std::optional<StoredChange> old = summary(files.at(i), notes);
        if (old && !old->record.isOpen())
            m_fileSystem.removeFile(pathOf(files.at(i)));
    }
}

bool ChangeJournal::take(const StoredChange &change)
{
    return !change.file.isEmpty() && m_fileSystem.lockFile(pathOf(change.file));
}

void ChangeJournal::release(const StoredChange &change)
{
    if (!change.file.isEmpty())
        m_fileSystem.unlockFile(pathOf(change.file));
}

Outcome ChangeJournal::add(StoredChange &change, const QByteArray &lines)
{
    if (change.file.isEmpty())
        return Outcome::failure(Outcome::Why::NoRecord);
    if (change.size + lines.size() > LargestRecord)
        return Outcome::failure(Outcome::Why::RecordFull, {}, LargestRecord >> 20);
    const Outcome added = m_fileSystem.appendToFile(pathOf(change.file), lines);
    if (added)
        change.size += lines.size();
    return added;
}

void ChangeJournal::remove(const StoredChange &change)
{
    if (change.file.isEmpty())
        return;
    m_fileSystem.unlockFile(pathOf(change.file));
    m_fileSystem.removeFile(pathOf(change.file));
}
