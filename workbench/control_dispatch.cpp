#include "workbench/control_dispatch.h"

#include "ui_common/user_action.h"
#include "workbench/grow_to_text.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

void ControlDispatch::wire(QObject *control, std::function<void()> handler)
{
    handlers.emplace_back(control, handler);
    auto run = [this, handler = std::move(handler)] {
        runUserAction(window, handler);
        if (afterAction)
            runUserAction(window, afterAction);
    };
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        QObject::connect(edit, &QLineEdit::textChanged, &receiver, run);
    else if (auto *radio = qobject_cast<QRadioButton *>(control))
        QObject::connect(radio, &QRadioButton::toggled, &receiver, [run](bool checked) {
            if (checked)
                run();
        });
    else if (auto *box = qobject_cast<QCheckBox *>(control))
        QObject::connect(box, &QCheckBox::toggled, &receiver, run);
    else if (auto *button = qobject_cast<QPushButton *>(control))
        QObject::connect(button, &QPushButton::clicked, &receiver, run);
}

void ControlDispatch::runNested(QObject *control)
{
    for (const auto &[wired, handler] : handlers)
        if (wired == control) {
            handler();
            return;
        }
}

bool ControlDispatch::setEditText(QLineEdit *edit, const QString &text)
{
    if (edit->text() == text)
        return false;
    setEditTextQuietly(edit, text);
    runNested(edit);
    return true;
}

void ControlDispatch::setEditTextQuietly(QLineEdit *edit, const QString &text)
{
    {
        const QSignalBlocker quiet(edit);
        edit->setText(text);
    }
    // The text changed without a signal.
    if (growsToText(edit))
        growToText(edit);
}

void ControlDispatch::setCheckedQuietly(QAbstractButton *box, bool checked)
{
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
}

bool ControlDispatch::setChecked(QAbstractButton *box, bool checked)
{
    if (box->isChecked() == checked)
        return false;
    setCheckedQuietly(box, checked);
    // A radio button's handler runs only when it becomes checked.
    if (checked || !qobject_cast<QRadioButton *>(box))
        runNested(box);
    return true;
}
