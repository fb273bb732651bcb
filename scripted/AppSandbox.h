// SPDX-License-Identifier: GPL-3.0-or-later
// A throw-away application folder to run the windows in: a temporary folder that holds the
// executable's path and is the current directory (where the result files live), with a
// ScriptedPlatform installed for the sandbox's lifetime. The window is made after the files it
// should find are in place.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "scripted/ScriptedPlatform.h"

class AppSandbox {
public:
    AppSandbox();
    ~AppSandbox();
    AppSandbox(const AppSandbox &) = delete;
    AppSandbox &operator=(const AppSandbox &) = delete;

    QString folder() const { return m_dir.path(); }
    // Path of a file or folder in the application folder.
    QString path(const QString &relative) const;
    void writeFile(const QString &relative, const QByteArray &content) const;
    QByteArray readFile(const QString &relative) const;
    void makeFolder(const QString &relative) const;

    ScriptedPlatform platform;

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    PlatformOverride m_override;
};
