// SPDX-License-Identifier: GPL-3.0-or-later
// The application folder of the running program (ui/rules/AppFolderPath.h); DataLocations.h
// says what moves elsewhere when the account cannot write there.
#pragma once

#include <QString>

#include "ui/rules/AppFolderPath.h"

QString AppFolder();
