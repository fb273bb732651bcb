// SPDX-License-Identifier: GPL-3.0-or-later
// The reference start-up: a bare window with 37 plain controls, shown, quitting after its first
// paint, to compare the program's start-up with what Qt itself costs.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

#include "bench/FirstPaint.h"
#include "bench/PeakMemory.h"

namespace {
constexpr int ControlCount = 37;
constexpr int Columns = 6;
constexpr int CellWidth = 95;
constexpr int CellHeight = 28;
} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(582, 489);
    for (int i = 0; i < ControlCount; ++i) {
        QWidget *control = nullptr;
        switch (i % 6) {
        case 0:
            control = new QLabel(QStringLiteral("Метка"), &window);
            break;
        case 1:
            control = new QLineEdit(QStringLiteral("30"), &window);
            break;
        case 2:
            control = new QPushButton(QStringLiteral("Кнопка"), &window);
            break;
        case 3:
            control = new QCheckBox(QStringLiteral("Флажок"), &window);
            break;
        case 4:
            control = new QComboBox(&window);
            break;
        default:
            control = new QProgressBar(&window);
            break;
        }
        control->setGeometry((i % Columns) * CellWidth, (i / Columns) * CellHeight, CellWidth - 4,
                             CellHeight - 4);
    }
    FirstPaint quitAfterPaint(window);
    window.show();
    const int code = QApplication::exec();
    printPeakMemory();
    return code;
}
