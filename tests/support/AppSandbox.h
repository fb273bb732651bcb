// A throw-away application folder for a window test: a temporary folder that holds the
// executable's path and is the current directory (where the result files live), with a
// FakePlatform installed for the sandbox's lifetime.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "tests/support/FakePlatform.h"

class AppSandbox {
public:
    AppSandbox();
    ~AppSandbox();
    AppSandbox(const AppSandbox &) = delete;
    AppSandbox &operator=(const AppSandbox &) = delete;

    // Path of a file or folder in the application folder.
    QString path(const QString &relative) const;
    void writeFile(const QString &relative, const QByteArray &content) const;
    QByteArray readFile(const QString &relative) const;
    void makeFolder(const QString &relative) const;

    FakePlatform fake;

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    PlatformOverride m_override;
};
