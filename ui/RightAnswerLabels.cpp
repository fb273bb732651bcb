// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RightAnswerLabels.h"

#include <QFont>

#include "ui/AutoSizeLabel.h"
#include "ui/PictureBox.h"
#include "ui/Typefaces.h"

namespace {

const QString RightAnswerPrefix = QStringLiteral("lbRightAnswer");
const QString &RightAnswerFontFamily = Typeface::Sans; // Arial
constexpr int RightAnswerFontSize = 10;
constexpr int RightAnswerLeft = 10;
constexpr int RightAnswerTopBase = 110;
constexpr int RightAnswerLineHeight = 15;

// Labels and pictures are drawn on the window itself, beneath every other control.
bool drawnOnWindow(const QWidget &control)
{
    return qobject_cast<const AutoSizeLabel *>(&control) != nullptr ||
           qobject_cast<const PictureBox *>(&control) != nullptr;
}

} // namespace

AutoSizeLabel *AddRightAnswerLabel(QWidget &window, const QString &text, int number)
{
    auto *label = new AutoSizeLabel(&window);
    label->setObjectName(RightAnswerPrefix + QString::number(number));
    label->hide();
    label->setTextFormat(Qt::PlainText);
    label->setCaption(text);
    QFont font(RightAnswerFontFamily, RightAnswerFontSize);
    font.setBold(true);
    label->setFont(font);
    label->setAutoFillBackground(false);
    label->move(RightAnswerLeft, RightAnswerTopBase + RightAnswerLineHeight * number);
    for (QWidget *control : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control != label && !drawnOnWindow(*control)) {
            label->stackUnder(control);
            break;
        }
    }
    return label;
}

std::vector<AutoSizeLabel *> rightAnswerLabels(const QWidget &window)
{
    std::vector<AutoSizeLabel *> labels;
    for (AutoSizeLabel *label : window.findChildren<AutoSizeLabel *>(Qt::FindDirectChildrenOnly)) {
        if (label->objectName().startsWith(RightAnswerPrefix))
            labels.push_back(label);
    }
    return labels;
}

void syncRightAnswerLabels(QWidget &window, const QStringList &texts)
{
    std::vector<AutoSizeLabel *> labels = rightAnswerLabels(window);
    if (labels.size() > std::size_t(texts.size())) {
        for (AutoSizeLabel *label : labels)
            delete label;
        labels.clear();
    }
    for (auto number = qsizetype(labels.size()) + 1; number <= texts.size(); ++number)
        AddRightAnswerLabel(window, texts.at(number - 1), int(number));
}
