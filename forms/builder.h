#pragma once

#include "forms/design.h"

#include <QHash>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace tolvaren {

// The widgets made from one form design, by control name.
class BuiltForm {
  public:
    QWidget *control(const QString &name) const { return m_controls.value(name); }
    template <typename T> T *as(const QString &name) const { return qobject_cast<T *>(control(name)); }
    // The controls that take the focus, in tab order.
    const QList<QWidget *> &tabOrder() const { return m_tabOrder; }
    QWidget *firstInTabOrder() const { return m_tabOrder.isEmpty() ? nullptr : m_tabOrder.front(); }

  private:
    friend BuiltForm buildForm(const design::Form &, QWidget *);
    QHash<QString, QWidget *> m_controls;
    QList<QWidget *> m_tabOrder;
};

// Makes every control of `form` as a child of `target` (frames first, so
// their buttons can sit inside them), at its designed place and look, each
// named after its design. Sets the target's size, colours, font and caption.
BuiltForm buildForm(const design::Form &form, QWidget *target);

// A designed colour as a Qt colour.
QColor toColour(design::Rgb c);

// The form's background picture, drawn from its top-left corner; a null
// pixmap when the form has none.
QPixmap backgroundPicture(const design::Form &form);

} // namespace tolvaren
