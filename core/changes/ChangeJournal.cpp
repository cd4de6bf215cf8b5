#include "core/changes/ChangeJournal.h"

#include "core/host/Host.h"
#include "core/base/Paths.h"

#include <algorithm>

namespace {

const QString Prefix = QStringLiteral("change-");
const QString Suffix = QStringLiteral(".change");

// The number in a record's file name: change-000042.change.
int numberOf(const QString &file)
{
    return file.mid(Prefix.size(), file.size() - Prefix.size() - Suffix.size()).toInt();
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
    for (QString file = m_host.ListFolder(pathOf(Prefix + u'*' + Suffix), ListMask::Files);
         !file.isEmpty(); file = m_host.ListFolder())
        files << file;
    std::sort(files.begin(), files.end(),
              [](const QString &a, const QString &b) { return numberOf(a) < numberOf(b); });
    return files;
}

std::optional<StoredChange> ChangeJournal::read(const QString &file, QStringList &setAside)
{
    const std::optional<QByteArray> text = m_host.ReadFile(pathOf(file));
    QString whyNot = QStringLiteral("it could not be read");
    StoredChange change{file, text ? ChangeRecord::fromText(*text, whyNot) : ChangeRecord()};
    if (whyNot.isEmpty())
        return change;
    const QString aside = pathOf(file + QStringLiteral(".unreadable"));
    m_host.RenameFile(pathOf(file), aside);
    setAside << QStringLiteral("The change record %1 was set aside as %2 and will not be used: %3.")
                    .arg(pathOf(file), aside, whyNot);
    return std::nullopt;
}

QList<StoredChange> ChangeJournal::load(QStringList &setAside)
{
    QList<StoredChange> changes;
    for (const QString &file : files())
        if (std::optional<StoredChange> change = read(file, setAside))
            changes << *change;
    return changes;
}

std::optional<StoredChange> ChangeJournal::latestUndoable(ChangeRecord::Tool tool,
                                                      QStringList &setAside)
{
    // Newest first: a record can be large, and the one wanted is mostly the last.
    const QStringList all = files();
    for (auto file = all.crbegin(); file != all.crend(); ++file) {
        const std::optional<StoredChange> change = read(*file, setAside);
        if (change && change->record.tool == tool
            && change->record.state == ChangeRecord::State::Finished)
            return change;
    }
    return std::nullopt;
}

bool ChangeJournal::save(StoredChange &change, QString &whyNot)
{
    if (m_folder.isEmpty()) {
        whyNot = QStringLiteral("the folder for it could not be made");
        return false;
    }
    QStringList files;
    if (change.file.isEmpty()) {
        files = this->files();
        const int next = files.isEmpty() ? 1 : numberOf(files.last()) + 1;
        change.file = Prefix + QStringLiteral("%1").arg(next, 6, 10, QLatin1Char('0')) + Suffix;
    }
    const Outcome written = m_host.WriteFileSafely(pathOf(change.file), change.record.toText());
    if (!written) {
        whyNot = written.reason;
        change.file.clear();
        return false;
    }
    // The new record makes one more: the oldest beyond those kept go.
    for (qsizetype i = 0; i + Kept < files.size() + 1; ++i)
        m_host.RemoveFile(pathOf(files.at(i)));
    return true;
}

void ChangeJournal::complete(const StoredChange &change, ChangeRecord::List which)
{
    if (!change.file.isEmpty())
        m_host.AppendToFile(pathOf(change.file), change.record.completionText(which));
}

void ChangeJournal::remove(const StoredChange &change)
{
    if (!change.file.isEmpty())
        m_host.RemoveFile(pathOf(change.file));
}
