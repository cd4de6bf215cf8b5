// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/changes/RecordReader.h"

#include "core/base/TemporaryName.h"
#include "core/changes/RecordFormat.h"

using namespace RecordFormat;

bool RecordReader::nextLine(QByteArrayView &line)
{
    // Every line ends in a line break: what follows the last one is empty, or
    // an addition that a stop cut short.
    const qsizetype end = m_text.indexOf('\n', m_start);
    if (end < 0)
        return false;
    line = m_text.sliced(m_start, end - m_start);
    m_start = end + 1;
    return true;
}

bool RecordReader::readHeader(RecordFault &fault)
{
    QByteArrayView line;
    if (!nextLine(line) || !line.startsWith(HeaderStart)) {
        fault = {RecordFault::Kind::NotARecord};
        return false;
    }
    m_format = line.sliced(HeaderStart.size()).toInt();
    if (m_format < 1 || m_format > Format) {
        fault = {RecordFault::Kind::OtherVersion};
        return false;
    }
    return true;
}

bool RecordReader::readPath(QByteArrayView number, QByteArrayView name, RecordPath &path) const
{
    bool ok = false;
    path.folder = number.toInt(&ok);
    path.name = unescaped(name);
    return ok && path.folder >= 0 && path.folder < m_record.folders.size() && plainName(path.name);
}

// "folder PATH INODE VOLUME"; format 3 wrote a device number before the
// inode, and named a volume that had no UUID by its label or source, which
// another volume may share: only a UUID is kept from it.
bool RecordReader::readFolder(const Fields &fields)
{
    const qsizetype wanted = m_format >= 4 ? 4 : m_format == 3 ? 5 : 2;
    if (fields.size() != wanted || m_record.folders.size() >= ChangeRecord::MostFolders)
        return false;
    RecordedFolder folder{unescaped(fields[1]), {}};
    if (fields.size() > 2) {
        bool inode = true;
        const QByteArrayView number = fields[fields.size() - 2];
        folder.identity.inode = number.isEmpty() ? 0 : number.toULongLong(&inode);
        folder.identity.volume = unescaped(fields.back());
        if (m_format < 4 && !folder.identity.volume.startsWith(QLatin1String("UUID=")))
            folder.identity.volume.clear();
        if (!inode)
            return false;
    }
    m_record.folders << folder;
    return plainFolder(folder.path);
}

// The identity fields from first on: inode, size and time (format 3 and
// before wrote a device number first, which is no part of it any more).
bool RecordReader::readIdentity(const Fields &fields, qsizetype first, FileIdentity &identity) const
{
    bool ok = true;
    auto number = [&](QByteArrayView field) {
        bool good = false;
        const qint64 value = field.toLongLong(&good);
        ok &= good;
        return value;
    };
    if (m_format < 4)
        ++first;
    if (!fields[first].isEmpty())
        identity.inode = quint64(number(fields[first]));
    if (!fields[first + 1].isEmpty()) {
        identity.size = number(fields[first + 1]);
        identity.modified = number(fields[first + 2]);
    }
    return ok;
}

bool RecordReader::readRename(const Fields &fields)
{
    QList<RecordedRename> &list = fields[0] == "undo" ? m_record.undo : m_record.renames;
    const qsizetype wanted = m_format == 1 ? 6 : m_format < 4 ? 10 : 9;
    if (fields.size() != wanted || list.size() >= ChangeRecord::MostRenames)
        return false;
    RecordedRename rename;
    bool ok = readPath(fields[1], fields[2], rename.from) && readPath(fields[3], fields[4], rename.to);
    rename.temporary = unescaped(fields[5]);
    // A record names no other file as one the engine parked.
    ok = ok && (rename.temporary.isEmpty() || isTemporaryName(rename.temporary));
    if (fields.size() > 6)
        ok = ok && readIdentity(fields, 6, rename.identity);
    // A file never leaves its volume: either folder tells which it is.
    for (const RecordPath &folder : {rename.to, rename.from})
        if (ok && !m_record.folders[folder.folder].identity.volume.isEmpty())
            rename.identity.volume = m_record.folders[folder.folder].identity.volume;
    list << rename;
    positionsOf(fields[0]).namedUnder << -1;
    return ok;
}

bool RecordReader::readAt(const Fields &fields)
{
    if (fields.size() != 5)
        return false;
    QList<RecordedRename> &list = fields[1] == "undo" ? m_record.undo : m_record.renames;
    Positions &positions = positionsOf(fields[1]);
    bool ok = false;
    const qsizetype index = fields[2].toLongLong(&ok);
    RecordPath at;
    if (!ok || index < 0 || index >= list.size() || !readPath(fields[3], fields[4], at))
        return false;
    RecordedRename &rename = list[index];
    if (at == rename.from) {
        rename.at = RecordedRename::At::From;
    } else if (at == rename.to) {
        rename.at = RecordedRename::At::To;
    } else if (at.folder == rename.from.folder && isTemporaryName(at.name)
               && (rename.temporary.isEmpty() || rename.temporary == at.name)) {
        // Earlier versions named a file they found under a temporary name
        // that the rename did not record here.
        rename.temporary = at.name;
        rename.at = RecordedRename::At::Temporary;
    } else {
        return false;
    }
    positions.namedUnder[index] = positions.latest;
    return true;
}

bool RecordReader::readLine(const Fields &fields)
{
    const QByteArrayView kind = fields[0];
    if (kind == "tool" && fields.size() == 2) {
        m_toolSeen = true;
        return indexOfName(fields[1], ToolNames) >= 0;
    }
    if (kind == "what" && fields.size() == 2) {
        for (const ActionName &known : ActionNames) {
            if (fields[1] == known.name) {
                m_record.action = known.action;
                m_actionSeen = true;
            }
        }
        return m_actionSeen;
    }
    if (kind == "case-blind" && fields.size() == 2) {
        m_record.caseBlind = fields[1] == "yes";
        return true;
    }
    if (kind == "trash" && fields.size() == 2) {
        m_record.intoTrash = fields[1] == "yes";
        return true;
    }
    if (kind == "folder")
        return readFolder(fields);
    if (kind == "moved" && fields.size() == 3)
        return readMoved(fields);
    if ((kind == "made" || kind == "removed") && fields.size() == 3) {
        QList<RecordPath> &list = kind == "made" ? m_record.madeFolders : m_record.removedFolders;
        RecordPath folder;
        const bool ok = readPath(fields[1], fields[2], folder);
        list << folder;
        return ok && list.size() <= ChangeRecord::MostFolders;
    }
    if (kind == "rename" || kind == "undo")
        return readRename(fields);
    if (kind == "positions" && fields.size() == 2) {
        ++positionsOf(fields[1]).latest;
        return true;
    }
    if (kind == "at")
        return readAt(fields);
    if (kind == "state" && fields.size() == 2)
        return readState(fields);
    if (kind == "told" && fields.size() == 2 && fields[1] == "waiting") {
        m_record.toldWaiting = true;
        return true;
    }
    return false;
}

bool RecordReader::readMoved(const Fields &fields)
{
    bool ok = false;
    const int folder = fields[1].toInt(&ok);
    const QString now = unescaped(fields[2]);
    if (!ok || folder < 0 || folder >= m_record.folders.size() || !plainFolder(now))
        return false;
    m_record.folders[folder].path = now;
    return true;
}

bool RecordReader::readState(const Fields &fields)
{
    const int state = indexOfName(fields[1], StateNames);
    m_record.state = ChangeRecord::State(std::max(state, 0));
    m_record.toldWaiting = false;
    m_stateSeen = true;
    // An undo begins: its list follows. (The first format wrote the whole
    // record anew each time, the undo list ahead of its state.)
    if (m_record.state == ChangeRecord::State::Undoing && m_format > 1) {
        m_record.undo.clear();
        m_undoPositions = {};
    }
    return state >= 0;
}

void RecordReader::settlePositions()
{
    const bool renamesDone = m_record.state != ChangeRecord::State::Running;
    const bool undoDone = m_record.state != ChangeRecord::State::Undoing;
    for (auto [list, positions, done] : {std::tuple(&m_record.renames, &m_renamePositions, renamesDone),
                                         std::tuple(&m_record.undo, &m_undoPositions, undoDone)}) {
        for (qsizetype i = 0; i < list->size(); ++i) {
            RecordedRename &rename = (*list)[i];
            // A list that came to its end names only the files that did not
            // reach their new path.
            if (positions->namedUnder[i] != positions->latest)
                rename.at = done ? RecordedRename::At::To : RecordedRename::At::Unknown;
        }
    }
}

bool RecordReader::split(QByteArrayView line, Fields &fields)
{
    if (line.size() > ChangeRecord::LongestLine)
        return false;
    for (qsizetype start = 0;;) {
        const qsizetype tab = line.indexOf('\t', start);
        fields.append(line.sliced(start, (tab < 0 ? line.size() : tab) - start));
        if (tab < 0)
            return true;
        if (fields.size() == 10)
            return false;
        start = tab + 1;
    }
}

ChangeRecord RecordReader::readHead(RecordFault &fault)
{
    fault = {};
    if (!readHeader(fault))
        return {};
    QByteArrayView line;
    Fields fields;
    while (nextLine(line) && split(line, fields) && fields[0] != "folder" && readLine(fields))
        fields.clear();
    if (!m_toolSeen || !m_actionSeen)
        fault = {RecordFault::Kind::PartMissing};
    return m_record;
}

ChangeRecord RecordReader::read(RecordFault &fault)
{
    fault = {};
    if (!readHeader(fault))
        return {};
    QByteArrayView line;
    for (qsizetype n = 2; nextLine(line); ++n) {
        Fields fields;
        if (!split(line, fields) || !readLine(fields)) {
            fault = {RecordFault::Kind::BadLine, n};
            return m_record;
        }
    }
    // What follows the last line break is an addition that a stop cut short,
    // never longer than a line.
    if (m_text.size() - m_start > ChangeRecord::LongestLine)
        fault = {RecordFault::Kind::BadEnd};
    else if (!m_toolSeen || !m_stateSeen || !m_actionSeen || m_record.folders.isEmpty())
        fault = {RecordFault::Kind::PartMissing};
    settlePositions();
    return m_record;
}
