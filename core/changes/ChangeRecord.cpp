#include "core/changes/ChangeRecord.h"

#include "core/base/Paths.h"
#include "core/base/TemporaryName.h"

#include <QDir>
#include <QSet>
#include <QVarLengthArray>

namespace {

const QByteArray HeaderStart = "tamsells-file-utilities change record ";
// Format 2 added which file each rename moved and the lines a change gains
// after it is first written; format 3 which folder each folder is, and the
// line that says the user was told that a change waits; format 4 knows a
// volume by what it says of itself, never by its device number. Records of
// the earlier formats are read as well; a build that knows an earlier format
// only refuses this one by its header.
constexpr int Format = 4;

const char *const ToolNames[] = {"renamer", "folderer"};

// What the user did, by the name the record keeps, and the tool whose
// window undoes it.
struct ActionName {
    ChangeAction action;
    const char *name;
    ChangeRecord::Tool tool;
};
constexpr ActionName ActionNames[] = {
    {ChangeAction::MakeChanges, "MAKE CHANGES", ChangeRecord::Tool::Renamer},
    {ChangeAction::CleanUpBatch, "the clean-up batch", ChangeRecord::Tool::Renamer},
    {ChangeAction::Titles, "TITLES", ChangeRecord::Tool::Renamer},
    {ChangeAction::UpperCaseWalk, "the upper-case walk", ChangeRecord::Tool::Renamer},
    {ChangeAction::MakeFolders, "MakeFolders", ChangeRecord::Tool::Folderer},
    {ChangeAction::Delete, "Delete", ChangeRecord::Tool::Renamer},
};

const ActionName &nameOf(ChangeAction action)
{
    for (const ActionName &known : ActionNames)
        if (known.action == action)
            return known;
    return ActionNames[0];
}
const char *const StateNames[] = {"running",  "finished",      "undoing",
                                  "undone",   "needs-mending", "undo-needs-mending"};

template <std::size_t N>
int indexOfName(QByteArrayView name, const char *const (&names)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        if (name == names[i])
            return int(i);
    return -1;
}

// Adds a field of a line: tabs, line breaks and backslashes, which names may
// hold, escaped. ASCII text, as most names are, byte by byte.
void appendEscaped(QByteArray &line, QStringView text)
{
    bool plain = true;
    for (const QChar c : text)
        plain &= c.unicode() < 0x80 && c != u'\\' && c != u'\t' && c != u'\n';
    if (plain) {
        const qsizetype start = line.size();
        line.resize(start + text.size());
        char *out = line.data() + start;
        for (const QChar c : text)
            *out++ = char(c.unicode());
        return;
    }
    line.append(text.toUtf8().replace('\\', "\\\\").replace('\t', "\\t").replace('\n', "\\n"));
}

QString unescaped(QByteArrayView field)
{
    if (!field.contains('\\'))
        return QString::fromUtf8(field);
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 1 < field.size()) {
            const char next = field[++i];
            bytes += next == 't' ? '\t' : next == 'n' ? '\n' : next;
        } else {
            bytes += field[i];
        }
    }
    return QString::fromUtf8(bytes);
}

bool plainFolder(const QString &path)
{
    if (!QDir::isAbsolutePath(path))
        return false;
    for (const QStringView part : QStringView(path).split(Paths::separator()))
        if (part == u"." || part == u"..")
            return false;
    return true;
}

bool plainName(const QString &name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(Paths::separator());
}

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

// Reads a record line by line, each line once: a moved folder changes one
// path, and a list's positions are told apart from older ones by the
// positions line they follow, so no line works on the lists again.
class RecordReader {
public:
    explicit RecordReader(QByteArrayView text) : m_text(text) {}

    ChangeRecord read(RecordFault &fault);
    ChangeRecord readHead(RecordFault &fault);

private:
    using Fields = QVarLengthArray<QByteArrayView, 10>;
    // Where a list's files stand: the positions line they were last named
    // under (-1 for none), and how many positions lines the list has seen.
    struct Positions {
        QList<int> namedUnder;
        int latest = 0;
    };

    bool nextLine(QByteArrayView &line);
    // The line's fields; false for a line longer than a record holds, or
    // with more fields than any line has.
    static bool split(QByteArrayView line, Fields &fields);
    bool readHeader(RecordFault &fault);
    bool readLine(const Fields &fields);
    bool readFolder(const Fields &fields);
    bool readRename(const Fields &fields);
    bool readAt(const Fields &fields);
    bool readMoved(const Fields &fields);
    bool readState(const Fields &fields);
    bool readPath(QByteArrayView number, QByteArrayView name, RecordPath &path) const;
    bool readIdentity(const Fields &fields, qsizetype first, FileIdentity &identity) const;
    // After the last line: files that a list's last positions do not name
    // stand at their new paths, once the list came to its end.
    void settlePositions();
    Positions &positionsOf(QByteArrayView list)
    {
        return list == "undo" ? m_undoPositions : m_renamePositions;
    }

    QByteArrayView m_text;
    qsizetype m_start = 0;
    int m_format = 0;
    bool m_toolSeen = false, m_actionSeen = false, m_stateSeen = false;
    ChangeRecord m_record;
    Positions m_renamePositions, m_undoPositions;
};

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
    if (kind == "made" && fields.size() == 3) {
        RecordPath folder;
        const bool ok = readPath(fields[1], fields[2], folder);
        m_record.madeFolders << folder;
        return ok && m_record.madeFolders.size() <= ChangeRecord::MostFolders;
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
    for (auto [list, positions, done] :
         {std::tuple(&m_record.renames, &m_renamePositions, renamesDone),
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

} // namespace

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

QStringList ChangeRecord::folderPaths() const
{
    QStringList paths;
    for (const RecordedFolder &folder : folders)
        paths << folder.path;
    return paths;
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
            text.append("at\t").append(listName(which)).append('\t').append(QByteArray::number(i)).append('\t');
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
