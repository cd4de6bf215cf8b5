// SPDX-License-Identifier: GPL-3.0-or-later
// MAKE CHANGES over 10,000 matching files in one folder, and the upper-case
// walk of SPECIAL BATCH over 10,000 files, through the real window, each
// against a bare loop of the renames it asked for, on an equal folder.

#include "RenameBench.h"

#include "gui/controls/FileListBox.h"
#include "gui/renamer/RenamerControls.h"
#include "gui/renamer/RenamerWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>
#include <functional>
#include <list>

namespace {

constexpr int Files = 10000;
constexpr int Rounds = 5;

QStringList fileNames()
{
    QStringList names;
    for (int i = 0; i < Files; ++i)
        names << QStringLiteral("movie.name.%1.avi").arg(i, 5, 10, QLatin1Char('0'));
    return names;
}

// Rounds of press against the bare replay of its renames; prints the figures.
void measure(const char *what, const QStringList &names, const QString &expectedFirst,
             const std::function<void(RecordingHost &, RenamerWindow &)> &press)
{
    std::list<TempFolder> windowFolders(Rounds), bareFolders(Rounds);
    for (const std::list<TempFolder> *folders : {&windowFolders, &bareFolders})
        for (const TempFolder &folder : *folders)
            folder.make(names);
    QList<double> windowTimes, bareTimes, ratios;
    qsizetype renames = 0;
    auto windowFolder = windowFolders.begin();
    auto bareFolder = bareFolders.begin();
    for (int round = 0; round < Rounds; ++round, ++windowFolder, ++bareFolder) {
        RecordingHost host;
        windowTimes << windowSeconds(host, *windowFolder,
                                     [&](RenamerWindow &window) { press(host, window); });
        bareTimes << replaySeconds(host.renames, *windowFolder, *bareFolder);
        ratios << windowTimes.last() / bareTimes.last();
        renames = host.renames.size();
        if (windowFolder->state() != bareFolder->state() || windowFolder->names().first() != expectedFirst
            || renamedFiles(*windowFolder) != Files)
            qFatal("%s did not rename every file", what);
    }
    std::printf("%s over %d files: %lld renames, %.3f per file (target 1)\n", what, Files,
                static_cast<long long>(renames), double(renames) / Files);
    std::printf("  window median %.3f s, bare loop of its renames median %.3f s, "
                "median ratio %.2f (target at most 1.3)\n",
                median(windowTimes), median(bareTimes), median(ratios));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList names = fileNames();
    measure("MAKE CHANGES", names, QStringLiteral("FILM.NAME.00000.AVI"),
            [](RecordingHost &, RenamerWindow &window) {
                window.findChild<QLineEdit *>(RenamerControls::changeThis)->setText(QStringLiteral("movie"));
                window.findChild<QLineEdit *>(RenamerControls::renameTo)->setText(QStringLiteral("film"));
                window.findChild<QPushButton *>(RenamerControls::makeChanges)->click();
            });
    measure("The upper-case walk", names, QStringLiteral("MOVIE.NAME.00000.AVI"),
            [](RecordingHost &host, RenamerWindow &window) {
                host.answers = {QStringLiteral("FILES")};
                window.findChild<QPushButton *>(RenamerControls::specialBatch)->click();
            });
    return 0;
}
