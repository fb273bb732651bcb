// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line. It takes no arguments of its own beyond --help and --version, and
// is read before the application object exists: both answers then need no display, make no
// window and touch no file, and a command line the program does not take is refused just as
// quietly. The options Qt itself reads (-platform, -style, -session of a session manager, ...)
// are let through for QApplication.
#pragma once

#include <optional>

// Prints the answer to --help, --version or a command line the program does not take, and
// gives the exit status; nothing when the program is to run.
std::optional<int> answerCommandLine(int argc, char *argv[]);
