// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/changes/ChangeRecord.h"

#include "core/base/Paths.h"
#include "core/changes/RecordFormat.h"
#include "core/changes/RecordReader.h"

#include <QSet>

using namespace RecordFormat;

namespace {

const char *listName(ChangeRecord::List which)
{
    return which == ChangeRecord::List::Undo ? "undo" : "rename";
}

void appendPath(QByteArray &line, const RecordPath &path)
{
    line.append(QByteArray::number(path.folder)).append('\t');
    appendEscaped(line, path.name);
}

// A number field, empty where it is not known.
void appendNumber(QByteArray &line, quint64 number, bool known)
{
    line.append('\t');
    if (known)
        line.append(QByteArray::number(number));
}

// A file's identity as three fields: inode, size, modification time; empty
// fields where they are not known. Its volume is that of its folders.
void appendIdentity(QByteArray &line, const FileIdentity &identity)
{
    appendNumber(line, identity.inode, identity.inode != 0);
    appendNumber(line, quint64(identity.size), identity.size >= 0);
    appendNumber(line, quint64(identity.modified), identity.size >= 0);
}

void appendRenames(QByteArray &text, const QList<RecordedRename> &list, const char *kind)
{
    for (const RecordedRename &rename : list) {
        text.append(kind).append('\t');
        appendPath(text, rename.from);
        text.append('\t');
        appendPath(text, rename.to);
        text.append('\t');
        appendEscaped(text, rename.temporary);
        appendIdentity(text, rename.identity);
        text.append('\n');
    }
}

} // namespace

QSet<QString> ChangeRecord::paths(const QList<RecordPath> &list) const
{
    QSet<QString> all;
    for (const RecordPath &folder : list)
        all.insert(path(folder));
    return all;
}

QString ChangeRecord::path(const RecordPath &path) const
{
    return path.folder < 0 || path.folder >= folders.size()
               ? QString()
               : Paths::join(folders[path.folder].path, path.name);
}

QString ChangeRecord::temporaryPath(const RecordedRename &rename) const
{
    return rename.temporary.isEmpty() ? QString() : path({rename.from.folder, rename.temporary});
}

QString ChangeRecord::atPath(const RecordedRename &rename) const
{
    switch (rename.at) {
    case RecordedRename::At::Unknown:
        return {};
    case RecordedRename::At::From:
    case RecordedRename::At::FromAlsoTo:
    case RecordedRename::At::FromAlsoTemporary:
        return fromPath(rename);
    case RecordedRename::At::To:
        return toPath(rename);
    case RecordedRename::At::Temporary:
        return temporaryPath(rename);
    }
    return {};
}

ChangeRecord::Tool ChangeRecord::tool() const
{
    return nameOf(action).tool;
}

RecordPaths::RecordPaths(const ChangeRecord &record)
{
    for (int i = 0; i < record.folders.size(); ++i)
        m_numbers.insert(record.folders[i].path, i);
}

RecordPath RecordPaths::of(const QString &path) const
{
    return {m_numbers.value(Paths::folderPart(path), -1), Paths::lastComponent(path)};
}

QByteArray ChangeRecord::toText() const
{
    QByteArray text = HeaderStart + QByteArray::number(Format) + '\n';
    text.reserve(120 * (renames.size() + undo.size()) + 80 * folders.size() + 1000);
    text.append("tool\t").append(ToolNames[int(tool())]).append('\n');
    text.append("what\t").append(nameOf(action).name).append('\n');
    text.append("case-blind\t").append(caseBlind ? "yes" : "no").append('\n');
    if (intoTrash)
        text.append("trash\tyes\n");
    for (const RecordedFolder &folder : folders) {
        text.append("folder\t");
        appendEscaped(text, folder.path);
        const FolderIdentity &identity = folder.identity;
        appendNumber(text, identity.inode, identity.inode != 0);
        text.append('\t');
        appendEscaped(text, identity.volume);
        text.append('\n');
    }
    for (const RecordPath &folder : madeFolders) {
        text.append("made\t");
        appendPath(text, folder);
        text.append('\n');
    }
    for (const RecordPath &folder : removedFolders) {
        text.append("removed\t");
        appendPath(text, folder);
        text.append('\n');
    }
    appendRenames(text, renames, "rename");
    return text.append("state\t").append(StateNames[int(state)]).append('\n');
}

QByteArray ChangeRecord::undoText() const
{
    QByteArray text("state\tundoing\n");
    appendRenames(text, undo, "undo");
    return text;
}

QByteArray ChangeRecord::positionsText(std::initializer_list<List> lists) const
{
    QByteArray text;
    for (const List which : lists) {
        // Every file of the list stands at its new path but those named here.
        text.append("positions\t").append(listName(which)).append('\n');
        const QList<RecordedRename> &files = list(which);
        for (qsizetype i = 0; i < files.size(); ++i) {
            const RecordedRename &file = files[i];
            if (file.at == RecordedRename::At::Unknown || file.at == RecordedRename::At::To)
                continue;
            text.append("at\t")
                .append(listName(which))
                .append('\t')
                .append(QByteArray::number(i))
                .append('\t');
            appendPath(text, file.at == RecordedRename::At::Temporary
                                 ? RecordPath{file.from.folder, file.temporary}
                                 : file.from);
            text.append('\n');
        }
    }
    return text.append("state\t").append(StateNames[int(state)]).append('\n');
}

QByteArray ChangeRecord::movedText(int folder) const
{
    QByteArray line = "moved\t" + QByteArray::number(folder) + '\t';
    appendEscaped(line, folders[folder].path);
    return line + '\n';
}

QByteArray ChangeRecord::toldText()
{
    return "told\twaiting\n";
}

ChangeRecord ChangeRecord::fromText(QByteArrayView text, RecordFault &fault)
{
    return RecordReader(text).read(fault);
}

ChangeRecord ChangeRecord::headFromText(QByteArrayView head, RecordFault &fault)
{
    return RecordReader(head).readHead(fault);
}

bool ChangeRecord::stateFromLine(QByteArrayView line, State &state)
{
    if (!line.startsWith("state\t"))
        return false;
    const int found = indexOfName(line.sliced(6), StateNames);
    state = State(std::max(found, 0));
    return found >= 0;
}

QList<RecordedRename> ChangeRecord::done() const
{
    QList<RecordedRename> moved;
    for (const RecordedRename &rename : renames)
        if (rename.at == RecordedRename::At::To)
            moved << rename;
    return moved;
}

QString ChangeRecord::sourceFolder(qsizetype *folderCount) const
{
    QSet<int> from;
    for (const RecordedRename &rename : renames)
        from.insert(rename.from.folder);
    if (folderCount)
        *folderCount = from.size();
    return from.size() == 1 ? folders.value(*from.cbegin()).path : QString();
}
