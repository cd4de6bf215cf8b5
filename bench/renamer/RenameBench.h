// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the renamer's benchmarks share: release-style names, a host that
// records every rename, a bare replay of recorded renames, the window timed,
// and the median of rounds.

#include "Settle.h"
#include "TempFolder.h"
#include "TestHost.h"

#include "gui/renamer/RenamerControls.h"
#include "gui/renamer/RenamerWindow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <random>
#include <fcntl.h>
#include <unistd.h>

// A renamer window starts in the current folder: the benchmarks run in an
// empty folder of their own, so that a window that has not yet reached the
// folder it is pointed at renames nothing where they were started.
inline const bool startedInAFolderOfTheirOwn = [] {
    static QTemporaryDir folder;
    if (!folder.isValid() || !QDir::setCurrent(folder.path()))
        qFatal("the benchmark found no empty folder of its own to start in");
    return true;
}();

// `count` names as they come from release groups: words, separators, a
// year, tags, brackets and an extension, in every letter case; no two alike
// but for letter case.
inline QStringList releaseNames(int count)
{
    const QStringList words{"the",  "big",  "night", "river", "lost",    "city",   "dark",  "star",
                            "road", "trip", "space", "story", "last",    "summer", "green", "house",
                            "old",  "man",  "sea",   "king",  "edition", "avenue"};
    const QStringList tags{"DVDRip",
                           "XviD",
                           "aXXo",
                           "HDTV",
                           "BRRip",
                           "BDRip",
                           "x264",
                           "PPVRip",
                           "UNRATED",
                           "Limited",
                           "iFLiX",
                           "HomeCinema",
                           "QSS",
                           "DVD",
                           "ESPiSE",
                           "AMIABLE",
                           "HAGGIS",
                           "P0W4",
                           "DVRMS",
                           "[DVD]",
                           "(Special Edition)",
                           "www.sharethefiles.com"};
    const QStringList extensions{"avi", "mkv", "mp4", "ts",  "m4v", "divx",
                                 "srt", "mpg", "AVI", "iso", "flv", "vob"};
    const QStringList separators{".", "_", " ", "-", ".."};

    std::mt19937 random(2012);
    auto pick = [&](const QStringList &from) {
        return from.at(random() % from.size());
    };
    QSet<QString> seen;
    QStringList names;
    while (names.size() < count) {
        const QString separator = pick(separators);
        QStringList parts;
        const int wordCount = 1 + random() % 4;
        for (int i = 0; i < wordCount; ++i) {
            QString word = pick(words);
            if (random() % 2)
                word[0] = word[0].toUpper();
            parts << word;
        }
        parts << QString::number(1940 + random() % 80);
        const int tagCount = random() % 4;
        for (int i = 0; i < tagCount; ++i)
            parts << pick(tags);
        const QString name = parts.join(separator) + u'.' + pick(extensions);
        if (!seen.contains(name.toUpper())) {
            seen.insert(name.toUpper());
            names << name;
        }
    }
    return names;
}

// The test host with every rename and folder made it is asked for recorded.
// SPECIAL BATCH's box is answered at once, as by a user who typed the answer
// and pressed OK before its preview came: the work is all done after OK.
class RecordingHost : public TestHost {
public:
    struct Rename {
        QString from, to;
    };
    QList<Rename> renames;
    QStringList madeFolders;

    Outcome rename(const QString &oldPath, const QString &newPath) override
    {
        renames.append({oldPath, newPath});
        return TestHost::rename(oldPath, newPath);
    }
    Outcome makeFolder(const QString &path) override
    {
        madeFolders << path;
        return TestHost::makeFolder(path);
    }
    QString askText(const Question &, const AnswerPreviewer &) override { return answers.takeFirst(); }
};

// Seconds that the recorded renames take as bare renameat2 calls, replayed
// on folder `to`, an equal copy of folder `from` where they were recorded.
inline double replaySeconds(const QList<RecordingHost::Rename> &renames, const TempFolder &from,
                            const TempFolder &to)
{
    auto moved = [&](const QString &path) {
        return QFile::encodeName(to.path() + path.mid(from.path().size()));
    };
    QList<QByteArray> olds, news;
    for (const RecordingHost::Rename &rename : renames) {
        olds << moved(rename.from);
        news << moved(rename.to);
    }
    settle();
    QElapsedTimer timer;
    timer.start();
    for (qsizetype i = 0; i < olds.size(); ++i)
        ::renameat2(AT_FDCWD, olds[i].constData(), AT_FDCWD, news[i].constData(), RENAME_NOREPLACE);
    return timer.nsecsElapsed() / 1e9;
}

// The number of files of folder whose name is no longer the one they had:
// each file holds its first name.
inline int renamedFiles(const TempFolder &folder)
{
    int renamed = 0;
    for (const QString &name : folder.names())
        renamed += folder.contents(name) != name;
    return renamed;
}

// Times press on the renamer window showing folder; the host records the renames.
inline double windowSeconds(RecordingHost &host, const TempFolder &folder,
                            const std::function<void(RenamerWindow &)> &press)
{
    RenamerWindow window(host, host, nullptr);
    window.show();
    window.findChild<QLineEdit *>(RenamerControls::path)->setText(folder.path());
    settle();
    QElapsedTimer timer;
    timer.start();
    press(window);
    return timer.nsecsElapsed() / 1e9;
}

inline double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}
