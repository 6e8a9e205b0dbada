// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The menus of the menu bar, as screen readers hear them. Qt 6.4.2 and 6.8.2:
// - moving from menu to menu with Left and Right, it highlights the next
//   menu's first item at once, and a reader that sees the item take the
//   focus right after the menu passes the menu's name over;
// - while the next menu has no item highlighted yet (as here, where the
//   first waits a moment), it hands the focus back to the form, and a
//   reader follows it out of the open menu;
// - after a command from a menu it tells of no focus at all: the window
//   becomes active again and a reader stays on its frame ("Tolvaren v1.10
//   frame"), silent in the control that has the keyboard.
// To see them: F10, Right, Left, or Refresh Memory, under Orca. No Qt bug
// report known.

#include "gui/workarounds/parts.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace tolvaren {

namespace {

// How long a newly opened menu of the menu bar waits before it highlights
// its first item: long enough for a screen reader to say the menu first.
constexpr int kMenuItemDelayMs = 150;

// Left and Right in an open menu of the menu bar, on an item without a
// submenu: the next menu opens, and its first item is highlighted a moment
// later.
bool moveToNextMenu(QObject *watched, const QKeyEvent *key)
{
    auto *menu = qobject_cast<QMenu *>(watched);
    auto *bar = menu ? qobject_cast<QMenuBar *>(menu->parentWidget()) : nullptr;
    if (!bar || (key->key() != Qt::Key_Left && key->key() != Qt::Key_Right) || key->modifiers() & ~Qt::KeypadModifier ||
        QApplication::activePopupWidget() != menu || (menu->activeAction() && menu->activeAction()->menu()))
        return false;
    QList<QAction *> menus;
    for (QAction *a : bar->actions())
        if (a->menu() && a->isVisible() && a->isEnabled())
            menus << a;
    const qsizetype here = menus.indexOf(menu->menuAction());
    if (here < 0 || menus.size() < 2)
        return false;
    const qsizetype step = key->key() == Qt::Key_Right ? 1 : menus.size() - 1;
    QMenu *next = menus[(here + step) % menus.size()]->menu();
    bar->setActiveAction(next->menuAction());
    QTimer::singleShot(kMenuItemDelayMs, next, [next] {
        if (!next->isVisible() || next->activeAction())
            return;
        for (QAction *a : next->actions())
            if (!a->isSeparator() && a->isVisible() && a->isEnabled()) {
                next->setActiveAction(a);
                return;
            }
    });
    return true;
}

bool isMenu(const QObject *object)
{
    return qobject_cast<const QMenu *>(object) || qobject_cast<const QMenuBar *>(object);
}

// Once a menu of the menu bar has closed, no other took its place and the
// menu bar has let the keyboard go, the control that has the keyboard is
// said to have the focus again.
void tellFocusAfterMenu(QMenuBar *bar)
{
    QTimer::singleShot(0, bar, [bar] {
        QWidget *focus = QApplication::focusWidget();
        if (!focus || bar->activeAction() || QApplication::activePopupWidget() || QApplication::activeModalWidget())
            return;
        QAccessibleEvent focused(focus, QAccessible::Focus);
        QAccessible::updateAccessibility(&focused);
    });
}

class MenuKeys : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            return moveToNextMenu(watched, static_cast<QKeyEvent *>(event));
        if (auto *menu = qobject_cast<QMenu *>(watched); menu && event->type() == QEvent::Hide)
            if (auto *bar = qobject_cast<QMenuBar *>(menu->parentWidget()))
                tellFocusAfterMenu(bar);
        return false;
    }
};

} // namespace

namespace workarounds {

void installMenus() { qApp->installEventFilter(new MenuKeys(qApp)); }

bool isMenuFocusBounce(QAccessibleEvent *event)
{
    return event->type() == QAccessible::Focus && qobject_cast<QMenu *>(QApplication::activePopupWidget()) &&
           !isMenu(event->object());
}

} // namespace workarounds

} // namespace tolvaren
