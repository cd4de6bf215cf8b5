#include "core/changes/Recovery.h"

#include "core/base/CountedName.h"
#include "core/base/NumberText.h"
#include "core/base/TemporaryName.h"
#include "core/changes/ChangeJournal.h"
#include "core/changes/FolderCache.h"
#include "core/host/Host.h"
#include "core/base/Paths.h"

#include <QHash>
#include <QSet>

namespace {

// Moves a file that stands under a temporary name to where its rename meant
// it to go, else back to its old name, else beside it; returns where it is.
QString putInPlace(Host &host, FolderCache &names, const QString &temporary, const RecordedRename &r)
{
    QStringList targets{r.to, r.from};
    for (int k = 1; k <= LastCounter; ++k)
        targets << countedName(r.from, k);
    for (const QString &target : targets) {
        if (host.RenameFile(temporary, target)) {
            names.renamed(temporary, target);
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
    FolderCache names(host);
    for (const QString &folder : change.record.folders)
        names.folder(folder);
    // Its drive taken away: the change waits, as it is, for a start that can read it.
    if (!names.unreadable().isEmpty())
        return {QStringLiteral("The program was stopped in the middle of %1 in %2, which cannot be "
                               "read now; it will be mended at a start when it can.")
                    .arg(change.record.what, names.unreadable().join(QStringLiteral(", "))),
                false};
    QStringList lines;
    QSet<QString> recorded;
    for (RecordedRename &r : renames) {
        recorded.insert(r.temporary);
        if (r.temporary.isEmpty() || !names.holds(r.temporary))
            continue;
        r.at = putInPlace(host, names, r.temporary, r);
        lines << (r.at == r.temporary ? QStringLiteral("%1 could not be moved: it stays under a temporary name")
                                      : QStringLiteral("%1 put in place as %2"))
                     .arg(r.temporary, r.at);
    }
    // A file that the host itself parked for a change of letter case: when
    // one file of the change is missing, it is that one.
    QStringList strays;
    for (const QString &folder : change.record.folders) {
        const FolderModel &model = names.folder(folder);
        for (int entry = 0; entry < model.count(); ++entry) {
            const QString path = Paths::join(folder, model.name(entry));
            if (isTemporaryName(model.name(entry)) && !recorded.contains(path))
                strays << path;
        }
    }
    QList<RecordedRename *> missing;
    for (RecordedRename &r : renames)
        if (r.at.isEmpty() && !names.holds(r.from) && !names.holds(r.to))
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
            const bool atNew = names.holds(r.to), atOld = names.holds(r.from);
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

    // A note in the trash whose file never came there, or left it again, goes.
    if (change.record.intoTrash)
        for (const RecordedRename &r : renames)
            host.ReleaseTrash(undoing ? r.from : r.to);

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
    ChangeJournal journal(host);
    QStringList messages;
    for (StoredChange &change : journal.load(messages)) {
        if (change.record.state != ChangeRecord::State::Running
            && change.record.state != ChangeRecord::State::Undoing)
            continue;
        const auto [message, mended] = mend(host, change);
        messages << message;
        QString unsaved;
        if (mended && !journal.save(change, unsaved))
            messages << QStringLiteral("What was mended could not be recorded (%1).").arg(unsaved);
    }
    return messages.join(QStringLiteral("\n\n"));
}
