// SPDX-License-Identifier: GPL-3.0-or-later
// The release-name parser behind TITLES over 100,000 names made the way
// release groups, P2P sites and fansubbers make them, timed (target: at most
// 0.4 s); then TITLES planned over a folder of 30,000 of them, as the
// renamer plans it before it renames (target: at most 0.25 s). Given a file of names, one a
// line, it prints each name and its clean name instead (the name itself
// when no title is found), for scoring against names with known titles.

#include "core/base/RowOrder.h"
#include "core/renamer/BatchJob.h"
#include "core/renamer/ReleaseName.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTextStream>
#include <cstdio>
#include <random>

namespace {

constexpr int Names = 100000;
constexpr int Planned = 30000;
// Names are read as on today's date, as the renamer reads them.
const int LatestYear = QDate::currentDate().year() + 1;

QStringList generatedNames(int count)
{
    const QStringList words{"the",    "last",  "night",     "river",    "lost",   "city",   "dark",   "star",
                            "road",   "house", "of",        "dragon",   "king",   "blade",  "runner", "mad",
                            "max",    "fury",  "office",    "breaking", "bad",    "silent", "hill",   "black",
                            "mirror", "true",  "detective", "queen",    "amélie", "город",  "2012"};
    const QStringList tags{"1080p",    "720p",           "2160p",  "BluRay",        "WEB-DL", "WEBRip",
                           "HDTV",     "x264",           "x265",   "H.264",         "HEVC",   "10bit",
                           "DDP5.1",   "DD5.1",          "AAC2.0", "DTS-HD.MA.5.1", "Atmos",  "HDR",
                           "DV",       "AMZN",           "NF",     "DSNP",          "PROPER", "REPACK",
                           "EXTENDED", "Director's.Cut", "MULTi",  "FRENCH",        "iTA",    "GERMAN.DL",
                           "REMUX",    "DVDRip",         "XviD",   "AC3",           "IMAX",   "UNRATED"};
    const QStringList groups{"-SPARKS",    "-FLUX",  "-NTb",    "-RARBG",    "-YIFY", "-LOL",
                             "-DIMENSION", "-KiNGS", "[rarbg]", " [YTS.MX]", "-CMRG", ""};
    const QStringList leads{"", "", "", "", "[XCT] ", "www.Torrenting.com - ", "[TGx] "};
    const QStringList extensions{"mkv", "mkv", "mp4", "avi", "ts", "srt", "en.srt", "nfo", ""};
    const QStringList separators{".", ".", " ", "_"};
    std::mt19937 random(2049);
    const auto pick = [&](const QStringList &from) {
        return from.at(random() % from.size());
    };
    QStringList names;
    names.reserve(count);
    while (names.size() < count) {
        const QString separator = pick(separators);
        QStringList parts;
        for (int i = 0, wordCount = 1 + random() % 4; i < wordCount; ++i)
            parts << pick(words);
        const int form = random() % 10;
        if (form < 5) {
            parts << QString::number(1930 + random() % 95);
        } else if (form < 8) {
            const int season = 1 + random() % 12, episode = 1 + random() % 24;
            parts << (random() % 3
                          ? QStringLiteral("S%1E%2")
                                .arg(season, 2, 10, QLatin1Char('0'))
                                .arg(episode, 2, 10, QLatin1Char('0'))
                          : QStringLiteral("%1x%2").arg(season).arg(episode, 2, 10, QLatin1Char('0')));
            if (random() % 2)
                parts << pick(words) << pick(words);
        } else if (form < 9) {
            parts << QStringLiteral("- %1").arg(1 + random() % 99, 2, 10, QLatin1Char('0'));
        }
        for (int i = 0, tagCount = random() % 7; i < tagCount; ++i)
            parts << pick(tags);
        const QString extension = pick(extensions);
        names << pick(leads) + parts.join(separator) + pick(groups)
                     + (extension.isEmpty() ? QString() : u'.' + extension);
    }
    return names;
}

int printCleanNames(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    QTextStream in(&file);
    QTextStream out(stdout);
    while (!in.atEnd()) {
        const QString name = in.readLine();
        const std::optional<ReleaseName> release = parseReleaseName(name, LatestYear);
        out << name << '\t' << (release ? cleanReleaseName(*release) : name) << '\n';
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc > 1)
        return printCleanNames(QString::fromLocal8Bit(argv[1]));
    const QStringList names = generatedNames(Names);
    QElapsedTimer timer;
    timer.start();
    int found = 0;
    for (const QString &name : names)
        if (const std::optional<ReleaseName> release = parseReleaseName(name, LatestYear))
            found += !cleanReleaseName(*release).isEmpty();
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("TITLES over %d generated release names: %.0f ms, %.2f us a name, %d titles found "
                "(target: at most 400 ms)\n",
                Names, seconds * 1000, seconds * 1e6 / Names, found);

    // A folder of distinct names, read into memory as the renamer reads it.
    FolderContents folder;
    folder.readable = true;
    QStringList rows;
    QSet<QString> seen;
    for (const QString &name : names) {
        if (rows.size() == Planned)
            break;
        if (!name.isEmpty() && !seen.contains(name)) {
            seen.insert(name);
            rows << name;
        }
    }
    for (const QString &name : std::as_const(rows))
        folder.entries.append({name});
    sortInRowOrder(rows);
    timer.restart();
    const BatchPlan plan = planBatch(BatchJob::Titles, QStringLiteral("/videos"), folder,
                                     {rows, Wildcard(QStringLiteral("*.*")), LatestYear}, false);
    std::printf("TITLES planned over %lld names: %.0f ms, %lld renames (target: at most 250 ms)\n",
                qlonglong(rows.size()), timer.nsecsElapsed() / 1e6, qlonglong(plan.renames.renames.size()));
    return found > Names / 2 ? 0 : 1;
}
