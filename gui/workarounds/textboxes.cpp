// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Text boxes as screen readers get them. Qt 6.4.2's own description of a
// QLineEdit loops for ever when asked for the word at the start of a text
// that begins with a blank (every result does), and hands out text
// attributes as empty ranges, so a reader ends the line one character early
// and says " 16.404" as "16.40" (a character's place past the text costs
// nothing here, and rangeextents.cpp bounds the ranges asked). To see them:
// getTextAtOffset(0, word) on
// " 16.404" through AT-SPI, or Orca reading a result line. No Qt bug report
// known. The pieces read are words of non-blank characters, so a number is
// read whole, as Ctrl+Left and Ctrl+Right move.

#include "gui/workarounds/parts.h"
#include "gui/workarounds/workarounds.h"

#include "gui/workarounds/words.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QLineEdit>

namespace tolvaren {

namespace {

// The piece of `text` that holds `offset` for a reader moving by
// `boundary`, as [start, end). A single-line box is one line, sentence and
// paragraph; words run from the start of one word of non-blank characters
// to the start of the next.
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

// A QLineEdit as Qt describes it, with the text reading done here.
class LineEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
  public:
    // No controlling signals: what receives them is the program's code, no
    // control a reader could go to.
    explicit LineEditAccessible(QLineEdit *edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

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
    // Offsets outside the text cost nothing: Qt's bridge asks once for every
    // offset of a range a reader names, however far past the end it runs.
    QRect characterRect(int offset) const override
    {
        if (offset < 0 || offset > characterCount())
            return {};
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

QAccessibleInterface *lineEditAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLineEdit"))
        if (auto *edit = qobject_cast<QLineEdit *>(object))
            return new LineEditAccessible(edit);
    return nullptr;
}

bool quietSelection = false; // see selectAllQuietly()

} // namespace

void selectAllQuietly(QLineEdit *edit)
{
    quietSelection = true;
    edit->selectAll();
    quietSelection = false;
}

namespace workarounds {

void installTextBoxes() { QAccessible::installFactory(lineEditAccessible); }

// A text box deselects its text when the focus leaves it; the reader is on
// the next control by then and would say "Text unselected". And a box that
// selects its text as it takes the focus is read whole with the focus: said
// before it, the selection would come first and twice.
//
// Nor does a reader hear of the caret and the text of a box without the
// keyboard, as New rewrites them: Qt (6.4.2 and 6.8.2) tells of the focus of an
// editable list on the list alone and never tells that its edit field lost
// it, so a reader that asked the field's states while it had the keyboard
// keeps it as focused, follows its caret there, and Where Am I names the
// list instead of New. To see it: Tab through a unit list to New, press
// it, then KP_Enter under Orca. No Qt bug report known.
bool isStaleSelection(QAccessibleEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(event->object());
    if (!edit)
        return false;
    switch (event->type()) {
    case QAccessible::TextSelectionChanged: return !edit->hasFocus() || quietSelection;
    case QAccessible::TextCaretMoved:
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated: return !edit->hasFocus();
    default: return false;
    }
}

bool isTextNewsOf(const QAccessibleEvent *event, const QObject *edit)
{
    if (!edit || event->object() != edit)
        return false;
    switch (event->type()) {
    case QAccessible::TextCaretMoved:
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::TextSelectionChanged: return true;
    default: return false;
    }
}

} // namespace workarounds

} // namespace tolvaren
