// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/accessibility.h"

#include "gui/words.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace tolvaren {

namespace {

// A QLineEdit as Qt describes it, with the text reading done here.
class LineEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
  public:
    explicit LineEditAccessible(QLineEdit *edit) : QAccessibleWidget(edit, QAccessible::EditableText)
    {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    QLineEdit *edit() const { return static_cast<QLineEdit *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return shown();
        QString s = QAccessibleWidget::text(t);
        if (s.isEmpty() && t == QAccessible::Description)
            s = edit()->placeholderText();
        return s;
    }
    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Value && !edit()->isReadOnly())
            edit()->setText(text);
        else
            QAccessibleWidget::setText(t, text);
    }
    // A box with a name of its own is called by it, not by the label
    // beside it: the result is "Result" when focused, as when announced.
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match = QAccessible::AllRelations) const override
    {
        auto found = QAccessibleWidget::relations(match);
        if (!edit()->accessibleName().isEmpty())
            found.removeIf([](const auto &r) { return r.second & QAccessible::Label; });
        return found;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (edit()->isReadOnly())
            s.readOnly = true;
        else
            s.editable = true;
        s.selectableText = true;
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // Selection and cursor.
    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && edit()->hasSelectedText()) {
            *start = edit()->selectionStart();
            *end = *start + int(edit()->selectedText().size());
        }
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { edit()->deselect(); }
    void setSelection(int, int start, int end) override { edit()->setSelection(start, end - start); }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }

    // Text.
    QString text(int start, int end) const override { return shown().mid(start, end - start); }
    int characterCount() const override { return int(edit()->text().size()); }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const override
    {
        const QString s = shown();
        std::tie(*start, *end) = textPieceAt(s, at(offset), boundary);
        return s.mid(*start, *end - *start);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const override
    {
        const QString s = shown();
        const int here = textPieceAt(s, at(offset), boundary).first;
        if (here <= 0) {
            *start = *end = -1;
            return {};
        }
        std::tie(*start, *end) = textPieceAt(s, here - 1, boundary);
        return s.mid(*start, *end - *start);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const override
    {
        const QString s = shown();
        const int next = textPieceAt(s, at(offset), boundary).second;
        if (next >= s.size()) {
            *start = *end = -1;
            return {};
        }
        std::tie(*start, *end) = textPieceAt(s, next, boundary);
        return s.mid(*start, *end - *start);
    }
    // One run of the same attributes covers the whole text.
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

    // Geometry.
    // Near enough for a reader that shows where a character is: the text
    // measured from the box's left edge, as a box that has not scrolled.
    QRect characterRect(int offset) const override
    {
        const QFontMetrics metrics = edit()->fontMetrics();
        const QRect content = edit()->contentsRect();
        const int x = content.left() + metrics.horizontalAdvance(shown().left(offset));
        const int top = content.top() + (content.height() - metrics.height()) / 2;
        return QRect(edit()->mapToGlobal(QPoint(x, top)),
                     QSize(metrics.horizontalAdvance(shown().mid(offset, 1)), metrics.height()));
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int) override { edit()->setCursorPosition(start); }

    // Editing, as a reader or an automated test may ask.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString &text) override
    {
        if (!edit()->isReadOnly())
            edit()->setText(edit()->text().replace(start, end - start, text));
    }

  private:
    QString shown() const { return edit()->text(); }
    // -2 asks for the cursor's position.
    int at(int offset) const { return offset == -2 ? edit()->cursorPosition() : offset; }
};

// An editable list. Qt 6.4 names it by its current text on Linux, so a
// reader says "This unit... editable combo box" and never what the list is
// for; here its name is its accessible name and its value the text. The
// text can also be read as text, so that a reader reading the screen
// (Orca's flat review) finds the unit shown, not the list's name; typing
// and selecting stay with the edit field.
class ComboBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ComboBoxAccessible(QComboBox *combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QComboBox *combo() const { return static_cast<QComboBox *>(widget()); }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface && shown())
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

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

// The frame around a form inside the main window. It carries no title of
// its own (the main window's caption would change), and Qt 6.4 names it by
// its title alone; here it is named by the form's caption.
class SubWindowAccessible : public QAccessibleWidget {
  public:
    explicit SubWindowAccessible(QMdiSubWindow *frame) : QAccessibleWidget(frame, QAccessible::Window) {}

    QMdiSubWindow *frame() const { return static_cast<QMdiSubWindow *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && frame()->windowTitle().isEmpty())
            return frame()->accessibleName();
        return t == QAccessible::Name ? frame()->windowTitle() : QAccessibleWidget::text(t);
    }
    // The workspace lists the frame as its child, so the frame names the
    // workspace as its parent (Qt would give the workspace's inner viewport).
    QAccessibleInterface *parent() const override
    {
        return frame()->mdiArea() ? QAccessible::queryAccessibleInterface(frame()->mdiArea())
                                  : QAccessibleWidget::parent();
    }
    int childCount() const override { return frame()->widget() ? 1 : 0; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && frame()->widget() ? QAccessible::queryAccessibleInterface(frame()->widget()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && frame()->widget() && child->object() == frame()->widget() ? 0 : -1;
    }
};

// The workspace behind the forms. Qt 6.4 calls it a layered pane, which a
// reader names ("layered pane") whenever the focus comes into a form from
// a menu or another window; it only holds the form's frame, so here it is
// an unnamed pane, which readers pass over.
class WorkspaceAccessible : public QAccessibleWidget {
  public:
    explicit WorkspaceAccessible(QMdiArea *area) : QAccessibleWidget(area, QAccessible::Pane) {}

    QMdiArea *area() const { return static_cast<QMdiArea *>(widget()); }

    int childCount() const override { return int(area()->subWindowList().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QMdiSubWindow *> frames = area()->subWindowList();
        return index >= 0 && index < frames.size() ? QAccessible::queryAccessibleInterface(frames[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(area()->subWindowList().indexOf(qobject_cast<QMdiSubWindow *>(child->object()))) : -1;
    }
};

const char *const kAnnouncer = "announcer";

// A hidden label that says a new result. Qt 6.4 has no announcement of its
// own; a notification that comes on screen is what a reader presents
// while the focus stays on the button that was pressed.
class AnnouncerAccessible : public QAccessibleWidget {
  public:
    explicit AnnouncerAccessible(QLabel *label) : QAccessibleWidget(label, QAccessible::Notification) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<QLabel *>(widget())->text() : QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLineEdit"))
        if (auto *edit = qobject_cast<QLineEdit *>(object))
            return new LineEditAccessible(edit);
    if (className == QLatin1String("QComboBox"))
        if (auto *combo = qobject_cast<QComboBox *>(object))
            return new ComboBoxAccessible(combo);
    if (className == QLatin1String("QMdiArea"))
        if (auto *area = qobject_cast<QMdiArea *>(object))
            return new WorkspaceAccessible(area);
    if (className == QLatin1String("QMdiSubWindow"))
        if (auto *frame = qobject_cast<QMdiSubWindow *>(object))
            return new SubWindowAccessible(frame);
    if (className == QLatin1String("QLabel") && object->objectName() == QLatin1String(kAnnouncer))
        return new AnnouncerAccessible(static_cast<QLabel *>(object));
    return nullptr;
}

bool quietSelection = false; // see selectAllQuietly()

bool isMenu(const QObject *object)
{
    return qobject_cast<const QMenu *>(object) || qobject_cast<const QMenuBar *>(object);
}

// Whether a reader would hear `event` as noise that buries what matters.
bool isNoise(QAccessibleEvent *event)
{
    QObject *object = event->object();
    switch (event->type()) {
    // Qt hands the focus back to the form for a moment when the menu bar
    // moves from one menu to the next (Left, Right): a reader would follow
    // it out of the open menu.
    case QAccessible::Focus: return qobject_cast<QMenu *>(QApplication::activePopupWidget()) && !isMenu(object);
    // A text box deselects its text when the focus leaves it; the reader
    // is on the next control by then and would say "Text unselected". And
    // a box that selects its text as it takes the focus is read whole with
    // the focus: said before it, the selection would come first and twice.
    case QAccessible::TextSelectionChanged: {
        auto *edit = qobject_cast<QLineEdit *>(object);
        return edit && (!edit->hasFocus() || quietSelection);
    }
    default: return false;
    }
}

QAccessible::UpdateHandler passOn = nullptr;

// Every accessibility event passes here on its way to the reader.
void filterUpdate(QAccessibleEvent *event)
{
    if (isNoise(event))
        return;
    if (passOn) {
        passOn(event);
        return;
    }
    // Qt has brought its tables up to date before calling here, and the
    // bridge to the desktop does not pass this event on; handing it back
    // would update the tables twice.
    if (event->type() == QAccessible::TableModelChanged)
        return;
    // Qt's own way to the reader is the one taken with no handler in place.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(filterUpdate);
}

} // namespace

std::pair<int, int> textPieceAt(const QString &text, int offset, QAccessible::TextBoundaryType boundary)
{
    const int length = int(text.size());
    if (offset < 0 || offset > length)
        return {0, 0};
    switch (boundary) {
    case QAccessible::CharBoundary: return {offset, std::min(offset + 1, length)};
    case QAccessible::WordBoundary: {
        // The piece that starts at or before the offset, up to the next
        // word's start; the end of the text belongs to the last word, so
        // that a reader finds the word the cursor has just passed. Blanks
        // before the first word are a piece of their own.
        int start = std::min(offset, length - 1);
        while (start > 0 && !startsWord(text, start))
            --start;
        int end = start + 1;
        while (end < length && !startsWord(text, end))
            ++end;
        return {std::max(start, 0), std::max(end, 0)};
    }
    case QAccessible::SentenceBoundary:
    case QAccessible::ParagraphBoundary:
    case QAccessible::LineBoundary:
    case QAccessible::NoBoundary: break;
    }
    return {0, length};
}

void installAccessibility()
{
    QAccessible::installFactory(accessibleFor);
    if (const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(filterUpdate);
        before != filterUpdate)
        passOn = before;
}

void selectAllQuietly(QLineEdit *edit)
{
    quietSelection = true;
    edit->selectAll();
    quietSelection = false;
}

void announce(QWidget *window, const QString &text)
{
    auto *label = window->findChild<QLabel *>(QLatin1String(kAnnouncer), Qt::FindDirectChildrenOnly);
    if (!label) {
        label = new QLabel(window);
        label->setObjectName(QLatin1String(kAnnouncer));
        label->hide();
    }
    label->setText(text);
    QAccessibleEvent shown(label, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace tolvaren
