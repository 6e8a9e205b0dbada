// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// What a screen reader gets from the text boxes: pieces of text for every
// boundary it moves by, every request answered, numbers read whole.
#include "fixture.h"

#include "forms/designs.h"
#include "gui/accessibility.h"
#include "gui/converterform.h"
#include "gui/prefixdialog.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

using namespace tolvaren;
using namespace tolvaren::testing;

namespace {
struct Piece {
    QString text;
    int offset;
    QAccessible::TextBoundaryType boundary;
    int start, end;
};

// Ends the process if a request does not come back: a hang is a failure,
// not a test that runs until CTest gives up.
class Watchdog {
  public:
    explicit Watchdog(int seconds)
        : m_thread([this, seconds] {
              for (int tenth = 0; tenth < seconds * 10 && !m_done; ++tenth)
                  std::this_thread::sleep_for(std::chrono::milliseconds(100));
              if (!m_done) {
                  std::fprintf(stderr, "FAIL: a request to a text box did not come back\n");
                  std::_Exit(1);
              }
          })
    {
    }
    ~Watchdog()
    {
        m_done = true;
        m_thread.join();
    }

  private:
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};
} // namespace
Q_DECLARE_METATYPE(Piece)

class AccessibilityTest : public QObject {
    Q_OBJECT
    Program p;

  private slots:
    void init() { QVERIFY(p.start()); }
    void cleanup() { p.stop(); }

    void textPieces_data()
    {
        QTest::addColumn<Piece>("piece");
        using A = QAccessible;
        QTest::newRow("word: the leading blank") << Piece{" 16.404", 0, A::WordBoundary, 0, 1};
        QTest::newRow("word: a number whole") << Piece{" 16.404", 4, A::WordBoundary, 1, 7};
        QTest::newRow("word: with its blanks") << Piece{"5  Meter", 1, A::WordBoundary, 0, 3};
        QTest::newRow("word: at the end") << Piece{"5 Meter", 7, A::WordBoundary, 7, 7};
        QTest::newRow("char") << Piece{" 16.404", 6, A::CharBoundary, 6, 7};
        QTest::newRow("char: at the end") << Piece{" 16.404", 7, A::CharBoundary, 7, 7};
        QTest::newRow("line: all of it") << Piece{" 1000", 3, A::LineBoundary, 0, 5};
        QTest::newRow("sentence: all of it") << Piece{" 1", 0, A::SentenceBoundary, 0, 2};
        QTest::newRow("empty") << Piece{"", 0, A::WordBoundary, 0, 0};
        QTest::newRow("beyond the text") << Piece{" 1", 9, A::WordBoundary, 0, 0};
    }
    void textPieces()
    {
        QFETCH(Piece, piece);
        QCOMPARE(textPieceAt(piece.text, piece.offset, piece.boundary), std::pair(piece.start, piece.end));
    }

    // Every text box and unit list of every form, asked for every boundary
    // at every offset of a text that begins with a blank: each request
    // comes back, and a line is the whole text.
    void everyRequestComesBack_data()
    {
        QTest::addColumn<QString>("form");
        for (const design::Form *f : design::converterForms())
            QTest::newRow(f->name.data()) << QString::fromUtf8(f->name.data(), f->name.size());
        QTest::newRow("Prefix") << "Prefix";
    }
    void everyRequestComesBack()
    {
        QFETCH(QString, form);
        PrefixDialog prefix;
        QWidget *window = &prefix;
        if (form != "Prefix") {
            window = openConverter(form);
            QVERIFY(window);
        }
        const QList<QLineEdit *> boxes = window->findChildren<QLineEdit *>();
        QVERIFY(boxes.size() >= 2);
        const QString text = QStringLiteral(" 16.404");
        const int length = int(text.size());
        Watchdog watchdog(20);
        for (QLineEdit *box : boxes) {
            box->setText(text);
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(box);
            QVERIFY(accessible && accessible->textInterface());
            QAccessibleTextInterface *reader = accessible->textInterface();
            for (auto boundary : {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
                                  QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary}) {
                for (int offset = -2; offset <= length + 1; ++offset) {
                    int start = 0, end = 0;
                    reader->textAtOffset(offset, boundary, &start, &end);
                    reader->textBeforeOffset(offset, boundary, &start, &end);
                    reader->textAfterOffset(offset, boundary, &start, &end);
                }
            }
            int start = -1, end = -1;
            QCOMPARE(reader->textAtOffset(0, QAccessible::LineBoundary, &start, &end), text);
            reader->attributes(3, &start, &end);
            QCOMPARE(std::pair(start, end), std::pair(0, length));
        }
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
