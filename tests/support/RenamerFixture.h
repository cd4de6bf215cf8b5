#pragma once

#include "TestHost.h"
#include "gui/controls/FileListBox.h"
#include "gui/renamer/RenamerWindow.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

// The renamer window for a test: shown, browsed to a folder through its path
// box, its controls found by name as a user would find them.
struct Renamer {
    explicit Renamer(TestHost &host, const QString &folder = {}) : window(new RenamerWindow(host, host, nullptr))
    {
        window->show();
        window->activateWindow();
        if (!folder.isEmpty())
            text("Text4")->setText(folder);
    }
    ~Renamer() { delete window; }

    template <typename T = QWidget>
    T *control(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QLineEdit *text(const char *name) const { return control<QLineEdit>(name); }
    FileListBox *file1() const { return control<FileListBox>("File1"); }
    ListBox *list1() const { return control<ListBox>("List1"); }
    void click(const char *button) const
    {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }
    // The centre of a row of the file list, for mouse clicks.
    QPoint fileRow(int row) const
    {
        return file1()->visualRect(file1()->model()->index(row, 0)).center();
    }
    // A double click on a row of the file list, with the press and release
    // that come before it.
    void doubleClickFile(int row) const
    {
        QTest::mouseClick(file1()->viewport(), Qt::LeftButton, {}, fileRow(row));
        QTest::mouseDClick(file1()->viewport(), Qt::LeftButton, {}, fileRow(row));
        QTest::mouseRelease(file1()->viewport(), Qt::LeftButton, {}, fileRow(row));
    }

    QPointer<RenamerWindow> window;
};
