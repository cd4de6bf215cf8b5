#include "core/changes/ChangeRecord.h"

#include "core/base/NumberText.h"
#include "core/base/Paths.h"

#include <QDir>
#include <QHash>
#include <algorithm>

namespace {

const QByteArray Header = "tamsells-file-utilities change record 1";
const QByteArray HeaderStart = "tamsells-file-utilities change record ";

const char *const ToolNames[] = {"renamer", "folderer"};
const char *const StateNames[] = {"running", "finished", "undoing", "undone"};

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

constexpr ChangeRecord::List BothLists[] = {ChangeRecord::List::Renames, ChangeRecord::List::Undo};

} // namespace

// Writes paths as their folder's number and their name.
class ChangeRecord::PathWriter {
public:
    explicit PathWriter(const QStringList &folders)
    {
        for (int i = 0; i < folders.size(); ++i)
            m_numbers.insert(folders[i], i);
    }
    void append(QByteArray &line, const QString &path)
    {
        const qsizetype cut = path.lastIndexOf(Paths::separator());
        // As Paths::folderPart, without a copy: a root keeps its separator.
        QStringView folder = QStringView(path).left(std::max<qsizetype>(cut, 0));
        if (cut >= 0 && (folder.isEmpty() || folder.endsWith(u':')))
            folder = QStringView(path).left(cut + 1);
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

QByteArray ChangeRecord::toText() const
{
    PathWriter path(folders);
    QByteArray text = Header + '\n';
    text.reserve(100 * (renames.size() + undo.size()) + 1000);
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
    for (const List which : BothLists) {
        for (const RecordedRename &rename : list(which)) {
            text.append(listName(which)).append('\t');
            path.append(text, rename.from);
            text.append('\t');
            path.append(text, rename.to);
            text.append('\t');
            if (!rename.temporary.isEmpty())
                appendEscaped(text, QStringView(rename.temporary).mid(rename.temporary.lastIndexOf(Paths::separator()) + 1));
            text.append('\n');
        }
    }
    for (const List which : BothLists)
        appendAtLines(text, path, which);
    return text.append("state\t").append(StateNames[int(state)]).append('\n');
}

void ChangeRecord::appendAtLines(QByteArray &text, PathWriter &path, List which) const
{
    const QList<RecordedRename> &files = list(which);
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (files[i].at.isEmpty() || files[i].at == files[i].to)
            continue;
        text.append("at\t").append(listName(which)).append('\t').append(QByteArray::number(i)).append('\t');
        path.append(text, files[i].at);
        text.append('\n');
    }
}

QByteArray ChangeRecord::completionText(List which) const
{
    PathWriter path(folders);
    QByteArray text;
    appendAtLines(text, path, which);
    return text.append("state\t").append(StateNames[int(state)]).append('\n');
}

ChangeRecord ChangeRecord::fromText(const QByteArray &text, QString &whyNot)
{
    ChangeRecord record;
    whyNot.clear();
    // Every line ends in a line break: what follows the last one is empty, or
    // an append that a stop cut short.
    QList<QByteArray> lines = text.split('\n');
    lines.removeLast();
    if (lines.isEmpty() || !lines.first().startsWith(HeaderStart)) {
        whyNot = QStringLiteral("it is not a change record");
        return record;
    }
    if (lines.first() != Header) {
        whyNot = QStringLiteral("it was written by another version of the program");
        return record;
    }
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
    for (qsizetype n = 1; n < lines.size() && whyNot.isEmpty(); ++n) {
        const QList<QByteArray> fields = lines[n].split('\t');
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
        } else if (kind == "made" && fields.size() == 3) {
            QString folder;
            ok = pathOf(fields[1], fields[2], folder);
            record.madeFolders << folder;
        } else if ((kind == "rename" || kind == "undo") && fields.size() == 6) {
            RecordedRename rename;
            ok = pathOf(fields[1], fields[2], rename.from) && pathOf(fields[3], fields[4], rename.to)
                && (fields[5].isEmpty() || pathOf(fields[1], fields[5], rename.temporary));
            (kind == "undo" ? record.undo : record.renames) << rename;
        } else if (kind == "at" && fields.size() == 5) {
            QList<RecordedRename> &list = fields[1] == "undo" ? record.undo : record.renames;
            const qsizetype index = fields[2].toLongLong(&ok);
            ok = ok && index >= 0 && index < list.size() && pathOf(fields[3], fields[4], list[index].at);
        } else if (kind == "state" && fields.size() == 2) {
            const int state = indexOfName(fields[1], StateNames);
            ok = state >= 0;
            record.state = State(state);
            stateSeen = true;
        } else {
            ok = false;
        }
        if (!ok)
            whyNot = QStringLiteral("line %1 cannot be read, or names a path outside its folders")
                         .arg(n + 1);
    }
    if (whyNot.isEmpty()
        && (!toolSeen || !stateSeen || record.what.isEmpty() || record.folders.isEmpty()))
        whyNot = QStringLiteral("a part of it is missing");
    // A finished list names only the files that did not reach their new path.
    const bool renamesDone = record.state != State::Running;
    const bool undoDone = record.state == State::Undone;
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
    QStringList from;
    for (const RecordedRename &rename : renames)
        if (!from.contains(Paths::folderPart(rename.from)))
            from << Paths::folderPart(rename.from);
    const QString where = from.size() == 1 ? from.first() : QStringLiteral("%1 folders").arg(from.size());
    return QStringLiteral("Undo %1 in %2 (%3)").arg(what, where, moved);
}
