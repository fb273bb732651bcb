// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line, read before the application object exists: --help and --version
// need no display, make no window and touch no file, and a command line the program does not
// take is refused just as quietly. --export-history writes the history as CSV to the file named
// and nothing else; --progress FOLDER opens the progress window instead of the trainer. The options
// Qt itself reads (-platform, -style, -session of a session manager, ...) are let through for
// QApplication.
#pragma once

#include <QString>

#include <optional>

// Prints the answer to --help, --version or a command line the program does not take, and
// gives the exit status; nothing when the program is to run.
// --export-history is answered here too: 0 once the file is written, 1 when the history cannot be
// read or the file cannot be written, with the reason on standard error.
std::optional<int> answerCommandLine(int argc, char *argv[]);

// The folder of --progress as given, an empty text when it names none (the program's own results
// folder), nothing when the program is to start as usual. For a command line answerCommandLine
// let through.
std::optional<QString> progressFolder(int argc, char *argv[]);
