// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/Error.h"

Error::Error(const QString &message)
    : std::runtime_error(message.toStdString())
    , m_message(message)
{
}
