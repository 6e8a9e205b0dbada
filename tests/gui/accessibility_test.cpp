// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The pieces of text a screen reader gets from a text box for every
// boundary it moves by: numbers whole. The end-to-end suite asks the real
// program for them at every offset.
#include "gui/workarounds/workarounds.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>

using namespace tolvaren;

namespace {
struct Piece {
    QString text;
    QList<int> offsets; // each asked, each answered with the same piece
    QAccessible::TextBoundaryType boundary;
    int start, end;
};

} // namespace
Q_DECLARE_METATYPE(Piece)

class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { installQtWorkarounds(); }

    void textPieces_data()
    {
        QTest::addColumn<Piece>("piece");
        using A = QAccessible;
        QTest::newRow("word: the leading blank") << Piece{" 16.404", {0}, A::WordBoundary, 0, 1};
        QTest::newRow("word: a number whole") << Piece{" 16.404", {4}, A::WordBoundary, 1, 7};
        QTest::newRow("word: a result at each offset")
            << Piece{" 16.404", {1, 2, 3, 4, 5, 6, 7}, A::WordBoundary, 1, 7};
        QTest::newRow("word: with its blanks") << Piece{"5  Meter", {1}, A::WordBoundary, 0, 3};
        // Where Ctrl+Right leaves the cursor: the word just passed.
        QTest::newRow("word: at the end") << Piece{"5 Meter", {7}, A::WordBoundary, 2, 7};
        QTest::newRow("word: at the end of a number") << Piece{" 1000", {5}, A::WordBoundary, 1, 5};
        QTest::newRow("word: in the blanks between") << Piece{"12  34", {3}, A::WordBoundary, 0, 4};
        QTest::newRow("char") << Piece{" 16.404", {6}, A::CharBoundary, 6, 7};
        QTest::newRow("char: at the end") << Piece{" 16.404", {7}, A::CharBoundary, 7, 7};
        QTest::newRow("line: all of it") << Piece{" 1000", {3}, A::LineBoundary, 0, 5};
        QTest::newRow("sentence: all of it") << Piece{" 1", {0}, A::SentenceBoundary, 0, 2};
        QTest::newRow("empty") << Piece{"", {0}, A::WordBoundary, 0, 0};
        QTest::newRow("beyond the text") << Piece{" 1", {9}, A::WordBoundary, 0, 0};
    }
    void textPieces()
    {
        QFETCH(Piece, piece);
        QLineEdit box(piece.text);
        QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(&box)->textInterface();
        QVERIFY(text);
        for (int offset : piece.offsets) {
            int start = -1, end = -1;
            text->textAtOffset(offset, piece.boundary, &start, &end);
            QCOMPARE(std::pair(start, end), std::pair(piece.start, piece.end));
        }
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
