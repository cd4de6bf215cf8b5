#include "core/changes/Recovery.h"

#include "core/base/CountedName.h"
#include "core/base/NumberText.h"
#include "core/base/TemporaryName.h"
#include "core/changes/ChangeLog.h"
#include "core/host/Host.h"
#include "core/base/Paths.h"

#include <QHash>
#include <QSet>

namespace {

// The exact names in the folders of a change, read once and kept up to date.
class Names {
public:
    explicit Names(Host &host) : m_host(host) {}

    bool has(const QString &path) { return of(path).contains(Paths::lastComponent(path)); }
    void moved(const QString &from, const QString &to)
    {
        of(from).remove(Paths::lastComponent(from));
        of(to).insert(Paths::lastComponent(to));
    }
    QSet<QString> &of(const QString &path) { return inFolder(Paths::folderPart(path)); }
    QSet<QString> &inFolder(const QString &folder)
    {
        auto found = m_names.find(folder);
        if (found == m_names.end()) {
            const FolderContents contents = m_host.ReadFolder(folder);
            if (!contents.readable)
                unreadable << folder;
            QSet<QString> names;
            for (const FolderEntry &entry : contents.entries)
                names.insert(entry.name);
            found = m_names.insert(folder, names);
        }
        return *found;
    }
    // The folders that could not be read.
    QStringList unreadable;

private:
    Host &m_host;
    QHash<QString, QSet<QString>> m_names;
};

// Moves a file that stands under a temporary name to where its rename meant
// it to go, else back to its old name, else beside it; returns where it is.
QString putInPlace(Host &host, Names &names, const QString &temporary, const RecordedRename &r)
{
    QStringList targets{r.to, r.from};
    for (int k = 1; k <= LastCounter; ++k)
        targets << countedName(r.from, k);
    for (const QString &target : targets) {
        if (host.RenameFile(temporary, target)) {
            names.moved(temporary, target);
            return target;
        }
    }
    return temporary;
}

// Mends one change; returns what the user should hear about it, and whether
// it was mended.
std::pair<QString, bool> mend(Host &host, StoredChange &change)
{
    const bool undoing = change.record.state == ChangeRecord::State::Undoing;
    QList<RecordedRename> &renames = undoing ? change.record.undo : change.record.renames;
    Names names(host);
    for (const QString &folder : change.record.folders)
        names.inFolder(folder);
    // Its drive taken away: the change waits, as it is, for a start that can read it.
    if (!names.unreadable.isEmpty())
        return {QStringLiteral("The program was stopped in the middle of %1 in %2, which cannot be "
                               "read now; it will be mended at a start when it can.")
                    .arg(change.record.what, names.unreadable.join(QStringLiteral(", "))),
                false};
    QStringList lines;
    QSet<QString> recorded;
    for (RecordedRename &r : renames) {
        recorded.insert(r.temporary);
        if (r.temporary.isEmpty() || !names.has(r.temporary))
            continue;
        r.at = putInPlace(host, names, r.temporary, r);
        lines << (r.at == r.temporary ? QStringLiteral("%1 could not be moved: it stays under a temporary name")
                                      : QStringLiteral("%1 put in place as %2"))
                     .arg(r.temporary, r.at);
    }
    // A file that the host itself parked for a change of letter case: when
    // one file of the change is missing, it is that one.
    QStringList strays;
    for (const QString &folder : change.record.folders)
        for (const QString &name : names.inFolder(folder))
            if (isTemporaryName(name) && !recorded.contains(Paths::join(folder, name)))
                strays << Paths::join(folder, name);
    QList<RecordedRename *> missing;
    for (RecordedRename &r : renames)
        if (r.at.isEmpty() && !names.has(r.from) && !names.has(r.to))
            missing << &r;
    if (strays.size() == 1 && missing.size() == 1) {
        missing.first()->at = putInPlace(host, names, strays.first(), *missing.first());
        lines << QStringLiteral("%1 put in place as %2").arg(strays.first(), missing.first()->at);
    } else {
        for (const QString &stray : strays)
            lines << QStringLiteral("%1 was left as it is: the change does not say whose it is").arg(stray);
    }
    // Where the others stand: a rename whose old and new names are both
    // taken was made when the file that came to its old name was renamed.
    // At most one rename of a change goes to each name.
    QHash<QString, qsizetype> comingTo;
    for (qsizetype i = 0; i < renames.size(); ++i)
        comingTo.insert(renames[i].to, i);
    for (bool settled = false; !settled;) {
        settled = true;
        for (RecordedRename &r : renames) {
            if (!r.at.isEmpty())
                continue;
            const bool atNew = names.has(r.to), atOld = names.has(r.from);
            if (atNew && atOld) {
                const qsizetype refill = comingTo.value(r.from, -1);
                if (refill < 0 || renames[refill].at != renames[refill].to)
                    continue; // not known yet, perhaps after another round
            }
            r.at = atNew ? r.to : r.from;
            settled = false;
        }
    }
    for (RecordedRename &r : renames)
        if (r.at.isEmpty())
            r.at = r.from;

    qsizetype made = 0;
    for (const RecordedRename &r : renames)
        made += r.at == r.to;
    change.record.state = undoing ? ChangeRecord::State::Undone : ChangeRecord::State::Finished;
    const QString where = change.record.folders.value(0);
    QString message = undoing
        ? QStringLiteral("The program was stopped while it undid %1 in %2; %3 of %4 names had been put back.")
        : QStringLiteral("The program was stopped in the middle of %1 in %2; %3 of %4 names had been changed.");
    message = message.arg(change.record.what, where, numberText(made), numberText(renames.size()));
    if (!lines.isEmpty())
        message += QStringLiteral("\nFiles that stood under a temporary name:\n") + lines.join(u'\n');
    if (!undoing)
        message += QStringLiteral("\nCtrl+Z puts back what it changed.");
    return {message, true};
}

} // namespace

QString recoverInterruptedChanges(Host &host)
{
    if (!host.ClaimStateFolder())
        return {};
    ChangeLog log(host);
    QStringList messages;
    for (StoredChange &change : log.load(messages)) {
        if (change.record.state != ChangeRecord::State::Running
            && change.record.state != ChangeRecord::State::Undoing)
            continue;
        const auto [message, mended] = mend(host, change);
        messages << message;
        QString unsaved;
        if (mended && !log.save(change, unsaved))
            messages << QStringLiteral("What was mended could not be recorded (%1).").arg(unsaved);
    }
    return messages.join(QStringLiteral("\n\n"));
}
