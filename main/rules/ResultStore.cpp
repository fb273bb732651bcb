// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/rules/ResultStore.h"

#include <QFile>

void prepareResultFile(const QString &fileName)
{
    QFile file;
    // Read-write, so that a file the program could not save later fails now, not at exit.
    if (openRegularFile(file, fileName, QIODevice::ReadWrite, MaxResultFileBytes))
        return;
    file.setFileName(fileName);
    // NewOnly: a file that appeared meanwhile is never truncated.
    (void)file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
}

ResultFileLock::ResultFileLock(const QString &fileName)
    : m_lock(fileName + QStringLiteral(".lock"))
{
    m_lock.setStaleLockTime(StaleLockMs);
    // Failing that, the save goes on: losing this run's games is worse than the small chance
    // of a write at the same moment as another copy's.
    (void)m_lock.tryLock(WaitMs);
}
