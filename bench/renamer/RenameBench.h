#pragma once

// What the renamer's benchmarks share: a host that records every rename, a
// bare replay of recorded renames, the window timed, and the median of rounds.

#include "Settle.h"
#include "TempFolder.h"
#include "TestHost.h"

#include "gui/renamer/frmRENAMER.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <algorithm>
#include <functional>
#include <fcntl.h>
#include <unistd.h>

// The test host with every rename it is asked for recorded.
class RecordingHost : public TestHost {
public:
    struct Rename {
        QString from, to;
    };
    QList<Rename> renames;

    Outcome RenameFile(const QString &oldPath, const QString &newPath) override
    {
        renames.append({oldPath, newPath});
        return TestHost::RenameFile(oldPath, newPath);
    }
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
                            const std::function<void(frmRENAMER &)> &press)
{
    frmRENAMER window(host, nullptr);
    window.show();
    window.findChild<QLineEdit *>("Text4")->setText(folder.path());
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
