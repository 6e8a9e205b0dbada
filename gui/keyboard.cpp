// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/keyboard.h"

#include "gui/accessibility.h"
#include "gui/words.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace tolvaren {

namespace {

const char *const kEnterButton = "tolvarenEnterButton";
// How long a newly opened menu of the menu bar waits before it highlights
// its first item: long enough for a screen reader to say the menu first.
constexpr int kMenuItemDelayMs = 150;

// Opens the first menu of the active window's menu bar, if it has one and
// no menu is open already.
bool openMenuBar()
{
    if (QApplication::activePopupWidget() || QApplication::activeModalWidget())
        return false;
    auto *window = qobject_cast<QMainWindow *>(QApplication::activeWindow());
    QMenuBar *bar = window ? window->menuBar() : nullptr;
    if (!bar || bar->actions().isEmpty())
        return false;
    bar->setActiveAction(bar->actions().constFirst());
    return true;
}

// Left and Right in an open menu of the menu bar, on an item without a
// submenu: the next menu opens, and its first item is highlighted a moment
// later. Qt highlights it at once, and a screen reader that sees the item
// take the focus right after the menu passes the menu's name over; this
// way it says the menu, then the item.
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

// Ctrl+Left goes to the start of a word, Ctrl+Right past it and its
// blanks to the start of the next one (or the end), a word being a run of
// non-blank characters: " 16.404" holds one word, which a screen reader
// then reads whole (Qt alone would stop at the point). Stopping right
// after "deg." would make a reader say only ".".
bool moveByWord(QObject *watched, const QKeyEvent *key)
{
    if ((key->key() != Qt::Key_Left && key->key() != Qt::Key_Right) ||
        (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) != Qt::ControlModifier)
        return false;
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (auto *combo = qobject_cast<QComboBox *>(watched))
        edit = combo->lineEdit();
    if (!edit)
        return false;
    const QString text = edit->text();
    const int here = edit->cursorPosition();
    const bool mark = key->modifiers() & Qt::ShiftModifier;
    const int there = key->key() == Qt::Key_Right ? wordStepRight(text, here) : wordStepLeft(text, here);
    // Placed directly: Qt's own steps count letters as drawn, and an accent
    // or an emoji takes two places of the text.
    if (!mark) {
        edit->setCursorPosition(there);
    } else {
        const bool cursorAtStart = edit->hasSelectedText() && here == edit->selectionStart();
        const int anchor = !edit->hasSelectedText() ? here
                           : cursorAtStart          ? edit->selectionEnd()
                                                    : edit->selectionStart();
        edit->setSelection(anchor, there - anchor);
    }
    return true;
}

// Focus from the keyboard or from the program, not from the mouse or from
// the window coming back to the front.
void selectOnFocus(QObject *watched, const QFocusEvent *focus)
{
    const Qt::FocusReason reason = focus->reason();
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason && reason != Qt::ShortcutFocusReason &&
        reason != Qt::OtherFocusReason)
        return;
    if (auto *edit = qobject_cast<QLineEdit *>(watched))
        selectAllQuietly(edit);
    else if (auto *combo = qobject_cast<QComboBox *>(watched); combo && combo->lineEdit())
        selectAllQuietly(combo->lineEdit());
}

// The button Enter presses from `watched`: the input box, a unit list or
// the prefix list of a form that has one; not a read-only box, not a
// list's open drop-down.
QAbstractButton *enterButtonFor(QObject *watched)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    auto *edit = qobject_cast<QLineEdit *>(watched);
    const bool entry =
        (edit && !edit->isReadOnly()) || qobject_cast<QComboBox *>(watched) || qobject_cast<QListWidget *>(watched);
    if (!entry || QApplication::activePopupWidget())
        return nullptr;
    for (QWidget *w = widget->parentWidget(); w; w = w->parentWidget()) {
        if (const QVariant button = w->property(kEnterButton); button.isValid())
            return qobject_cast<QAbstractButton *>(button.value<QObject *>());
        if (w->isWindow())
            break;
    }
    return nullptr;
}

// A list that holds a choice has it as its current item only while it has
// the focus: a reader then says the choice when the list takes the focus,
// and no item claims the focus while the list does not have it.
void followFocus(QObject *watched, QEvent::Type type)
{
    auto *list = qobject_cast<QListWidget *>(watched);
    if (!list || !list->selectionModel())
        return;
    if (type == QEvent::FocusOut) {
        list->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    // Once the focus has settled: the item is then the last thing the
    // reader hears of, after the list.
    QTimer::singleShot(0, list, [list] {
        const QModelIndexList chosen = list->selectionModel()->selectedIndexes();
        if (list->hasFocus() && !chosen.isEmpty())
            list->selectionModel()->setCurrentIndex(chosen.front(), QItemSelectionModel::NoUpdate);
    });
}

} // namespace

void pressOnEnter(QWidget *form, QAbstractButton *button)
{
    if (form && button)
        form->setProperty(kEnterButton, QVariant::fromValue<QObject *>(button));
}

bool ClassicKeys::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: break;
    case QEvent::FocusIn:
        if (auto *edit = qobject_cast<QLineEdit *>(watched); edit && edit->isReadOnly()) {
            // Nothing is typed into a read-only box, so it selects nothing
            // (Qt would on Tab) and keeps its cursor: a reader says its text
            // plainly, and moving in it unselects nothing.
            if (static_cast<QFocusEvent *>(event)->reason() == Qt::NoFocusReason)
                return false;
            QFocusEvent plain(QEvent::FocusIn, Qt::NoFocusReason);
            QCoreApplication::sendEvent(edit, &plain);
            return true;
        }
        selectOnFocus(watched, static_cast<QFocusEvent *>(event));
        followFocus(watched, event->type());
        return false;
    case QEvent::FocusOut: followFocus(watched, event->type()); return false;
    // Alt held for a click or a drag, or while another window comes to the
    // front, is no press of Alt alone.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::WindowDeactivate: m_lonelyAlt = false; return false;
    default: return false;
    }
    // The application sees a key first for the window, then for the widget
    // with the focus (and its parents, if that one ignores it): the
    // widgets' copies count.
    if (!watched->isWidgetType())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers chord = key->modifiers() & (Qt::AltModifier | Qt::MetaModifier | Qt::ControlModifier);

    if (event->type() == QEvent::KeyRelease) {
        if (key->key() == Qt::Key_Alt && m_lonelyAlt && !key->isAutoRepeat()) {
            m_lonelyAlt = false;
            return openMenuBar();
        }
        return false;
    }

    m_lonelyAlt = key->key() == Qt::Key_Alt && !key->isAutoRepeat();
    if (moveByWord(watched, key) || moveToNextMenu(watched, key))
        return true;
    if (key->key() == Qt::Key_F10 && chord == Qt::NoModifier)
        return openMenuBar();
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && chord == Qt::NoModifier) {
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!button)
            button = enterButtonFor(watched);
        if (button && button->isEnabled()) {
            button->click();
            return true;
        }
        return false;
    }
    // Alt+letter would type the letter; the menus take no access keys.
    if ((chord & (Qt::AltModifier | Qt::MetaModifier)) && !key->text().isEmpty())
        return true;
    return false;
}

} // namespace tolvaren
