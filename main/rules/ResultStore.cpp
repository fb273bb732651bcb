#include "main/rules/ResultStore.h"

#include <QLockFile>

struct ResultFileLock::Private {
    explicit Private(const QString &fileName)
        : lock(fileName + QStringLiteral(".lock"))
    {
    }
    QLockFile lock;
};

ResultFileLock::ResultFileLock(const QString &fileName)
    : d(std::make_unique<Private>(fileName))
{
    d->lock.setStaleLockTime(StaleLockMs);
    // Failing that, the save goes on: losing this run's games is worse than the small chance
    // of a write at the same moment as another copy's.
    (void)d->lock.tryLock(WaitMs);
}

ResultFileLock::~ResultFileLock() = default;
