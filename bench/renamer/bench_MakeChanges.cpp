// MAKE CHANGES over 10,000 matching files in one folder, through the real
// window, against a bare loop of the same 20,000 renames on an equal folder.

#include "TempFolder.h"

#include "app/DesktopHost.h"
#include "app/controls/FileListBox.h"
#include "renamer/frmRENAMER.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

namespace {

constexpr int Files = 10000;
constexpr int Rounds = 3;

QString fileName(int i)
{
    return QStringLiteral("movie.name.%1.avi").arg(i, 5, 10, QLatin1Char('0'));
}

void fill(const TempFolder &folder)
{
    QStringList names;
    for (int i = 0; i < Files; ++i)
        names << fileName(i);
    folder.make(names);
}

// Through a temporary name to the upper-case new name, as MAKE CHANGES does.
double bareLoopSeconds()
{
    TempFolder folder;
    fill(folder);
    const QByteArray dir = QFile::encodeName(folder.path()) + '/';
    QList<QByteArray> olds, temporaries, news;
    for (int i = 0; i < Files; ++i) {
        olds << dir + QFile::encodeName(fileName(i));
        temporaries << dir + QFile::encodeName(TemporaryNamePrefix + QString::number(i + 1));
        news << dir + QFile::encodeName(fileName(i).toUpper().replace("MOVIE", "FILM"));
    }
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Files; ++i) {
        ::rename(olds[i].constData(), temporaries[i].constData());
        ::rename(temporaries[i].constData(), news[i].constData());
    }
    return timer.nsecsElapsed() / 1e9;
}

double makeChangesSeconds(DesktopHost &host)
{
    TempFolder folder;
    fill(folder);
    frmRENAMER window(host, nullptr);
    window.show();
    window.findChild<QLineEdit *>("Text4")->setText(folder.path());
    window.findChild<QLineEdit *>("Text3")->setText(QStringLiteral("movie"));
    window.findChild<QLineEdit *>("Text2")->setText(QStringLiteral("film"));
    QPushButton *makeChanges = window.findChild<QPushButton *>("Command3");

    QElapsedTimer timer;
    timer.start();
    makeChanges->click();
    const double seconds = timer.nsecsElapsed() / 1e9;

    const QStringList listed = window.findChild<FileListBox *>("File1")->items();
    if (listed.size() != Files || listed.first() != QLatin1String("FILM.NAME.00000.AVI"))
        qFatal("MAKE CHANGES did not rename every file");
    return seconds;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DesktopHost host;
    double bestBare = 1e9, bestEngine = 1e9;
    for (int round = 1; round <= Rounds; ++round) {
        const double bare = bareLoopSeconds();
        const double engine = makeChangesSeconds(host);
        std::printf("round %d: bare loop %.3f s, MAKE CHANGES %.3f s\n", round, bare, engine);
        bestBare = std::min(bestBare, bare);
        bestEngine = std::min(bestEngine, engine);
    }
    std::printf("MAKE CHANGES over %d files: %.3f s; bare loop of %d renames: %.3f s; "
                "ratio %.2f (target 1.3 or less)\n",
                Files, bestEngine, 2 * Files, bestBare, bestEngine / bestBare);
    return 0;
}
