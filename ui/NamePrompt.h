// SPDX-License-Identifier: GPL-3.0-or-later
// The name prompt of a new top entry: the modal input box comes back until the name passes the
// records' rule; each answer is remembered in the hidden box of the last name, passing or not.
#pragma once

#include <QString>

#include <optional>

class QLineEdit;

// The name as the records keep it, or nothing when the program is asked to end meanwhile:
// the entry then waits for its name until the next run.
std::optional<QString> askPlayerName(QLineEdit &lastName);
