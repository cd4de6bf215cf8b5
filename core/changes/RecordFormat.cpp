// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/changes/RecordFormat.h"

#include "core/base/Paths.h"

#include <QDir>

namespace RecordFormat {

const ActionName &nameOf(ChangeAction action)
{
    for (const ActionName &known : ActionNames)
        if (known.action == action)
            return known;
    return ActionNames[0];
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

} // namespace RecordFormat
