// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFixture.h"

#include "gui/controls/WindowLayout.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

QList<QUrl> fileUrls(const QStringList &paths)
{
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    return urls;
}

bool dropOn(QAbstractItemView *list, const QMimeData &data)
{
    const QPoint at = list->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &drop);
    return drop.isAccepted();
}

bool dropOn(QAbstractItemView *list, const QList<QUrl> &urls)
{
    QMimeData data;
    data.setUrls(urls);
    return dropOn(list, data);
}

QStringList contextMenuEntries(QAbstractItemView *list, int row)
{
    QStringList entries;
    // The menu runs an event loop of its own; it is read and closed from there.
    QTimer::singleShot(0, list, [&entries] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (const QAction *action : menu->actions())
            if (!action->isSeparator())
                entries << (action->isEnabled() ? QString() : QStringLiteral("off: ")) + action->text();
        menu->close();
    });
    const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(list->viewport(), &event);
    return entries;
}

void controlColumns()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("twips");
}

void controlRow(const char *name, const char *kind, const QString &text, QRect twips)
{
    QTest::newRow(name) << QString::fromLatin1(kind) << text << twips;
}

void compareControl(QWidget *window)
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QRect, twips);
    auto *control = window->findChild<QWidget *>(QLatin1String(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
    using WindowLayout::pixels;
    QCOMPARE(control->geometry(),
             QRect(pixels(twips.x()), pixels(twips.y()), pixels(twips.width()), pixels(twips.height())));
    if (auto *label = qobject_cast<QLabel *>(control))
        QCOMPARE(label->text(), text);
    else if (auto *box = qobject_cast<QLineEdit *>(control))
        QCOMPARE(box->text(), text);
    else if (auto *button = qobject_cast<QPushButton *>(control))
        QCOMPARE(button->text(), text);
    else if (auto *list = qobject_cast<ListBox *>(control)) {
        QCOMPARE(list->count(), 0);
        list->addItems({"b", "A"});
        QCOMPARE(list->items(), (QStringList{"A", "b"}));
    }
}
