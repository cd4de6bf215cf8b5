// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/words/NumberWords.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace {

// Every program that words sentences starts with the English plural forms
// ("1 name", "4,212 names"), as other languages' translations give theirs.
void installEnglishPlurals()
{
    static QTranslator english;
    if (english.load(QStringLiteral(":/translations/tamsells-file-utilities_en.qm")))
        QCoreApplication::installTranslator(&english);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installEnglishPlurals)

QString numberText(qsizetype number)
{
    return QLocale().toString(number);
}
