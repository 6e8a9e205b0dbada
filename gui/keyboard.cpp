// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/keyboard.h"

#include "gui/words.h"
#include "gui/workarounds/workarounds.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>

namespace tolvaren {

namespace {

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

} // namespace

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
        return false;
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
    if (moveByWord(watched, key))
        return true;
    if (key->key() == Qt::Key_F10 && chord == Qt::NoModifier)
        return openMenuBar();
    // Alt+letter would type the letter; the menus take no access keys.
    if ((chord & (Qt::AltModifier | Qt::MetaModifier)) && !key->text().isEmpty())
        return true;
    return false;
}

} // namespace tolvaren
