// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// What the user is told of the names given to the program when it starts:
// every sentence made here, translatable.
class StartWords {
    Q_DECLARE_TR_FUNCTIONS(StartWords)
public:
    // Why a name was not opened: a second folder, or no folder.
    static QString secondFolder(const QString &name);
    static QString notAFolder(const QString &name);
    // The message that lists them, a line each.
    static QString notOpened(const QStringList &why);
};
