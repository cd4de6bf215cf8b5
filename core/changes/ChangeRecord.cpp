#include "core/changes/ChangeRecord.h"

#include "core/base/NumberText.h"
#include "core/base/Paths.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

const QByteArray HeaderStart = "tamsells-file-utilities change record ";
// Format 2 adds which file each rename moved, and the lines a change gains
// after it is first written; format 1 records are read as well.
const QByteArray Header = HeaderStart + '2';
const QByteArray FirstHeader = HeaderStart + '1';

const char *const ToolNames[] = {"renamer", "folderer"};
const char *const StateNames[] = {"running",  "finished",      "undoing",
                                  "undone",   "needs-mending", "undo-needs-mending"};

template <std::size_t N>
int indexOfName(const QByteArray &name, const char *const (&names)[N])
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

QByteArray escaped(const QString &text)
{
    QByteArray line;
    appendEscaped(line, text);
    return line;
}

QString unescaped(const QByteArray &field)
{
    if (!field.contains('\\'))
        return QString::fromUtf8(field);
    QByteArray bytes;
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
    for (const QString &part : path.split(Paths::separator()))
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

// Where a path's folder ends: as Paths::folderPart, without a copy; a root
// keeps its separator.
QStringView folderOf(const QString &path, qsizetype &cut)
{
    cut = path.lastIndexOf(Paths::separator());
    QStringView folder = QStringView(path).left(std::max<qsizetype>(cut, 0));
    if (cut >= 0 && (folder.isEmpty() || folder.endsWith(u':')))
        folder = QStringView(path).left(cut + 1);
    return folder;
}

// Writes paths as their folder's number and their name.
class PathWriter {
public:
    explicit PathWriter(const QStringList &folders)
    {
        for (int i = 0; i < folders.size(); ++i)
            m_numbers.insert(folders[i], i);
    }
    void append(QByteArray &line, const QString &path)
    {
        qsizetype cut = 0;
        const QStringView folder = folderOf(path, cut);
        // The paths of a change mostly share one folder.
        if (folder != m_lastFolder) {
            m_lastFolder = folder.toString();
            m_lastNumber = QByteArray::number(m_numbers.value(m_lastFolder, -1)) + '\t';
        }
        line.append(m_lastNumber);
        appendEscaped(line, QStringView(path).mid(cut + 1));
    }

private:
    QHash<QString, int> m_numbers;
    QString m_lastFolder;
    QByteArray m_lastNumber = "-1\t";
};

// A file's identity as four fields: device, inode, size, modification time;
// empty fields where they are not known.
void appendIdentity(QByteArray &line, const FileIdentity &identity)
{
    if (identity.inode != 0)
        line.append('\t').append(QByteArray::number(identity.device)).append('\t').append(QByteArray::number(identity.inode));
    else
        line.append("\t\t");
    if (identity.size >= 0)
        line.append('\t').append(QByteArray::number(identity.size)).append('\t').append(QByteArray::number(identity.modified));
    else
        line.append("\t\t");
}

bool readIdentity(const QList<QByteArray> &fields, qsizetype first, FileIdentity &identity)
{
    bool ok = true;
    auto number = [&](const QByteArray &field) {
        bool good = false;
        const qint64 value = field.toLongLong(&good);
        ok &= good;
        return value;
    };
    if (!fields[first + 1].isEmpty()) {
        identity.device = quint64(number(fields[first]));
        identity.inode = quint64(number(fields[first + 1]));
    }
    if (!fields[first + 2].isEmpty()) {
        identity.size = number(fields[first + 2]);
        identity.modified = number(fields[first + 3]);
    }
    return ok;
}

void appendRenames(QByteArray &text, PathWriter &path, const QList<RecordedRename> &list,
                   const char *kind)
{
    for (const RecordedRename &rename : list) {
        text.append(kind).append('\t');
        path.append(text, rename.from);
        text.append('\t');
        path.append(text, rename.to);
        text.append('\t');
        if (!rename.temporary.isEmpty())
            appendEscaped(text, QStringView(rename.temporary).mid(rename.temporary.lastIndexOf(Paths::separator()) + 1));
        appendIdentity(text, rename.identity);
        text.append('\n');
    }
}

} // namespace

QByteArray ChangeRecord::toText() const
{
    PathWriter path(folders);
    QByteArray text = Header + '\n';
    text.reserve(120 * (renames.size() + undo.size()) + 1000);
    text.append("tool\t").append(ToolNames[int(tool)]).append('\n');
    text.append("what\t").append(escaped(what)).append('\n');
    text.append("case-blind\t").append(caseBlind ? "yes" : "no").append('\n');
    if (intoTrash)
        text.append("trash\tyes\n");
    for (const QString &folder : folders)
        text.append("folder\t").append(escaped(folder)).append('\n');
    for (const QString &folder : madeFolders) {
        text.append("made\t");
        path.append(text, folder);
        text.append('\n');
    }
    appendRenames(text, path, renames, "rename");
    return text.append("state\t").append(StateNames[int(state)]).append('\n');
}

QByteArray ChangeRecord::undoText() const
{
    PathWriter path(folders);
    QByteArray text("state\tundoing\n");
    appendRenames(text, path, undo, "undo");
    return text;
}

QByteArray ChangeRecord::positionsText(std::initializer_list<List> lists) const
{
    PathWriter path(folders);
    QByteArray text;
    for (const List which : lists) {
        // Every file of the list stands at its new path but those named here.
        text.append("positions\t").append(listName(which)).append('\n');
        const QList<RecordedRename> &files = list(which);
        for (qsizetype i = 0; i < files.size(); ++i) {
            if (files[i].at.isEmpty() || files[i].at == files[i].to)
                continue;
            text.append("at\t").append(listName(which)).append('\t').append(QByteArray::number(i)).append('\t');
            path.append(text, files[i].at);
            text.append('\n');
        }
    }
    return text.append("state\t").append(StateNames[int(state)]).append('\n');
}

QByteArray ChangeRecord::movedText(int folder, const QString &now) const
{
    return "moved\t" + QByteArray::number(folder) + '\t' + escaped(now) + '\n';
}

void ChangeRecord::relocate(int folder, const QString &now)
{
    const QString old = folders[folder];
    const auto move = [&](QString &path) {
        if (!path.isEmpty() && Paths::folderPart(path) == old)
            path = Paths::join(now, Paths::lastComponent(path));
    };
    for (QList<RecordedRename> *list : {&renames, &undo}) {
        for (RecordedRename &rename : *list) {
            move(rename.from);
            move(rename.to);
            move(rename.temporary);
            move(rename.at);
        }
    }
    for (QString &made : madeFolders)
        move(made);
    folders[folder] = now;
}

ChangeRecord ChangeRecord::fromText(const QByteArray &text, QString &whyNot)
{
    ChangeRecord record;
    whyNot.clear();
    // Every line ends in a line break: what follows the last one is empty, or
    // an addition that a stop cut short. Lines are taken one at a time, so
    // that a large record is not held twice.
    qsizetype start = 0;
    auto nextLine = [&](QByteArray &line) {
        const qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            return false;
        line = text.mid(start, end - start);
        start = end + 1;
        return true;
    };
    QByteArray line;
    if (!nextLine(line) || !line.startsWith(HeaderStart)) {
        whyNot = QStringLiteral("it is not a change record");
        return record;
    }
    const bool first = line == FirstHeader;
    if (!first && line != Header) {
        whyNot = QStringLiteral("it was written by another version of the program");
        return record;
    }
    const qsizetype renameFields = first ? 6 : 10;
    // A path given as a folder's number and a name.
    auto pathOf = [&](const QByteArray &number, const QByteArray &name, QString &path) {
        bool ok = false;
        const int folder = number.toInt(&ok);
        const QString plain = unescaped(name);
        if (!ok || folder < 0 || folder >= record.folders.size() || !plainName(plain))
            return false;
        path = Paths::join(record.folders[folder], plain);
        return true;
    };
    bool toolSeen = false, stateSeen = false;
    for (qsizetype n = 2; whyNot.isEmpty() && nextLine(line); ++n) {
        const QList<QByteArray> fields = line.split('\t');
        const QByteArray &kind = fields.first();
        bool ok = true;
        if (kind == "tool" && fields.size() == 2) {
            const int tool = indexOfName(fields[1], ToolNames);
            ok = tool >= 0;
            record.tool = Tool(tool);
            toolSeen = true;
        } else if (kind == "what" && fields.size() == 2) {
            record.what = unescaped(fields[1]);
        } else if (kind == "case-blind" && fields.size() == 2) {
            record.caseBlind = fields[1] == "yes";
        } else if (kind == "trash" && fields.size() == 2) {
            record.intoTrash = fields[1] == "yes";
        } else if (kind == "folder" && fields.size() == 2) {
            record.folders << unescaped(fields[1]);
            ok = plainFolder(record.folders.last());
        } else if (kind == "moved" && fields.size() == 3) {
            const int folder = fields[1].toInt(&ok);
            const QString now = unescaped(fields[2]);
            ok = ok && folder >= 0 && folder < record.folders.size() && plainFolder(now);
            if (ok)
                record.relocate(folder, now);
        } else if (kind == "made" && fields.size() == 3) {
            QString folder;
            ok = pathOf(fields[1], fields[2], folder);
            record.madeFolders << folder;
        } else if ((kind == "rename" || kind == "undo") && fields.size() == renameFields) {
            RecordedRename rename;
            ok = pathOf(fields[1], fields[2], rename.from) && pathOf(fields[3], fields[4], rename.to)
                && (fields[5].isEmpty() || pathOf(fields[1], fields[5], rename.temporary))
                && (first || readIdentity(fields, 6, rename.identity));
            (kind == "undo" ? record.undo : record.renames) << rename;
        } else if (kind == "positions" && fields.size() == 2) {
            for (RecordedRename &rename : fields[1] == "undo" ? record.undo : record.renames)
                rename.at.clear();
        } else if (kind == "at" && fields.size() == 5) {
            QList<RecordedRename> &list = fields[1] == "undo" ? record.undo : record.renames;
            const qsizetype index = fields[2].toLongLong(&ok);
            ok = ok && index >= 0 && index < list.size() && pathOf(fields[3], fields[4], list[index].at);
        } else if (kind == "state" && fields.size() == 2) {
            const int state = indexOfName(fields[1], StateNames);
            ok = state >= 0;
            record.state = State(state);
            stateSeen = true;
            // An undo begins: its list follows. (The first format wrote the
            // whole record anew each time, the undo list ahead of its state.)
            if (record.state == State::Undoing && !first)
                record.undo.clear();
        } else {
            ok = false;
        }
        if (!ok)
            whyNot = QStringLiteral("line %1 cannot be read, or names a path outside its folders")
                         .arg(n);
    }
    if (whyNot.isEmpty()
        && (!toolSeen || !stateSeen || record.what.isEmpty() || record.folders.isEmpty()))
        whyNot = QStringLiteral("a part of it is missing");
    // A list that came to its end names only the files that did not reach
    // their new path.
    const bool renamesDone = record.state != State::Running;
    const bool undoDone = record.state != State::Undoing;
    for (const auto &[list, done] : {std::pair(&record.renames, renamesDone), std::pair(&record.undo, undoDone)})
        if (done)
            for (RecordedRename &rename : *list)
                if (rename.at.isEmpty())
                    rename.at = rename.to;
    return record;
}

QList<RecordedRename> ChangeRecord::done() const
{
    QList<RecordedRename> moved;
    for (const RecordedRename &rename : renames)
        if (rename.at == rename.to)
            moved << rename;
    return moved;
}

QString ChangeRecord::undoCaption() const
{
    const qsizetype count = done().size();
    const QString moved = tool == Tool::Folderer ? countText(count, "file", "files")
                                                 : countText(count, "name", "names");
    QSet<QString> from;
    for (const RecordedRename &rename : renames)
        from.insert(Paths::folderPart(rename.from));
    const QString where = from.size() == 1 ? *from.cbegin()
                                           : QStringLiteral("%1 folders").arg(from.size());
    return QStringLiteral("Undo %1 in %2 (%3)").arg(what, where, moved);
}
