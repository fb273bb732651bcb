// SPDX-License-Identifier: GPL-3.0-or-later
// Plays WAV files through the sound module (a library beside the program, built from
// ui/sound/), which is loaded on the first sound. When the module cannot be loaded the program
// stays silent: a missing sound is never an error. Only files that pass the WAV check
// (WavFile.h) reach the module.
#pragma once

#include <QLibrary>
#include <QString>

class SoundModule {
public:
    // The folder that holds the module; empty for the executable's own folder.
    explicit SoundModule(QString folder = {});

    // Does nothing when the file is not a WAV that the check accepts.
    void play(const QString &path);
    bool isLoaded() const { return m_play != nullptr; }

private:
    using PlayFunction = void (*)(const QString &);

    void load();

    QString m_folder;
    bool m_tried = false;
    PlayFunction m_play = nullptr;
    // Never unloaded: the sound effect it made lives as long as the application object.
    QLibrary m_library;
};
