// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestHost.h"

#include "gui/combiner/CombinerControls.h"
#include "gui/combiner/CombinerWindow.h"
#include "gui/controls/FileListBox.h"
#include "gui/controls/ListBox.h"
#include "gui/folderer/FoldererControls.h"
#include "gui/folderer/FoldererWindow.h"
#include "gui/renamer/RenamerControls.h"
#include "gui/renamer/RenamerWindow.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QUrl>

class QMimeData;

// The file URLs of paths, as a file manager gives them.
QList<QUrl> fileUrls(const QStringList &paths);
// Drags data over list and drops it there, as the file manager does: the
// events reach the list's viewport. Whether the list took the drop.
bool dropOn(QAbstractItemView *list, const QMimeData &data);
bool dropOn(QAbstractItemView *list, const QList<QUrl> &urls);
// The entries of list's context menu, opened as a right click on row opens
// it and closed again: their captions, "off: " before those disabled.
QStringList contextMenuEntries(QAbstractItemView *list, int row);

// A table of a window's controls as its form lays them out, for a _data()
// function: each row tagged with a control's name, and its class, its text
// (a caption, or what a text box holds at first) and its place in twips.
void controlColumns();
void controlRow(const char *name, const char *kind, const QString &text, QRect twips);
// Compares the control of window that the current row names with the row;
// a list is empty, and keeps its rows in order.
void compareControl(QWidget *window);

// A tool's window over a test host for a test: shown, its controls found by
// their names (RenamerControls, FoldererControls, CombinerControls) as a
// user's script finds them.
template <class Window>
class WindowFixture {
public:
    explicit WindowFixture(TestHost &host)
        : window(new Window(host, host, nullptr))
    {
        window->show();
        window->activateWindow();
    }
    ~WindowFixture() { delete window; }

    template <typename T = QWidget>
    T *control(const char *name) const
    {
        T *found = window->template findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QLineEdit *text(const char *name) const { return control<QLineEdit>(name); }
    ListBox *list(const char *name) const { return control<ListBox>(name); }
    void click(const char *button) const { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    // Drops the files at paths on a list, as the file manager does.
    bool drop(const char *list, const QStringList &paths) const
    {
        return dropOn(this->list(list), fileUrls(paths));
    }

    QPointer<Window> window;
};

struct Folderer : WindowFixture<FoldererWindow> {
    using WindowFixture::WindowFixture;
    ListBox *files() const { return list(FoldererControls::files); }
    ListBox *folders() const { return list(FoldererControls::folders); }
};

struct Combiner : WindowFixture<CombinerWindow> {
    using WindowFixture::WindowFixture;
    ListBox *files() const { return list(CombinerControls::files); }
};

// The renamer, browsed to a folder through its path box when one is given.
struct Renamer : WindowFixture<RenamerWindow> {
    explicit Renamer(TestHost &host, const QString &folder = {})
        : WindowFixture(host)
    {
        if (!folder.isEmpty())
            text(RenamerControls::path)->setText(folder);
    }
    FileListBox *files() const { return control<FileListBox>(RenamerControls::files); }
    ListBox *preview() const { return list(RenamerControls::preview); }
    // The centre of a row of the file list, for mouse clicks.
    QPoint fileRow(int row) const { return files()->visualRect(files()->model()->index(row, 0)).center(); }
    // A double click on a row of the file list, with the press and release
    // that come before it.
    void doubleClickFile(int row) const
    {
        QTest::mouseClick(files()->viewport(), Qt::LeftButton, {}, fileRow(row));
        QTest::mouseDClick(files()->viewport(), Qt::LeftButton, {}, fileRow(row));
        QTest::mouseRelease(files()->viewport(), Qt::LeftButton, {}, fileRow(row));
    }
};
