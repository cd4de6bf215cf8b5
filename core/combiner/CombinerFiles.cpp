// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/combiner/CombinerFiles.h"

#include "core/host/FileSystem.h"
#include "core/base/Paths.h"

namespace {

// What PocketDivX is told about every file: audio, video size and rate.
const QString ConversionSettings = QStringLiteral(
    "145-44100-160- -Stereo-1245-25.000-0x10000002-0-0-36-416:320- - "
    "-0,720x400,0;0;0;0;0;0;0;0;0;0;0;0;0;25.000");

bool holdsLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

PlannedTextFile refusal(PlannedTextFile::Refusal why, const QString &offending)
{
    PlannedTextFile file;
    file.refusal = why;
    file.offending = offending;
    return file;
}

// "hh:mm:ss" without its colons.
QString timeDigits(const QString &timeText)
{
    return timeText.mid(0, 2) + timeText.mid(3, 2) + timeText.mid(6, 2);
}

QString percentDoubled(QString text)
{
    return text.replace(u'%', QStringLiteral("%%"));
}

QString cmdWord(const QString &text)
{
    return u'"' + percentDoubled(text) + u'"';
}

// A word that sh reads back unchanged: in single quotes, where every
// character stands for itself except the single quote, which closes the
// quotes, is written escaped, and opens them again.
QString shWord(QString text)
{
    return u'\'' + text.replace(u'\'', QStringLiteral("'\\''")) + u'\'';
}

} // namespace

ScriptDialect hostDialect()
{
#ifdef Q_OS_WIN
    return ScriptDialect::Cmd;
#else
    return ScriptDialect::Sh;
#endif
}

PlannedTextFile combineBatch(ScriptDialect dialect, const QStringList &entries, const QString &destination,
                             const QString &folder, const QString &timeText)
{
    const QString name = QStringLiteral("combinefiles") + timeDigits(timeText);
    PlannedTextFile batch;
    QStringList words;
    words.reserve(entries.size());

    if (dialect == ScriptDialect::Cmd) {
        for (const QString &text : QStringList{folder, destination} + entries) {
            if (text.contains(u'"') || holdsLineBreak(text))
                return refusal(PlannedTextFile::Refusal::Batch, text);
        }
        for (const QString &entry : entries)
            words << cmdWord(entry);
        batch.path = (folder.endsWith(u'\\') ? folder : folder + u'\\') + name + QStringLiteral(".cmd");
        batch.lines = {percentDoubled(folder.left(2)), QStringLiteral("CD ") + cmdWord(folder),
                       QStringLiteral("copy /b ") + words.join(u'+') + u' ' + cmdWord(destination)};
        batch.lineEnd = LineEnd::CrLf;
        return batch;
    }

    for (const QString &entry : entries)
        words << shWord(entry);
    batch.path = (folder.endsWith(u'/') ? folder : folder + u'/') + name + QStringLiteral(".sh");
    batch.lines = {
        QStringLiteral("#!/bin/sh"), QStringLiteral("cd -- ") + shWord(folder) + QStringLiteral(" || exit 1"),
        QStringLiteral("cat -- ") + words.join(u' ') + QStringLiteral(" > ") + shWord(destination)};
    batch.lineEnd = LineEnd::Lf;
    batch.executable = true;
    return batch;
}

PlannedTextFile conversionList(const QStringList &entries, const QString &folder)
{
    PlannedTextFile list;
    list.lines.reserve(entries.size());
    for (const QString &entry : entries) {
        if (holdsLineBreak(entry))
            return refusal(PlannedTextFile::Refusal::List, entry);
        list.lines << entry + u',' + entry + QStringLiteral(".AVI,") + ConversionSettings;
    }
    list.path = Paths::join(folder, QStringLiteral("myPocketDivXbatch.pde"));
    list.lineEnd = LineEnd::CrLf;
    return list;
}
