#include "main/TfmMain.h"

#include "ui_fmMain.h"

#include "main/rules/ArithmeticTask.h"
#include "main/rules/CategoryCode.h"
#include "rules/StrToInt.h"
#include "ui/Platform.h"

namespace {

const QString BadRangeMessage =
    QStringLiteral("Неверно заданы параметры от скольки и до скольки примеры.");

} // namespace

// A mixed kind needs a range that suits every operation it can draw.
bool TfmMain::rangeSuitsKind(qint32 minValue, qint32 maxValue) const
{
    switch (exerciseKind()) {
    case ExerciseKind::Addition:
    case ExerciseKind::Subtraction:
    case ExerciseKind::AdditionOrSubtraction:
    case ExerciseKind::AnyOperation:
        return rangeSuitsOperation(Operation::Addition, minValue, maxValue);
    case ExerciseKind::Multiplication:
    case ExerciseKind::Division:
    case ExerciseKind::MultiplicationOrDivision:
        return rangeSuitsOperation(Operation::Multiplication, minValue, maxValue);
    case ExerciseKind::None:
    case ExerciseKind::ForeignLanguage:
        break;
    }
    return true;
}

bool TfmMain::NextTask()
{
    m_task.TaskFailed = 0;

    const auto maxValue = tryStrToInt(ui->edMax->text());
    const auto minValue = tryStrToInt(ui->edMin->text());
    // A range that makes the kind's tasks meaningless is refused like one that is no number.
    if (!maxValue || !minValue || !rangeSuitsKind(*minValue, *maxValue)) {
        platform().showMessage(BadRangeMessage);
        return false;
    }
    m_task.MaxValue = *maxValue;
    m_task.MinValue = *minValue;

    m_task.TaskStart = platform().now();

    switch (exerciseKind()) {
    case ExerciseKind::AdditionOrSubtraction:
        m_task.Operation = Random(2);
        break;
    case ExerciseKind::MultiplicationOrDivision:
        m_task.Operation = static_cast<qint32>(Operation::Multiplication) + Random(2);
        break;
    case ExerciseKind::AnyOperation: {
        const qint32 row = Random(2);
        m_task.Operation = static_cast<qint32>(Operation::Multiplication) * row + Random(2);
        break;
    }
    default:
        m_task.Operation = CategoryCode();
        break;
    }

    if (isArithmetic(m_task.Operation))
        makeArithmeticTask();
    if (exerciseKind() == ExerciseKind::ForeignLanguage)
        makeDictionaryTask();

    centreHorizontally(*ui->lbTextPraxis);
    centreHorizontally(*ui->lbScore);
    return true;
}

void TfmMain::makeArithmeticTask()
{
    const ArithmeticTask task = ::makeArithmeticTask(static_cast<Operation>(m_task.Operation),
                                                     m_task.MinValue, m_task.MaxValue, m_random);
    m_task.RightAnswer = task.answer;
    ui->lbTextPraxis->setCaption(task.caption);
}

void TfmMain::centreHorizontally(QWidget &control) const
{
    control.move((frameGeometry().width() - control.width()) / 2, control.y());
}

qint32 TfmMain::CategoryCode() const
{
    return categoryCode(ui->cmbAction->currentIndex(), ui->cmbDicFiles->currentText(),
                        ui->cbReverse->isChecked());
}
