#include "core/folderer/MakeFolders.h"

#include "core/changes/ChangeLog.h"
#include "core/host/Host.h"
#include "core/base/Paths.h"
#include "core/folderer/FolderNames.h"

#include <QHash>
#include <QSet>

namespace {

// The planned folders that are not there yet, each folder's parent read once.
QStringList missingFolders(Host &host, const QStringList &folders)
{
    QHash<QString, QSet<QString>> present;
    QSet<QString> seen;
    QStringList missing;
    for (const QString &folder : folders) {
        if (seen.contains(folder))
            continue;
        seen.insert(folder);
        const QString parent = Paths::folderPart(folder);
        auto names = present.find(parent);
        if (names == present.end()) {
            names = present.insert(parent, {});
            for (const FolderEntry &entry : host.ReadFolder(parent).entries)
                names->insert(entry.name);
        }
        if (!names->contains(Paths::lastComponent(folder)))
            missing << folder;
    }
    return missing;
}

} // namespace

QString makeFolders(Host &host, const QStringList &files, const QStringList &folders)
{
    StoredChange change;
    change.record.tool = ChangeRecord::Tool::Folderer;
    change.record.what = QStringLiteral("MakeFolders");
    QSet<QString> touched;
    for (const QString &file : files) {
        const QString target = targetPath(file);
        change.record.renames.append({file, target, {}, {}});
        for (const QString &folder : {Paths::folderPart(file), Paths::folderPart(target)}) {
            if (!touched.contains(folder)) {
                touched.insert(folder);
                change.record.folders << folder;
            }
        }
    }
    change.record.madeFolders = missingFolders(host, folders);
    ChangeLog log(host);
    QString unsaved;
    const bool recorded = log.save(change, unsaved);

    bool changed = false;
    for (qsizetype i = 0; i < files.size(); ++i) {
        changed |= host.MakeFolder(folders.value(i));
        if (host.MoveFile(files.at(i), change.record.renames[i].to))
            change.record.renames[i].at = change.record.renames[i].to;
    }
    for (RecordedRename &rename : change.record.renames) {
        if (rename.at.isEmpty())
            rename.at = host.MoveFile(rename.from, rename.to) ? rename.to : rename.from;
        changed |= rename.at == rename.to;
    }
    change.record.state = ChangeRecord::State::Finished;
    if (recorded && !changed)
        log.remove(change); // nothing changed: nothing to undo
    else if (recorded)
        log.complete(change, change.record.renames);
    return unsaved;
}
