#include "gui/words/NumberWords.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace {

// Every program that words sentences starts with the English plural forms.
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
    return QLocale(QLocale::English).toString(number);
}

QString countText(qsizetype number, const QString &one, const QString &many)
{
    return numberText(number) + u' ' + (number == 1 ? one : many);
}
