// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExecStat/ExecStat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>
#include <limits>
#include <vector>

#include "ExecStat/rules/IniFile.h"
#include "rules/StrToInt.h"

namespace {

const QString CheckedText = QStringLiteral("True");
const QString UncheckedText = QStringLiteral("False");
constexpr int NoSelection = -1;

// The kinds of control whose state is kept, in the order in which they are tried.
enum class ControlKind { None, EditBox, UpDown, DropDownList, CheckBox };

ControlKind kindOf(const QWidget &control)
{
    if (qobject_cast<const QLineEdit *>(&control))
        return ControlKind::EditBox;
    if (qobject_cast<const QSpinBox *>(&control))
        return ControlKind::UpDown;
    if (qobject_cast<const QComboBox *>(&control))
        return ControlKind::DropDownList;
    if (qobject_cast<const QCheckBox *>(&control))
        return ControlKind::CheckBox;
    return ControlKind::None;
}

// The line edit inside a spin box or a combo box, a combo box's popup and the controls of
// other windows are parts of something else, not controls of their own.
bool belongsToAnotherControl(const QWidget &widget, const QWidget &owner)
{
    for (const QWidget *parent = widget.parentWidget(); parent && parent != &owner;
         parent = parent->parentWidget()) {
        if (parent->isWindow() || kindOf(*parent) != ControlKind::None)
            return true;
    }
    return false;
}

// The controls whose state is kept, in the order of their creation.
std::vector<QWidget *> stateControls(const QWidget &owner)
{
    std::vector<QWidget *> controls;
    for (QWidget *widget : owner.findChildren<QWidget *>()) {
        if (!widget->objectName().isEmpty() && kindOf(*widget) != ControlKind::None &&
            !belongsToAnotherControl(*widget, owner))
            controls.push_back(widget);
    }
    return controls;
}

// An up-down position is a signed 16-bit value; one beyond that range is held at its limit.
int upDownPosition(qint64 value)
{
    return static_cast<int>(std::clamp<qint64>(value, std::numeric_limits<qint16>::min(),
                                               std::numeric_limits<qint16>::max()));
}

QString stateOf(const QWidget &control)
{
    switch (kindOf(control)) {
    case ControlKind::EditBox:
        return static_cast<const QLineEdit &>(control).text();
    case ControlKind::UpDown:
        return QString::number(upDownPosition(static_cast<const QSpinBox &>(control).value()));
    case ControlKind::DropDownList:
        return QString::number(static_cast<const QComboBox &>(control).currentIndex());
    case ControlKind::CheckBox:
        return static_cast<const QCheckBox &>(control).isChecked() ? CheckedText : UncheckedText;
    case ControlKind::None:
        break;
    }
    return {};
}

void selectIndex(QComboBox &list, qint32 index)
{
    const bool inList = index >= 0 && index < list.count();
    list.setCurrentIndex(inList ? index : NoSelection);
}

// Setting a control in code raises none of the signals that stand for a user's change
// (textEdited, activated, clicked), so no handler runs.
void setState(QWidget &control, const QString &value)
{
    switch (kindOf(control)) {
    case ControlKind::EditBox:
        static_cast<QLineEdit &>(control).setText(value);
        break;
    case ControlKind::UpDown:
        static_cast<QSpinBox &>(control).setValue(upDownPosition(strToInt(value)));
        break;
    case ControlKind::DropDownList:
        selectIndex(static_cast<QComboBox &>(control), strToInt(value));
        break;
    case ControlKind::CheckBox:
        static_cast<QCheckBox &>(control).setChecked(value == CheckedText);
        break;
    case ControlKind::None:
        break;
    }
}

} // namespace

void SaveFormState(QWidget &owner, const QString &fileName, const QString &section)
{
    IniFile file(fileName);
    for (const QWidget *control : stateControls(owner))
        file.writeString(section, control->objectName(), stateOf(*control));
    file.flush();
}

void LoadFormState(QWidget &owner, const QString &fileName, const QString &section)
{
    const IniFile file(fileName);
    for (QWidget *control : stateControls(owner)) {
        const QString value = file.readString(section, control->objectName());
        if (!value.isEmpty())
            setState(*control, value);
    }
}
