#pragma once

#include "forms/design.h"

#include <QFont>
#include <QHash>
#include <QIcon>
#include <QImage>
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
    QWidget *firstInTabOrder() const { return m_tabOrder.isEmpty() ? nullptr : m_tabOrder.front(); }
    // The first time a form opens, its first control in tab order has the
    // focus; later showings keep whatever the user last focused.
    void giveInitialFocus()
    {
        if (m_focusGiven)
            return;
        m_focusGiven = true;
        if (QWidget *first = firstInTabOrder())
            first->setFocus(Qt::OtherFocusReason);
    }

  private:
    friend BuiltForm buildForm(const design::Form &, QWidget *);
    QHash<QString, QWidget *> m_controls;
    QList<QWidget *> m_tabOrder;
    bool m_focusGiven = false;
};

// Makes every control of `form` as a child of `target` (frames first, so
// their buttons can sit inside them), at its designed place and look, each
// named after its design. Sets the target's size, colours, font and caption.
BuiltForm buildForm(const design::Form &form, QWidget *target);

// The fonts the form's controls are drawn in.
QList<QFont> formFonts(const design::Form &form);

// One of the program's pictures (a resource path such as ":/mass.png").
QPixmap loadPicture(std::string_view resource);

// A window icon with both its images, so that the desktop picks the one
// drawn for the size it shows.
QIcon loadIcon(const design::Icon &icon);

// The desktop's colour for `colour`, as Qt's palettes give it: the menus'
// background, or the workspace behind the child windows.
QColor systemColour(design::SystemColour colour);

// The form's background picture, drawn from its top-left corner; a null
// image when the form has none.
QImage backgroundPicture(const design::Form &form);

} // namespace tolvaren
