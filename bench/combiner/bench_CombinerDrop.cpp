// SPDX-License-Identifier: GPL-3.0-or-later
// A drop of many files onto the combiner's list, timed through the window's
// own drop handling, against a bare loop of the same attribute look-ups.

#include "TestHost.h"

#include "gui/controls/ListBox.h"
#include "gui/combiner/CombinerControls.h"
#include "gui/combiner/CombinerWindow.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int Runs = 3;

// Seconds for one drag and drop of urls onto a fresh, shown window, until
// the list has been laid out and painted.
double dropSeconds(const QList<QUrl> &urls)
{
    TestHost host;
    CombinerWindow window(host, host, nullptr);
    window.show();
    QCoreApplication::processEvents();
    auto *list = window.findChild<ListBox *>(CombinerControls::files);
    QMimeData data;
    data.setUrls(urls);
    QWidget *target = list->viewport();
    const QPointF at = target->rect().center();

    QElapsedTimer timer;
    timer.start();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
    const double seconds = timer.nsecsElapsed() / 1e9;

    if (list->count() != urls.size() || !host.messages.isEmpty())
        std::fprintf(stderr, "drop listed %d of %lld files\n", list->count(), qlonglong(urls.size()));
    return seconds;
}

// The look-ups the drop makes, one attribute reading per file, with nothing else.
double bareSeconds(const QList<QUrl> &urls)
{
    QElapsedTimer timer;
    timer.start();
    int files = 0;
    for (const QUrl &url : urls) {
        const QFileInfo info(url.toLocalFile());
        files += info.exists() && !info.isDir();
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (files != urls.size())
        std::fprintf(stderr, "bare loop found %d of %lld files\n", files, qlonglong(urls.size()));
    return seconds;
}

template <typename Measure>
double best(Measure measure)
{
    double fastest = measure();
    for (int i = 1; i < Runs; ++i)
        fastest = std::min(fastest, measure());
    return fastest;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir folder;

    // VOB sets in a shuffled drop order, so that the list has to place them.
    QList<QUrl> urls;
    for (int i = 0; i < ListBox::MaxRows; ++i) {
        const QString path = folder.filePath(QStringLiteral("Set %1/VTS_01_%2.VOB").arg(i / 9).arg(i % 9));
        if (i % 9 == 0)
            QDir().mkpath(QFileInfo(path).path());
        QFile(path).open(QIODevice::WriteOnly);
        urls << QUrl::fromLocalFile(path);
    }
    std::shuffle(urls.begin(), urls.end(), *QRandomGenerator::global());

    std::printf("%8s %12s %12s %8s\n", "rows", "drop (s)", "bare (s)", "ratio");
    double small = 0, large = 0;
    for (const int rows : {4096, ListBox::MaxRows}) {
        const QList<QUrl> dropped = urls.mid(0, rows);
        const double drop = best([&] { return dropSeconds(dropped); });
        const double bare = best([&] { return bareSeconds(dropped); });
        std::printf("%8d %12.4f %12.4f %8.2f\n", rows, drop, bare, drop / bare);
        (rows == ListBox::MaxRows ? large : small) = drop;
    }
    std::printf("32767-row drop: %.3f s (target under 1 s)\n", large);
    std::printf("32767 rows / 4096 rows: %.2f (target at most 12)\n", large / small);
    return 0;
}
