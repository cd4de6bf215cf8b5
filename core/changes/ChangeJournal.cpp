#include "core/changes/ChangeJournal.h"

#include "core/base/Paths.h"
#include "core/host/Host.h"

#include <algorithm>
#include <cerrno>

namespace {

const QString Prefix = QStringLiteral("change-");
const QString Suffix = QStringLiteral(".change");
// How many of the oldest records one new change looks at for removal: a
// state folder that filled up with records empties over a few changes, none
// of them slow.
constexpr int PrunedAtOnce = 100;

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

ChangeJournal::ChangeJournal(Host &host) : m_host(host), m_folder(host.StateFolder())
{
}

QString ChangeJournal::pathOf(const QString &file) const
{
    return Paths::join(m_folder, file);
}

QStringList ChangeJournal::files() const
{
    QStringList files;
    if (m_folder.isEmpty())
        return files;
    for (const QString &file : m_host.ListNames(m_folder, Prefix + u'*' + Suffix, EntryKinds::Files))
        files << file;
    std::sort(files.begin(), files.end(),
              [](const QString &a, const QString &b) { return numberOf(a) < numberOf(b); });
    return files;
}

std::optional<StoredChange> ChangeJournal::read(const QString &file, QStringList &notes)
{
    QByteArray text;
    const Outcome readable = m_host.ReadFile(pathOf(file), LargestRecord, text);
    QString whyNot = readable.reason;
    StoredChange change{file, readable ? ChangeRecord::fromText(text, whyNot) : ChangeRecord()};
    if (whyNot.isEmpty())
        return change;
    // Set aside under a name no other record has, so that it is announced once.
    Outcome moved = Outcome::failure(QString());
    QString aside;
    for (int n = 1; !moved && n <= 100; ++n) {
        aside = pathOf(file + QStringLiteral(".unreadable") + (n > 1 ? u'.' + QString::number(n) : QString()));
        moved = m_host.RenameFile(pathOf(file), aside);
        if (moved.error != EEXIST)
            break;
    }
    notes << (moved ? QStringLiteral("The change record %1 was set aside as %2 and will not be used: %3.")
                          .arg(pathOf(file), aside, whyNot)
                    : QStringLiteral("The change record %1 cannot be used (%2), and it could not be "
                                     "set aside: %3.")
                          .arg(pathOf(file), whyNot, moved.reason));
    return std::nullopt;
}

QList<StoredChange> ChangeJournal::load(QStringList &notes)
{
    QList<StoredChange> changes;
    const QStringList all = files();
    for (const QString &file : all.mid(std::max<qsizetype>(0, all.size() - Looked)))
        if (std::optional<StoredChange> change = read(file, notes))
            changes << *change;
    return changes;
}

std::optional<StoredChange> ChangeJournal::latestUndoable(ChangeRecord::Tool tool,
                                                          QStringList &notes)
{
    // Newest first: a record can be large, and the one wanted is mostly the last.
    const QStringList all = files();
    for (qsizetype i = all.size() - 1; i >= std::max<qsizetype>(0, all.size() - Looked); --i) {
        const std::optional<StoredChange> change = read(all[i], notes);
        if (change && change->record.tool == tool
            && change->record.state == ChangeRecord::State::Finished)
            return change;
    }
    return std::nullopt;
}

Outcome ChangeJournal::begin(StoredChange &change)
{
    if (m_folder.isEmpty())
        return Outcome::failure(QStringLiteral("the folder for it could not be made"));
    const QByteArray text = change.record.toText();
    QStringList all = files();
    int next = all.isEmpty() ? 1 : numberOf(all.last()) + 1;
    // Another run of the program may take a number at the same moment: the
    // file is made only where none is, and the next number tried.
    for (int tries = 0;; ++tries, ++next) {
        change.file = fileOf(next);
        const Outcome created = m_host.CreateFile(pathOf(change.file), text);
        if (created)
            break;
        if (created.error != EEXIST || tries == 1000) {
            change.file.clear();
            return created;
        }
    }
    all << change.file;
    prune(all);
    return Outcome::success();
}

void ChangeJournal::prune(const QStringList &files)
{
    QStringList notes;
    for (qsizetype i = 0; i + Kept < files.size() && i < PrunedAtOnce; ++i) {
        // A record that still waits to be mended stays, however old.
        const std::optional<StoredChange> old = read(files.at(i), notes);
        if (old && !old->record.isOpen())
            m_host.RemoveFile(pathOf(files.at(i)));
    }
}

bool ChangeJournal::take(const StoredChange &change)
{
    return !change.file.isEmpty() && m_host.LockFile(pathOf(change.file));
}

void ChangeJournal::release(const StoredChange &change)
{
    if (!change.file.isEmpty())
        m_host.UnlockFile(pathOf(change.file));
}

Outcome ChangeJournal::add(const StoredChange &change, const QByteArray &lines)
{
    if (change.file.isEmpty())
        return Outcome::failure(QStringLiteral("the change has no record"));
    return m_host.AppendToFile(pathOf(change.file), lines);
}

void ChangeJournal::remove(const StoredChange &change)
{
    if (change.file.isEmpty())
        return;
    m_host.UnlockFile(pathOf(change.file));
    m_host.RemoveFile(pathOf(change.file));
}
