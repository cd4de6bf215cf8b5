// SPDX-License-Identifier: GPL-3.0-or-later
// The clean-up batch, the upper-case walk and LIBRARY over 5,000 names on a
// slow volume, as a network share is: a FUSE volume whose every request
// waits 2 ms and which refuses a rename that must not replace (as sshfs
// does). Each through the real window against a bare loop of one existence
// check and one rename per file (LIBRARY: and one mkdir per folder it made),
// on an equal folder of the same volume: the volume's requests per file that
// moved, and the time.

#include "FaultVolume.h"
#include "RenameBench.h"

#include "gui/controls/FileListBox.h"
#include "gui/renamer/RenamerControls.h"
#include "gui/renamer/RenamerWindow.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr int Files = 5000;
const QString SlowShare = QStringLiteral("refuse-noreplace\ndelay-ms 2");

qint64 requests(const FaultVolume &volume)
{
    qint64 all = 0;
    const QMap<QString, qint64> counters = volume.counters();
    for (auto counter = counters.cbegin(); counter != counters.cend(); ++counter)
        if (!counter.key().contains(u'-')) // "renames-failed" and the like count twice
            all += counter.value();
    return all;
}

// Makes folder name on the volume, behind its back, holding names.
QString makeFolder(const FaultVolume &volume, const QString &name, const QStringList &names)
{
    QDir(volume.sourcePath()).mkdir(name);
    for (const QString &file : names) {
        QFile f(volume.sourcePath() + u'/' + name + u'/' + file);
        f.open(QIODevice::WriteOnly);
        f.write(file.toUtf8());
    }
    return volume.path() + u'/' + name;
}

void measure(FaultVolume &volume, const char *what, const QString &answer, const QStringList &names)
{
    static int round = 0;
    ++round;
    const QString windowFolder = makeFolder(volume, QStringLiteral("w%1").arg(round), names);
    const QString bareFolder = makeFolder(volume, QStringLiteral("b%1").arg(round), names);

    RecordingHost host;
    host.answers = {answer};
    // The window lists the folder before the volume turns slow.
    volume.command(QStringLiteral("reset"));
    RenamerWindow window(host, host, nullptr);
    window.show();
    window.findChild<QLineEdit *>(RenamerControls::path)->setText(windowFolder);
    settle();
    if (window.findChild<FileListBox *>(RenamerControls::files)->path() != windowFolder)
        qFatal("The renamer did not reach %s", qPrintable(windowFolder));
    volume.command(QStringLiteral("reset\n") + SlowShare);
    QElapsedTimer timer;
    timer.start();
    window.findChild<QPushButton *>(RenamerControls::specialBatch)->click();
    const double windowSeconds = timer.nsecsElapsed() / 1e9;
    const qint64 windowRequests = requests(volume);

    int renamed = 0;
    const QDir moved(volume.sourcePath() + QStringLiteral("/w%1").arg(round));
    for (QDirIterator files(moved.path(), QDir::Files, QDirIterator::Subdirectories); files.hasNext();)
        renamed += !names.contains(moved.relativeFilePath(files.next()));

    QList<QByteArray> olds, news, folders;
    for (const QString &made : std::as_const(host.madeFolders))
        folders << QFile::encodeName(bareFolder + made.mid(windowFolder.size()));
    for (const RecordingHost::Rename &rename : host.renames) {
        olds << QFile::encodeName(bareFolder + rename.from.mid(windowFolder.size()));
        news << QFile::encodeName(bareFolder + rename.to.mid(windowFolder.size()));
    }
    volume.command(QStringLiteral("reset\n") + SlowShare);
    timer.restart();
    for (const QByteArray &folder : std::as_const(folders))
        ::mkdir(folder.constData(), 0777);
    for (qsizetype i = 0; i < olds.size(); ++i) {
        struct statx info {};
        if (::statx(AT_FDCWD, news[i].constData(), AT_SYMLINK_NOFOLLOW | AT_STATX_FORCE_SYNC, STATX_TYPE,
                    &info)
            != 0)
            ::rename(olds[i].constData(), news[i].constData());
    }
    const double bareSeconds = timer.nsecsElapsed() / 1e9;
    const qint64 bareRequests = requests(volume);

    // The volume holds a descriptor for each name the kernel remembers:
    // removed through it, a round's names are forgotten before the next.
    volume.command(QStringLiteral("reset"));
    QDir(windowFolder).removeRecursively();
    QDir(bareFolder).removeRecursively();

    std::printf("%s over %d names on a slow volume (2 ms a request): %d files renamed\n", what, Files,
                renamed);
    std::printf("  requests per renamed file: %.2f, bare loop %.2f, ratio %.2f (target at most 1.25)\n",
                double(windowRequests) / renamed, double(bareRequests) / renamed,
                double(windowRequests) / bareRequests);
    std::printf("  window %.1f s, bare loop of an existence check and a rename per file %.1f s, "
                "ratio %.2f (target at most 1.25)\n",
                windowSeconds, bareSeconds, windowSeconds / bareSeconds);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FaultVolume volume;
    if (!volume.available()) {
        std::printf("The slow-volume benchmark needs a FUSE volume: %s\n", qPrintable(volume.whyNot()));
        return 0;
    }
    QStringList release, lower;
    for (int i = 0; i < Files; ++i) {
        release << QStringLiteral("Movie.Name.%1.%2.DVDRip.XviD.avi")
                       .arg(i, 4, 10, QLatin1Char('0'))
                       .arg(1950 + i % 63);
        lower << QStringLiteral("movie name %1.avi").arg(i, 4, 10, QLatin1Char('0'));
    }
    measure(volume, "The clean-up batch", QStringLiteral("YES"), release);
    measure(volume, "The upper-case walk", QStringLiteral("FILES"), lower);
    measure(volume, "LIBRARY", QStringLiteral("LIBRARY"), release);
    return 0;
}
