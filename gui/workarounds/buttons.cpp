// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Push buttons. Qt 6.4.2 says a button is "controller for" whatever object
// receives its clicked() signal: every button of a form names the form (a
// filler), a dialog's its dialog, a message box's OK its button box. None
// of these is a control the button works on, and a reader that follows the
// relation lands on a panel. To see it: ask AT-SPI for a button's relation
// set. No Qt bug report known. Here a button is described as Qt does, but
// for that relation.

#include "gui/workarounds/parts.h"

#include <QAccessibleWidget>
#include <QPushButton>

namespace tolvaren {

namespace {

class ButtonAccessible : public QAccessibleWidget {
  public:
    explicit ButtonAccessible(QPushButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    QPushButton *button() const { return static_cast<QPushButton *>(widget()); }

    // Its own name, else its caption (Qt's base would take the title of
    // the group box it sits in).
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? button()->text().remove(u'&') : name;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->isDown();
        s.defaultButton = button()->isDefault();
        s.checkable = button()->isCheckable();
        s.checked = button()->isChecked();
        return s;
    }
    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }
    // Clicked a moment later, as Qt does: a box the click opens does not
    // hold back the answer to the reader.
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            button()->animateClick();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface *buttonAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("QPushButton"))
        if (auto *button = qobject_cast<QPushButton *>(object))
            return new ButtonAccessible(button);
    return nullptr;
}

} // namespace

void workarounds::installButtons() { QAccessible::installFactory(buttonAccessible); }

} // namespace tolvaren
