#include "main/TfmMain.h"

#include "ui_fmMain.h"

#include <QKeyEvent>

#include <array>

#include "main/rules/Dictionary.h"
#include "main/rules/DictionaryTask.h"
#include "ui/AutoSizeLabel.h"
#include "ui/DataLocations.h"
#include "ui/EventGuard.h"
#include "ui/PictureBox.h"
#include "ui/Typefaces.h"
#include "ui/WideButton.h"

namespace {

const QString OptionPrefix = QStringLiteral("btOption");
const QString RightAnswerPrefix = QStringLiteral("lbRightAnswer");
const QString EveryFile = QStringLiteral("*");
const QString NoEntriesCaption = QStringLiteral("dog");
// The hint of an option button that still waits for a text.
const QString FreeMark = QStringLiteral("-");
const QString QuestionAnswerSeparator = QStringLiteral(" - ");

constexpr int DicFilesTop = 12; // the row of the range boxes

const QString &RightAnswerFontFamily = Typeface::Sans; // Arial
constexpr int RightAnswerFontSize = 10;
constexpr int RightAnswerLeft = 10;
constexpr int RightAnswerTopBase = 110;
constexpr int RightAnswerLineHeight = 15;

void setPointSize(QWidget &control, int size)
{
    QFont font = control.font();
    font.setPointSize(size);
    control.setFont(font);
}

// btOption1 to btOption4, in the order that a draw or a key numbers them.
std::array<WideButton *, OptionCount> numberedOptions(const Ui::TfmMain &ui)
{
    return {ui.btOption1, ui.btOption2, ui.btOption3, ui.btOption4};
}

// Index of the option button that a key clicks, or -1. Keypad digits count too.
int optionIndexForKey(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers others = event.modifiers() & ~Qt::KeypadModifier;
    if (others != Qt::NoModifier || event.key() < Qt::Key_1 || event.key() > Qt::Key_4)
        return -1;
    return event.key() - Qt::Key_1;
}

// Labels and pictures are drawn on the window itself, beneath every other control.
bool drawnOnWindow(const QWidget &control)
{
    return qobject_cast<const AutoSizeLabel *>(&control) != nullptr ||
           qobject_cast<const PictureBox *>(&control) != nullptr;
}

} // namespace

void TfmMain::cmbActionChange()
{
    const bool foreign = exerciseKind() == ExerciseKind::ForeignLanguage;
    for (QWidget *range : {static_cast<QWidget *>(ui->lbMin), static_cast<QWidget *>(ui->lbMax),
                           static_cast<QWidget *>(ui->edMin), static_cast<QWidget *>(ui->edMax)})
        range->setVisible(!foreign);
    ui->cmbDicFiles->setVisible(foreign);
    ui->cbReverse->setVisible(foreign);
    if (!foreign)
        return;

    ui->cmbDicFiles->move(ui->cmbDicFiles->x(), DicFilesTop);
    ui->cmbDicFiles->clear();
    // The list shows readable names and keeps with each the path that opens it by its real
    // bytes.
    for (const ContentFile &file : listContent(Content::Dictionaries, EveryFile))
        ui->cmbDicFiles->addItem(file.name, file.path);
    if (ui->cmbDicFiles->count() > 0)
        ui->cmbDicFiles->setCurrentIndex(0);
}

void TfmMain::LoadDictionary()
{
    m_dictionary.DicCount = 0;
    m_dictionary.DicLines.clear();
    // With no file listed the path names the folder itself, which cannot be read either.
    const QVariant listed = ui->cmbDicFiles->currentData();
    const QString path =
        listed.isValid() ? listed.toString() : contentFilePath(Content::Dictionaries, QString());
    ParsedDictionary parsed = parseDictionary(readDictionaryFile(path));
    m_dictionary.DicUnicode = parsed.unicode ? 1 : 0;
    m_dictionary.DicLines = std::move(parsed.lines);
    m_dictionary.DicCount = static_cast<qint32>(m_dictionary.DicLines.size());
}

void TfmMain::makeDictionaryTask()
{
    ui->lbTextPraxis->setCaption(NoEntriesCaption);
    if (m_dictionary.DicCount <= 0)
        return;

    const DictionaryTask task =
        drawDictionaryTask(m_dictionary.DicLines, ui->cbReverse->isChecked(), m_random);
    m_dictionary.RightWord = task.rightWord;
    ui->lbTextPraxis->setCaption(task.question);
    setPointSize(*ui->lbTextPraxis, taskFontSize(task.question.size()));
    showOptions(task.options);
}

// Free buttons carry the free mark and no text, the others their text at a size that fits.
void TfmMain::showOptions(const OptionTexts &options)
{
    const auto buttons = numberedOptions(*ui);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        WideButton &button = *buttons[i];
        button.setHint(options[i] ? QString() : FreeMark);
        button.setText(options[i].value_or(QString()));
        if (options[i])
            setPointSize(button, optionFontSize(options[i]->size()));
    }
}

// One placement on the buttons as they stand: a taken button fails the call.
bool TfmMain::PlaceOption(const QString &text)
{
    OptionTexts options;
    const auto buttons = numberedOptions(*ui);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->hint() != FreeMark)
            options[i] = buttons[i]->text();
    }
    if (!placeOption(options, text, m_random))
        return false;
    showOptions(options);
    return true;
}

void TfmMain::btOptionClick(WideButton *sender)
{
    // Outside a dictionary game no click belongs to a game, so none may end one.
    if (sender == nullptr || !isGameRunning() || exerciseKind() != ExerciseKind::ForeignLanguage)
        return;
    if (sender->text() != m_dictionary.RightWord) {
        wrongAnswerSteps();
        return;
    }
    if (m_task.TaskFailed == 1)
        addFailedTaskLabel();
    rightAnswerSteps();
}

void TfmMain::addFailedTaskLabel()
{
    ++m_dictionary.RightAnswerLabels;
    AddRightAnswerLabel(
        ui->lbTextPraxis->caption() + QuestionAnswerSeparator + m_dictionary.RightWord,
        RightAnswerLeft,
        RightAnswerTopBase + RightAnswerLineHeight * m_dictionary.RightAnswerLabels);
}

AutoSizeLabel *TfmMain::AddRightAnswerLabel(const QString &text, int x, int y)
{
    auto *label = new AutoSizeLabel(this);
    label->setObjectName(RightAnswerPrefix + QString::number(m_dictionary.RightAnswerLabels));
    label->hide();
    label->setTextFormat(Qt::PlainText);
    label->setCaption(text);
    QFont font(RightAnswerFontFamily, RightAnswerFontSize);
    font.setBold(true);
    label->setFont(font);
    label->setAutoFillBackground(false);
    label->move(x, y);
    for (QWidget *control : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control != label && !drawnOnWindow(*control)) {
            label->stackUnder(control);
            break;
        }
    }
    return label;
}

void TfmMain::keyPressEvent(QKeyEvent *event)
{
    const int index = optionIndexForKey(*event);
    if (index < 0 || !isGameRunning() || exerciseKind() != ExerciseKind::ForeignLanguage) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    // A held key would otherwise answer again and again, which no mouse click can do.
    if (event->isAutoRepeat())
        return;
    WideButton *button = numberedOptions(*ui).at(static_cast<std::size_t>(index));
    guarded([this, button] { btOptionClick(button); });
}

std::vector<WideButton *> TfmMain::optionButtons() const
{
    std::vector<WideButton *> buttons;
    for (WideButton *button : findChildren<WideButton *>()) {
        if (button->objectName().startsWith(OptionPrefix))
            buttons.push_back(button);
    }
    return buttons;
}

std::vector<AutoSizeLabel *> TfmMain::rightAnswerLabels() const
{
    std::vector<AutoSizeLabel *> labels;
    for (AutoSizeLabel *label : findChildren<AutoSizeLabel *>(Qt::FindDirectChildrenOnly)) {
        if (label->objectName().startsWith(RightAnswerPrefix))
            labels.push_back(label);
    }
    return labels;
}

void TfmMain::removeRightAnswerLabels()
{
    for (AutoSizeLabel *label : rightAnswerLabels())
        delete label;
}

void TfmMain::showRightAnswerLabels()
{
    for (AutoSizeLabel *label : rightAnswerLabels())
        label->show();
}
