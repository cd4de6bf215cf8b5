#include "gui/DesktopHost.h"

#include "gui/AnswerPreviewBox.h"
#include "gui/WorkProgressBox.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMimeData>
#include <QMessageBox>

void DesktopHost::ShowMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, Title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

QString DesktopHost::AskText(const QString &prompt, const QString &title,
                             const QString &defaultText, const QString &hint,
                             const AnswerPreviewer &previewer)
{
    return AnswerPreviewBox::ask(QApplication::activeWindow(), prompt, title, defaultText, hint,
                                 previewer);
}

QStringList DesktopHost::AskFiles(const QString &title, const QString &folder)
{
    return QFileDialog::getOpenFileNames(QApplication::activeWindow(), title, folder);
}

QByteArray DesktopHost::ClipboardData(const QString &mimeType)
{
    const QMimeData *content = QGuiApplication::clipboard()->mimeData();
    return content ? content->data(mimeType) : QByteArray();
}

void DesktopHost::RunLongWork(const QString &what, const std::function<void(WorkProgress &)> &work)
{
    SharedProgress progress;
    WorkProgressBox box(what, progress);
    runLongWork(work, progress, [&box] { box.update(); }, [&progress] { progress.stop(); });
}
