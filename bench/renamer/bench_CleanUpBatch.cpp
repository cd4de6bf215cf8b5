// The clean-up batch of SPECIAL BATCH over 5,000 release-style names in one
// folder, through the real window. Every rename that the batch asks of the
// host is recorded, then replayed as bare system calls on an equal copy of
// the starting folder.

#include "TempFolder.h"
#include "TestHost.h"

#include "renamer/frmRENAMER.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace {

constexpr int Names = 5000;

// Names as they come from release groups: words, separators, a year,
// tags, brackets and an extension, in every letter case.
QStringList releaseNames()
{
    const QStringList words{"the", "big", "night", "river", "lost", "city", "dark", "star",
                            "road", "trip", "space", "story", "last", "summer", "green",
                            "house", "old", "man", "sea", "king", "edition", "avenue"};
    const QStringList tags{"DVDRip", "XviD", "aXXo", "HDTV", "BRRip", "BDRip", "x264",
                           "PPVRip", "UNRATED", "Limited", "iFLiX", "HomeCinema", "QSS",
                           "DVD", "ESPiSE", "AMIABLE", "HAGGIS", "P0W4", "DVRMS", "[DVD]",
                           "(Special Edition)", "www.sharethefiles.com"};
    const QStringList extensions{"avi", "mkv", "mp4", "ts", "m4v", "divx", "srt", "mpg",
                                 "AVI", "iso", "flv", "vob"};
    const QStringList separators{".", "_", " ", "-", ".."};

    std::mt19937 random(2012);
    auto pick = [&](const QStringList &from) { return from.at(random() % from.size()); };
    QSet<QString> seen;
    QStringList names;
    while (names.size() < Names) {
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

// The test host answering YES, with every rename and engine call counted.
class RecordingHost : public TestHost {
public:
    struct Rename {
        QString from, to;
    };
    QList<Rename> renames;
    int performed = 0;
    int engineCalls = 0;

    bool RenameFile(const QString &oldPath, const QString &newPath) override
    {
        renames.append({oldPath, newPath});
        const bool ok = TestHost::RenameFile(oldPath, newPath);
        performed += ok;
        return ok;
    }
    // The engine seeds the random source once per call that has files to see.
    void SeedRandom(quint32 seed) override
    {
        ++engineCalls;
        TestHost::SeedRandom(seed);
    }
};

QByteArray moved(const QString &path, const QString &from, const QString &to)
{
    return QFile::encodeName(to + path.mid(from.size()));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList names = releaseNames();
    TempFolder batchFolder, replayFolder;
    batchFolder.make(names);
    replayFolder.make(names);

    RecordingHost host;
    host.answers = {QStringLiteral("YES")};
    frmRENAMER window(host, nullptr);
    window.show();
    window.findChild<QLineEdit *>("Text4")->setText(batchFolder.path());

    // Both timed runs start with the file system's writes settled.
    ::sync();
    QElapsedTimer timer;
    timer.start();
    window.findChild<QPushButton *>("Command5")->click();
    const double batchSeconds = timer.nsecsElapsed() / 1e9;
    if (host.messages != QStringList{"Special Batch Completed!"})
        qFatal("the batch did not complete");

    QList<QByteArray> from, to;
    for (const RecordingHost::Rename &rename : host.renames) {
        from << moved(rename.from, batchFolder.path(), replayFolder.path());
        to << moved(rename.to, batchFolder.path(), replayFolder.path());
    }
    ::sync();
    timer.restart();
    for (qsizetype i = 0; i < from.size(); ++i)
        ::renameat2(AT_FDCWD, from[i].constData(), AT_FDCWD, to[i].constData(), RENAME_NOREPLACE);
    const double replaySeconds = timer.nsecsElapsed() / 1e9;

    if (batchFolder.names() != replayFolder.names() || batchFolder.names().size() != Names)
        qFatal("the replay did not end where the batch did");

    std::printf("clean-up batch over %d names: %.3f s, %d engine calls, %d renames "
                "(%lld asked), %.0f renames per second\n",
                Names, batchSeconds, host.engineCalls, host.performed,
                static_cast<long long>(host.renames.size()), host.performed / batchSeconds);
    std::printf("bare replay of the same renames: %.3f s; ratio %.2f (target 1.5 or less)\n",
                replaySeconds, batchSeconds / replaySeconds);
    return 0;
}
