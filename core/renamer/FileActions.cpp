// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/FileActions.h"

#include "core/base/Paths.h"

namespace FileActions {

namespace {

// The player lives at a fixed place on Windows and on the search path elsewhere.
#ifdef Q_OS_WIN
const QString PlayerProgram = QStringLiteral(R"(C:\Program Files\VideoLAN\VLC\vlc.exe)");
#else
const QString PlayerProgram = QStringLiteral("vlc");
#endif
const QString ConverterProgram = QStringLiteral("clit");

} // namespace

Action actionFor(const QString &entry)
{
    if (entry.size() <= 4)
        return Action::Nothing;
    return entry.right(4).toUpper() == u".LIT" ? Action::Convert : Action::Play;
}

ProgramCall playerCall(const QString &folder, const QString &entry)
{
    return {PlayerProgram, {Paths::join(folder, entry)}};
}

ProgramCall converterCall(const QString &folder, const QString &entry)
{
    // The input is named as listed: on a host that tells letter cases apart
    // the upper-cased name would name no file.
    QString stem = entry.left(entry.size() - 4);
    stem.replace(u' ', u'_');
    return {ConverterProgram,
            {Paths::join(folder, entry),
             Paths::join(folder, stem + QStringLiteral("_html") + Paths::separator())}};
}

} // namespace FileActions
