#include "main/TfmMain.h"

#include "ui_fmMain.h"

#include "ui/AutoSizeLabel.h"
#include "ui/WideButton.h"

namespace {
const QString OptionPrefix = QStringLiteral("btOption");
const QString RightAnswerPrefix = QStringLiteral("lbRightAnswer");
} // namespace

void TfmMain::cmbActionChange() {
    const bool foreign = exerciseKind() == ExerciseKind::ForeignLanguage;
    for (QWidget *range : {static_cast<QWidget *>(ui->lbMin), static_cast<QWidget *>(ui->lbMax),
                           static_cast<QWidget *>(ui->edMin), static_cast<QWidget *>(ui->edMax)})
        range->setVisible(!foreign);
    ui->cmbDicFiles->setVisible(foreign);
    ui->cbReverse->setVisible(foreign);
}

void TfmMain::LoadDictionary() {}

void TfmMain::makeDictionaryTask() {
    ui->lbTextPraxis->setCaption(QStringLiteral("dog"));
}

bool TfmMain::PlaceOption(const QString &) {
    return false;
}

void TfmMain::btOptionClick(WideButton *) {}

AutoSizeLabel *TfmMain::AddRightAnswerLabel(const QString &, int, int) {
    return nullptr;
}

std::vector<WideButton *> TfmMain::optionButtons() const {
    std::vector<WideButton *> buttons;
    for (WideButton *button : findChildren<WideButton *>()) {
        if (button->objectName().startsWith(OptionPrefix))
            buttons.push_back(button);
    }
    return buttons;
}

std::vector<AutoSizeLabel *> TfmMain::rightAnswerLabels() const {
    std::vector<AutoSizeLabel *> labels;
    for (AutoSizeLabel *label : findChildren<AutoSizeLabel *>(Qt::FindDirectChildrenOnly)) {
        if (label->objectName().startsWith(RightAnswerPrefix))
            labels.push_back(label);
    }
    return labels;
}

void TfmMain::removeRightAnswerLabels() {
    for (AutoSizeLabel *label : rightAnswerLabels())
        delete label;
}

void TfmMain::showRightAnswerLabels() {
    for (AutoSizeLabel *label : rightAnswerLabels())
        label->show();
}

void TfmMain::addFailedTaskLabel() {}
