// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClashingFolders.h"

#include <QSet>

namespace {

template <typename T>
const T &pick(std::mt19937 &random, const QList<T> &from)
{
    return from.at(random() % from.size());
}

bool chance(std::mt19937 &random, int percent)
{
    return int(random() % 100) < percent;
}

QString inSomeCase(std::mt19937 &random, const QString &word)
{
    switch (random() % 3) {
    case 0:
        return word.toLower();
    case 1:
        return word.toUpper();
    default:
        return word.left(1).toUpper() + word.mid(1).toLower();
    }
}

// A release name of a title: its words, a year, some tags and an extension,
// joined by one separator.
QString releaseName(std::mt19937 &random, const QStringList &title, const QString &year,
                    QString extension = {})
{
    static const QStringList tags{"DVDRip",  "XviD",    "aXXo",  "HDTV", "[DVD]",
                                  "unrated", "Edition", "iFLiX", "(x)",  "BRRip"};
    static const QStringList separators{".", "_", " ", "-", ".."};
    static const QStringList extensions{"avi", "AVI", "mkv", "txt", "srt", "-"};
    QStringList parts;
    for (const QString &word : title)
        parts << inSomeCase(random, word);
    if (!year.isEmpty())
        parts << year;
    for (int tag = int(random() % 3); tag > 0; --tag)
        parts << inSomeCase(random, pick(random, tags));
    if (extension.isEmpty())
        extension = pick(random, extensions);
    if (extension == u"-")
        extension.clear();
    const QString name = parts.join(pick(random, separators));
    return extension.isEmpty() ? name : name + u'.' + extension;
}

} // namespace

ClashingFolder clashingFolder(std::mt19937 &random, bool caseBlind)
{
    static const QStringList words{"road", "trip", "dark", "star", "big", "sea", "x"};
    static const QStringList years{"1999", "2004", "2012", "1949", ""};
    static const QStringList filters{"*.*", "*.*", "*.*", "*.avi", "*r*", "?oad*;*.mkv"};

    ClashingFolder folder;
    QSet<QString> taken;
    auto add = [&](QStringList &to, const QString &name) {
        const QString key = caseBlind ? name.toUpper() : name;
        if (name.trimmed().isEmpty() || name.startsWith(u'.') || taken.contains(key))
            return;
        taken.insert(key);
        to << name;
    };

    QList<QStringList> titles;
    for (int t = 1 + int(random() % 3); t > 0; --t) {
        QStringList title;
        for (int w = 1 + int(random() % 2); w > 0; --w)
            title << pick(random, words);
        titles << title;
    }
    // More variants of one title than counter suffixes, now and then.
    const int files = chance(random, 15) ? 24 : 4 + int(random() % 14);
    const QString floodYear = pick(random, years);
    for (int i = 0; i < files; ++i) {
        const bool flood = files == 24;
        const QString name = flood ? releaseName(random, titles.first(), floodYear, inSomeCase(random, "avi"))
                                   : releaseName(random, pick(random, titles), pick(random, years));
        add(folder.files, name);
        if (!caseBlind && chance(random, 15))
            add(folder.files, name.toUpper()); // a twin in another letter case
    }
    // More names that one step folds onto one name than there are counter
    // suffixes: each tag of the pass table once, or twins in every case.
    if (chance(random, 10)) {
        static const QStringList passTags{
            "DVDRIP",  "DVD",        "BDRIP", "BRRIP",  "BRR",     "PPVRIP",   "PPVR",    "PPV",
            "HDTV",    "XVID",       "AXXO",  "ESPISE", "AMIABLE", "DOWNLOAD", "Absolon", "limited",
            "unrated", "homecinema", "QSS",   "DVRMS",  "P0W4",    "IFLIX",    "HAGGIS"};
        for (const QString &tag : passTags)
            add(folder.files, QStringLiteral("big.sea.%1.avi").arg(inSomeCase(random, tag)));
    } else if (!caseBlind && chance(random, 10)) {
        while (folder.files.size() < files + 22) {
            QString twin = QStringLiteral("dark.star.dvdrip.avi");
            for (QChar &c : twin)
                c = random() % 2 ? c.toUpper() : c;
            add(folder.files, twin);
        }
    }
    if (chance(random, 30)) // a folder named like a cleaned file
        add(folder.folders, inSomeCase(random, pick(random, titles).join(u' ')) + u'.'
                                + pick(random, QStringList{"AVI", "MKV"}));
    if (chance(random, 15))
        add(folder.folders, folder.files.value(0).toUpper() + QStringLiteral(".1"));
    if (chance(random, 10)) // near the length limit, where counters no longer fit
        add(folder.files, QString(244 + int(random() % 8), u'r') + QStringLiteral(".2004.avi"));
    if (chance(random, 10))
        add(folder.files, QStringLiteral("  ") + folder.files.value(0));
    if (chance(random, 10))
        add(folder.files, folder.files.value(0) + QStringLiteral("  "));
    if (chance(random, 10))
        folder.missing << QStringLiteral("road.trip.gone.avi");
    folder.filter = pick(random, filters);
    return folder;
}

QString shortFromText(std::mt19937 &random)
{
    static const QStringList texts{"", ".", "a", "R", "o", "avi", "2004", " ", "_", "dvd", "ip", "x"};
    return pick(random, texts);
}

QString shortToText(std::mt19937 &random)
{
    static const QStringList texts{"", ".", " ", "x", "AVI", "a.avi", "  ", "1", ":", "r"};
    return pick(random, texts);
}
