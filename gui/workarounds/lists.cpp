// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Editable lists. Qt 6.4.2 names an editable QComboBox by its current text
// on Linux, so a reader says "This unit... editable combo box" and never
// what the list is for; to see it, Tab to a unit list under Orca. No Qt bug
// report known. Here its name is its accessible name and its value the
// text. The text can also be read as text, so that a reader reading the
// screen (Orca's flat review) finds the unit shown, not the list's name;
// typing and selecting stay with the edit field.
//
// Qt 6.4.2 also reports the items of a closed drop-down as showing and
// visible: an item counts as visible while it lies within its list, and the
// hidden list keeps its size. To see it: the states of a unit list's items
// through AT-SPI, the drop-down closed. No Qt bug report known. Here the list
// has no size while its drop-down is closed; the drop-down's layout sizes it
// again as it opens.

#include "gui/workarounds/faults.h"
#include "gui/workarounds/parts.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace tolvaren {

namespace {

class ComboBoxAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    ,
                           public QAccessibleSelectionInterface
#endif
{
  public:
    explicit ComboBoxAccessible(QComboBox *combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QComboBox *combo() const { return static_cast<QComboBox *>(widget()); }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface && shown())
            return static_cast<QAccessibleTextInterface *>(this);
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
        if (t == QAccessible::SelectionInterface)
            return static_cast<QAccessibleSelectionInterface *>(this);
#endif
        return QAccessibleWidget::interface_cast(t);
    }

#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    // The unit picked, as the list's one selected item: a reader that stays
    // on the list itself while its edit field has the keyboard (Orca 48)
    // says the pick from this when the list tells that its selection
    // changed, and says it as the list's value. With no unit picked, the
    // edit field stands for what the list shows; without it, that reader
    // would say the list's name again as its value.
    int selectedItemCount() const override { return chosen() ? 1 : 0; }
    QList<QAccessibleInterface *> selectedItems() const override
    {
        QList<QAccessibleInterface *> items;
        if (QAccessibleInterface *item = chosen())
            items << item;
        return items;
    }
    bool isSelected(QAccessibleInterface *child) const override { return child && child == chosen(); }
    QAccessibleInterface *chosen() const
    {
        if (QAccessibleInterface *item = picked())
            return item;
        return combo()->lineEdit() ? QAccessible::queryAccessibleInterface(combo()->lineEdit()) : nullptr;
    }
    bool select(QAccessibleInterface *) override { return false; }
    bool unselect(QAccessibleInterface *) override { return false; }
    bool selectAll() override { return false; }
    bool clear() override { return false; }

    QAccessibleInterface *picked() const
    {
        const int row = combo()->currentIndex();
        QAccessibleInterface *items = QAccessible::queryAccessibleInterface(combo()->view());
        return row >= 0 && items ? items->child(row) : nullptr;
    }

#endif

    // Reading only: no selection of its own.
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return shown()->cursorPosition(); }
    void setCursorPosition(int position) override { shown()->setCursorPosition(position); }
    QString text(int start, int end) const override { return shown()->text(start, end); }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const override
    {
        return shown()->textBeforeOffset(offset, boundary, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const override
    {
        return shown()->textAfterOffset(offset, boundary, start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const override
    {
        return shown()->textAtOffset(offset, boundary, start, end);
    }
    int characterCount() const override { return shown()->characterCount(); }
    QRect characterRect(int offset) const override { return shown()->characterRect(offset); }
    int offsetAtPoint(const QPoint &point) const override { return shown()->offsetAtPoint(point); }
    void scrollToSubstring(int start, int end) override { shown()->scrollToSubstring(start, end); }
    QString attributes(int offset, int *start, int *end) const override
    {
        return shown()->attributes(offset, start, end);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return combo()->currentText();
        const QString s = QAccessibleWidget::text(t);
        return t == QAccessible::Name && s.isEmpty() ? combo()->currentText() : s;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = combo()->view()->isVisible();
        s.editable = combo()->isEditable();
        // The edit field has the keyboard: it alone says it is focused. But
        // where the list tells arrowed picks by its selection, it says it is
        // focused too: a reader's flood filter (Orca 48's) drops a selection
        // change told soon after another unless it comes from the focus.
        static const bool picksBySelection = workarounds::runningQtHas(workarounds::Fault::ArrowedPickAsFieldText);
        if (combo()->lineEdit() && combo()->lineEdit()->hasFocus() && !picksBySelection)
            s.focused = false;
        return s;
    }
    // The item list first, then the edit field, as Qt's own description has
    // them.
    int childCount() const override { return combo()->lineEdit() ? 2 : 1; }
    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(combo()->view());
        if (index == 1 && combo()->lineEdit())
            return QAccessible::queryAccessibleInterface(combo()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        if (child->object() == combo()->view())
            return 0;
        return combo()->lineEdit() && child->object() == combo()->lineEdit() ? 1 : -1;
    }
    QAccessibleInterface *focusChild() const override
    {
        if (combo()->view()->isVisible())
            return child(0);
        return combo()->lineEdit() ? child(1) : nullptr;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (combo()->view()->isVisible())
            combo()->hidePopup();
        else
            combo()->showPopup();
    }

  private:
    // The edit field's text, or nullptr for a list without one.
    QAccessibleTextInterface *shown() const
    {
        QAccessibleInterface *field =
            combo()->lineEdit() ? QAccessible::queryAccessibleInterface(combo()->lineEdit()) : nullptr;
        return field ? field->textInterface() : nullptr;
    }
};

// The list whose drop-down has just closed, until the events already
// waiting have run: a pick made in it comes meanwhile.
QPointer<QComboBox> justClosed;

// Watches a drop-down: closed, its list takes no room.
class ClosedListHasNoSize : public QObject {
  public:
    using QObject::QObject;

    static void shrink(QWidget *dropDown)
    {
        if (auto *list = dropDown->findChild<QAbstractItemView *>()) {
            list->resize(0, 0);
            if (dropDown->layout())
                dropDown->layout()->invalidate();
        }
    }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide) {
            shrink(static_cast<QWidget *>(watched));
            justClosed = qobject_cast<QComboBox *>(parent());
            QTimer::singleShot(0, this, [] { justClosed = nullptr; });
        }
        return false;
    }
};

QAccessibleInterface *comboBoxAccessible(const QString &className, QObject *object)
{
    if (className != QLatin1String("QComboBox"))
        return nullptr;
    auto *combo = qobject_cast<QComboBox *>(object);
    if (!combo)
        return nullptr;
    if (QWidget *dropDown = combo->view()->parentWidget(); dropDown && !dropDown->isVisible()) {
        ClosedListHasNoSize::shrink(dropDown);
        dropDown->installEventFilter(new ClosedListHasNoSize(combo));
    }
    return new ComboBoxAccessible(combo);
}

} // namespace

// Qt 6.8.2 tells a new pick made with the arrows in a closed drop-down
// as a selection in its hidden list, just before the list itself tells
// it; a reader (Orca 48) takes the hidden list's item for the place of
// the focus and, hearing two selection changes at once, drops the list's
// own: every other unit arrowed is not said. To see it: arrow down a unit
// list under Orca 48. Here the hidden list keeps its selection to itself.
bool workarounds::isClosedListSelection(QAccessibleEvent *event)
{
    const QAccessible::Event type = event->type();
    if (type != QAccessible::Selection && type != QAccessible::SelectionAdd && type != QAccessible::SelectionRemove)
        return false;
    auto *items = qobject_cast<QAbstractItemView *>(event->object());
    return items && !items->isVisible() && items->parentWidget() &&
           qobject_cast<QComboBox *>(items->parentWidget()->parentWidget());
}

// Qt 6.8.2 tells a pick made with the arrows in a closed drop-down twice:
// as its edit field's new text, and as the list's new value, which its
// bridge sends as the list's selection changing. A reader (Orca 48) says
// the text as the field's whenever it takes the field for focused, then
// goes to the item picked and says it again, and at the next arrow says
// the item it left once more, or that it is not selected, before the new
// one. To see it: arrow down a unit list under Orca 48. Here the field's
// text and caret changes made by an arrow stay with us: the list's new
// selection tells the pick, which the reader says whatever it holds of
// the field's focus (told the field's changes alone, it says nothing once
// a drop-down has been open, as it keeps the field's state from then).
namespace {

QPointer<QComboBox> arrowed; // the list an arrow key is picking in, until it is done

class ArrowedPicks : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || arrowed)
            return false;
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End: break;
        default: return false;
        }
        auto *combo = qobject_cast<QComboBox *>(watched);
        if (!combo && watched->parent())
            combo = qobject_cast<QComboBox *>(watched->parent());
        if (!combo || !combo->lineEdit() || combo->view()->isVisible())
            return false;
        arrowed = combo;
        QTimer::singleShot(0, combo, [] { arrowed = nullptr; });
        return false;
    }
};

} // namespace

// Qt 6.8.2 tells a pick made in an open drop-down, as it closes, as a new
// value of the list, which its bridge sends as the list's selection
// changing, and tells the edit field's new text and caret after the list
// has been told as focused again. A reader (Orca 48) then moves from the
// list to the item picked, or to the edit field the caret moved in,
// whenever it takes them in one batch with the focus: Where Am I names the
// item, or the bare field, instead of the list. The item was heard as it
// was arrowed, and the list is told again with its new value once the
// drop-down has closed. To see it: pick a unit from the drop-down with
// Return under Orca 48 and press KP_Enter, a few times. Here those changes
// stay with us.
bool workarounds::isDropDownPickRetold(QAccessibleEvent *event)
{
    if (!justClosed)
        return false;
    const QAccessible::Event type = event->type();
    if (type == QAccessible::ValueChanged)
        return event->object() == justClosed;
    return type != QAccessible::TextSelectionChanged && isTextNewsOf(event, justClosed->lineEdit());
}

// Qt 6.4.2 and 6.8.2 tell every new value of a list as the list's
// selection changing, also of a list away from the focus whose units the
// program sets, as a form opens or New clears it. A reader (Orca 48) takes
// a selection changing in a closed list whose field lacks the focus for the
// focus moving to what it selects, and, as it hears the focus's own news
// first and this later, says the list in the middle of what came since:
// opening the File menu just after a form switch, the next item was heard
// after "Convert to unit editable combo box". To see it: switch forms and
// open the File menu at once under Orca 48, a few times, or count the
// selection changes of a unit list through AT-SPI during a switch. No Qt
// bug report known. Here a list's new value is told only while the list
// has the focus; a reader asks for it as the list takes the focus.
bool workarounds::isValueOfListAway(QAccessibleEvent *event)
{
    auto *combo = event->type() == QAccessible::ValueChanged ? qobject_cast<QComboBox *>(event->object()) : nullptr;
    if (!combo || combo->view()->isVisible())
        return false;
    // The window's own focus, which stays while another window is active.
    QWidget *focus = combo->window()->focusWidget();
    return focus != combo && !combo->isAncestorOf(focus);
}

bool workarounds::isArrowedPickText(QAccessibleEvent *event)
{
    return arrowed && isTextNewsOf(event, arrowed->lineEdit());
}

void workarounds::installArrowedPicks() { qApp->installEventFilter(new ArrowedPicks(qApp)); }

void workarounds::installLists() { QAccessible::installFactory(comboBoxAccessible); }

} // namespace tolvaren
