// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The menus of the menu bar, as screen readers hear them. Qt 6.4.2, 6.8.2
// and 6.11.2:
// - moving from menu to menu with Left and Right, it highlights the next
//   menu's first item at once, and a reader that sees the item take the
//   focus right after the menu passes the menu's name over;
// - while the next menu has no item highlighted yet (as here, where the
//   first waits a moment), it hands the focus back to the form, and a
//   reader follows it out of the open menu;
// - a menu that opens with no item highlighted (F10) is never said to
//   have the focus, although it takes the keys: a reader stays on the menu
//   bar's item, and Escape, which closes the menu and leaves that item with
//   the keyboard, says nothing. The open menu is told here in place of the
//   item's focus that Qt tells just before (Orca 51 would say both);
// - on 6.8.2 and 6.11.2, Escape in a menu hands the focus to the form for a
//   moment before the menu bar takes it: Orca 51 says the form's button
//   first (Orca 48 drops it);
// - after a command from a menu it tells of no focus at all: the window
//   becomes active again and a reader stays on its frame ("Tolvaren v1.10
//   frame"), silent in the control that has the keyboard.
// To see them: F10, Right, Left, F10 and Escape, or Refresh Memory, under
// Orca. No Qt bug report known.

#include "gui/workarounds/parts.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTimer>

namespace tolvaren {

namespace {

// How long a newly opened menu of the menu bar waits before it highlights
// its first item: long enough for a screen reader to say the menu first.
constexpr int kMenuItemDelayMs = 150;

// While an Escape in a menu of the menu bar is handled: the menu closes and
// the menu bar takes the keyboard.
bool escapingToMenuBar = false;
// While a menu bar item's focus held back is told.
bool tellingHeldFocus = false;

QMenuBar *barOf(const QObject *object)
{
    auto *menu = qobject_cast<const QMenu *>(object);
    return menu ? qobject_cast<QMenuBar *>(menu->parentWidget()) : nullptr;
}

// Left and Right in an open menu of the menu bar, on an item without a
// submenu: the next menu opens, and its first item is highlighted a moment
// later. Only while a reader listens: without one, Qt highlights it at
// once.
bool moveToNextMenu(QObject *watched, const QKeyEvent *key)
{
    auto *menu = qobject_cast<QMenu *>(watched);
    QMenuBar *bar = barOf(watched);
    if (!bar || !QAccessible::isActive() || (key->key() != Qt::Key_Left && key->key() != Qt::Key_Right) ||
        key->modifiers() & ~Qt::KeypadModifier || QApplication::activePopupWidget() != menu ||
        (menu->activeAction() && menu->activeAction()->menu()))
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

// A menu of the menu bar that has just opened takes the keys: a reader is
// told so, by its title (Qt names a menu by its window title, which is
// blank). Where its first item is highlighted at once, the item's focus
// follows.
void tellMenuOpened(QMenu *menu)
{
    if (menu->accessibleName().isEmpty())
        menu->setAccessibleName(menu->title());
    QAccessibleEvent focused(menu, QAccessible::Focus);
    QAccessible::updateAccessibility(&focused);
}

// Tells `bar`'s focus on `item` a moment after Qt did, unless the item's
// menu has opened meanwhile and told its own.
void tellItemUnlessOpened(QMenuBar *bar, QAction *item, int child)
{
    QTimer::singleShot(0, bar, [bar, item = QPointer<QAction>(item), child] {
        if (!item || item->menu()->isVisible() || bar->activeAction() != item)
            return;
        const QScopedValueRollback telling(tellingHeldFocus, true);
        QAccessibleEvent focused(bar, QAccessible::Focus);
        focused.setChild(child);
        QAccessible::updateAccessibility(&focused);
    });
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
        QMenuBar *bar = barOf(watched);
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (bar && key->key() == Qt::Key_Escape && !escapingToMenuBar) {
                escapingToMenuBar = true;
                QTimer::singleShot(0, qApp, [] { escapingToMenuBar = false; });
            }
            return moveToNextMenu(watched, key);
        }
        if (bar && event->type() == QEvent::Show)
            tellMenuOpened(static_cast<QMenu *>(watched));
        if (bar && event->type() == QEvent::Hide)
            tellFocusAfterMenu(bar);
        return false;
    }
};

} // namespace

namespace workarounds {

void installMenus() { qApp->installEventFilter(new MenuKeys(qApp)); }

// Qt tells a menu bar item's focus just before it opens the item's menu:
// held back a moment, and dropped if the menu opened.
bool isFocusBeforeMenu(QAccessibleEvent *event)
{
    auto *bar = qobject_cast<QMenuBar *>(event->object());
    QAction *item = bar ? bar->actions().value(event->child()) : nullptr;
    if (event->type() != QAccessible::Focus || !item || !item->menu() || item->menu()->isVisible() || tellingHeldFocus)
        return false;
    tellItemUnlessOpened(bar, item, event->child());
    return true;
}

// The closing menu has left Qt's list of open popups before the form gets
// the focus back, so a menu closed by Escape is known by the key.
bool isMenuFocusBounce(QAccessibleEvent *event)
{
    return event->type() == QAccessible::Focus &&
           (qobject_cast<QMenu *>(QApplication::activePopupWidget()) || escapingToMenuBar) && !isMenu(event->object());
}

} // namespace workarounds

} // namespace tolvaren
