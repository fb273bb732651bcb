// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripted/AppSandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

AppSandbox::AppSandbox()
    : m_previousDir(QDir::currentPath())
    , m_override(platform)
{
    platform.exePath = m_dir.filePath(QStringLiteral("Tovelo2"));
    QDir::setCurrent(m_dir.path());
}

AppSandbox::~AppSandbox()
{
    QDir::setCurrent(m_previousDir);
}

QString AppSandbox::path(const QString &relative) const
{
    return m_dir.filePath(relative);
}

void AppSandbox::writeFile(const QString &relative, const QByteArray &content) const
{
    const QString target = path(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(target));
}

QByteArray AppSandbox::readFile(const QString &relative) const
{
    QFile file(path(relative));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void AppSandbox::makeFolder(const QString &relative) const
{
    QDir().mkpath(path(relative));
}
