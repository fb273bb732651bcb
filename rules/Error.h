// SPDX-License-Identifier: GPL-3.0-or-later
// The program reports failures as exceptions of this one type. The text is what the error
// box shows; the event guard (EventGuard.h) catches it at the entry of every event handler.
#pragma once

#include <QString>

#include <stdexcept>

class Error : public std::runtime_error {
public:
    explicit Error(const QString &message);

    QString message() const { return m_message; }

private:
    QString m_message;
};
