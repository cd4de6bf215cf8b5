#include "gui/DesktopHost.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QInputDialog>
#include <QMimeData>
#include <QMessageBox>

void DesktopHost::ShowMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, Title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

QString DesktopHost::AskText(const QString &prompt, const QString &title,
                             const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
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
