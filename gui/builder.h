// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "forms/design.h"

#include <QIcon>
#include <QImage>
#include <QList>
#include <QMap>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QAbstractButton;
class QLabel;

namespace tolvaren {

// The widgets made from one form design: the working controls by their role,
// the category buttons with the type each opens, and the tab order.
class BuiltForm {
  public:
    struct CategoryButton {
        QAbstractButton *button;
        const Category *category;
    };

    // The control that plays `role`. A window asks only for the roles its
    // design must have: one that is missing, or of another kind, is a
    // mistake in the design, and the program stops at once.
    template <typename T> T *withRole(design::Role role) const
    {
        T *found = qobject_cast<T *>(m_roles.value(role));
        if (!found)
            qFatal("The design has no %s for role %d", T::staticMetaObject.className(), int(role));
        return found;
    }
    const QList<CategoryButton> &categoryButtons() const { return m_categoryButtons; }
    QWidget *firstInTabOrder() const { return m_tabOrder.isEmpty() ? nullptr : m_tabOrder.front(); }
    // The first time a form opens, its first control in tab order has the
    // focus; later showings keep whatever the user last focused.
    void giveInitialFocus();
    // Tab and Shift+Tab: the next or previous control in tab order, round
    // and round within the form. False when the focus is not on the form.
    bool moveFocus(bool forward) const;
    // Draws the picture boxes' pictures for a screen of `ratio` device
    // pixels a pixel, as loadPicture().
    void drawPictures(qreal ratio) const;

  private:
    struct Picture {
        QLabel *box;
        std::string_view resource;
    };
    friend BuiltForm buildForm(const design::Form &, QWidget *);
    QMap<design::Role, QWidget *> m_roles;
    QList<CategoryButton> m_categoryButtons;
    QList<QWidget *> m_tabOrder;
    QList<Picture> m_pictures;
    bool m_focusGiven = false;
};

// Makes every control of `form` as a child of `target` (frames first, so
// their buttons can sit inside them), at its designed place and look, each
// named after its design and described for screen readers. Sets the
// target's size, colours, font and caption.
BuiltForm buildForm(const design::Form &form, QWidget *target);

// One of the program's pictures (a resource path such as ":/mass.png"),
// drawn for a screen of `ratio` device pixels a pixel (the widget's
// devicePixelRatioF()).
QPixmap loadPicture(std::string_view resource, qreal ratio = 1);

// A window icon with both its images, so that the desktop picks the one
// drawn for the size it shows.
QIcon loadIcon(const design::Icon &icon);

// The desktop's colour for `colour`, as Qt's palettes give it: the menus'
// background, or the workspace behind the child windows.
QColor systemColour(design::SystemColour colour);

// The form's background picture, drawn from its top-left corner; a null
// image when the form has none. Drawn for a screen of `ratio` device pixels
// a pixel, as loadPicture().
QImage backgroundPicture(const design::Form &form, qreal ratio = 1);

} // namespace tolvaren
