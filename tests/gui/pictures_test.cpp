// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The looks: every picture a design names reads as PNG straight away, drawn
// for the screen's scale, and backgrounds are kept and drawn as stored;
// every text is readable under light, dark and high-contrast schemes and
// drawn whole. Run at scales 1, 1.25, 1.5 and 2.
#include "fixture.h"

#include "forms/converters.h"
#include "forms/designs.h"
#include "gui/builder.h"
#include "gui/converterform.h"
#include "gui/mainwindow.h"
#include "gui/qtext.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace tolvaren;
using namespace tolvaren::testing;

namespace {
// Contrast of two colours as the web's accessibility guidelines measure it.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette scheme(const QColor &window, const QColor &windowText, const QColor &base, const QColor &text)
{
    QPalette p;
    for (auto [role, colour] : {std::pair{QPalette::Window, window},
                                {QPalette::Button, window},
                                {QPalette::WindowText, windowText},
                                {QPalette::Base, base},
                                {QPalette::Text, text},
                                {QPalette::ButtonText, text}})
        p.setColor(role, colour);
    return p;
}

// Hands every window to `check`: the welcome form, each converter form, the
// prefix converter and the About box.
void forEachWindow(Program &p, const std::function<void(QWidget *)> &check)
{
    check(loadedForm("Selection"));
    for (const design::Converter &c : design::converters()) {
        check(openConverter(qstr(c.form.name)));
        p.stop();
        QVERIFY(p.start());
    }
    for (const char *menu : {"prefconv", "about"})
        QVERIFY(driveModal([&] { menuAction(p.main, menu)->trigger(); },
                           [&](QWidget *w) {
                               check(w);
                               w->close();
                           }));
}

// Each control showing a text, by window and name, with its text colour and
// the worst colour it is painted on: its own background, or that of what
// lies behind it, the form's picture included.
QMap<QString, std::pair<QColor, QColor>> textColours(QWidget *window)
{
    QMap<QString, std::pair<QColor, QColor>> found;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        const auto *label = qobject_cast<QLabel *>(w);
        const bool drawnOnBehind = (label && !label->text().isEmpty()) || qobject_cast<QGroupBox *>(w);
        if (!drawnOnBehind && !qobject_cast<QPushButton *>(w) && !qobject_cast<QLineEdit *>(w) &&
            !qobject_cast<QListWidget *>(w))
            continue;
        const QString name =
            window->objectName() + '/' + (w->objectName().isEmpty() ? w->parent()->objectName() : w->objectName());
        const QColor text = w->palette().color(w->foregroundRole());
        QWidget *back = w;
        while (drawnOnBehind && !back->autoFillBackground() && !back->isWindow())
            back = back->parentWidget();
        QColor worst = back->palette().color(back->backgroundRole());
        const QRect area(w->mapTo(window, QPoint()), w->size());
        const design::Form *form =
            back == window && window->objectName() == "Selection" ? &design::welcomeForm() : nullptr;
        for (const design::Converter &c : design::converters())
            if (back == window && window->objectName() == qstr(c.form.name))
                form = &c.form;
        if (form && drawnOnBehind && !form->backgroundPicture.empty()) {
            const QImage picture = backgroundPicture(*form);
            const QRect under = area & picture.rect();
            if (under == area) // wholly on the picture
                worst = picture.pixelColor(area.topLeft());
            for (int y = under.top(); y <= under.bottom(); ++y)
                for (int x = under.left(); x <= under.right(); ++x)
                    if (contrast(text, picture.pixelColor(x, y)) < contrast(text, worst))
                        worst = picture.pixelColor(x, y);
        }
        found.insert(name, {text, worst});
    }
    return found;
}

// Whether `w` shows `text` whole: a text box shows it without scrolling, a
// button inside the room its style gives the text, and a label's ink, drawn
// with room to spare, lies inside the label.
bool showsWhole(QWidget *w, const QString &text)
{
    const QFontMetrics fm(w->font());
    if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        edit->setText(text);
        edit->setCursorPosition(0);
        const int start = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
        edit->setCursorPosition(int(text.size()));
        edit->grab(); // the edit scrolls its text as it paints
        return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().x() - start >= fm.horizontalAdvance(text) - 1;
    }
    if (qobject_cast<QPushButton *>(w)) {
        QStyleOptionButton option;
        option.initFrom(w);
        return fm.horizontalAdvance(text) <=
               w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, w).width();
    }
    const auto *label = qobject_cast<QLabel *>(w);
    const QRect room(QPoint(50, 50), w->contentsRect().size());
    const qreal ratio = w->devicePixelRatioF();
    QImage ink((room.size() + QSize(100, 100)) * ratio, QImage::Format_ARGB32_Premultiplied);
    ink.setDevicePixelRatio(ratio);
    ink.fill(Qt::transparent);
    QPainter painter(&ink);
    painter.setFont(w->font());
    painter.drawText(room, int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0) | Qt::TextDontClip,
                     text);
    painter.end();
    for (int y = 0; y < ink.height(); ++y)
        for (int x = 0; x < ink.width(); ++x)
            if (qAlpha(ink.pixel(x, y)) && !room.contains((QPointF(x, y) / ratio).toPoint()))
                return false;
    return true;
}
} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

  private slots:
    void picturesLoad_data()
    {
        QTest::addColumn<QString>("resource");
        QTest::addColumn<bool>("background");
        QList<const design::Form *> forms{&design::welcomeForm(), &design::aboutForm()};
        for (const design::Converter &c : design::converters())
            forms << &c.form;
        for (const design::Form *form : forms) {
            const QString name = QString::fromUtf8(form->name.data(), qsizetype(form->name.size()));
            if (!form->backgroundPicture.empty())
                QTest::addRow("%s background", qPrintable(name))
                    << QString::fromUtf8(form->backgroundPicture.data(), qsizetype(form->backgroundPicture.size()))
                    << true;
            for (const design::Control &c : form->controls)
                if (!c.pictureResource.empty())
                    QTest::addRow("%s %s", qPrintable(name), c.name.data())
                        << QString::fromUtf8(c.pictureResource.data(), qsizetype(c.pictureResource.size())) << false;
        }
    }

    // Read as PNG with no guessing, a picture in any other format would come
    // out empty; backgrounds stay at one byte a pixel where they are drawn
    // unscaled. On a scaled screen the picture has as many pixels as the
    // screen gives it, in the same place.
    void picturesLoad()
    {
        QFETCH(QString, resource);
        QFETCH(bool, background);
        const std::string path = resource.toStdString();
        const qreal ratio = qApp->devicePixelRatio();
        design::Form form{.backgroundPicture = path};
        const QImage image = background ? backgroundPicture(form, ratio) : loadPicture(path, ratio).toImage();
        const QImage plain = background ? backgroundPicture(form) : loadPicture(path).toImage();
        QVERIFY(!image.isNull());
        QCOMPARE(image.deviceIndependentSize().toSize(), plain.size());
        QCOMPARE(image.devicePixelRatio(), ratio);
        if (background && (ratio == 1 || ratio == 2))
            QCOMPARE(image.format(), QImage::Format_Indexed8);
    }

    // The background is drawn from its 8-bit image: a point of the welcome
    // form that no control covers shows the picture's colour there.
    void backgroundIsDrawn()
    {
        Program p;
        QVERIFY(p.start());
        QWidget *form = loadedForm(QStringLiteral("Selection"));
        QVERIFY(form);
        const QPoint spot(5, 100);
        QVERIFY(!form->childAt(spot));
        const QImage shown = form->grab().toImage();
        const QImage picture = backgroundPicture(design::welcomeForm(), shown.devicePixelRatio());
        const QColor expected = picture.pixelColor(spot * shown.devicePixelRatio());
        p.stop();
        QCOMPARE(shown.pixelColor(spot * shown.devicePixelRatio()), expected);
    }

    // Under Qt's light default palette, a dark one and a high-contrast one,
    // every text is readable (4.5:1) on what it is painted on; where the
    // light palette shows a designed pair of less, every scheme shows that
    // same pair.
    void textsReadable()
    {
        QMap<QString, std::pair<QColor, QColor>> light;
        const QPalette original = QApplication::palette();
        for (const QPalette &palette :
             {original, scheme(QColor(0x35, 0x35, 0x35), QColor(0xee, 0xee, 0xec), QColor(0x2d, 0x2d, 0x2d), Qt::white),
              scheme(Qt::black, Qt::white, Qt::black, Qt::yellow)}) {
            QApplication::setPalette(palette);
            Program p;
            QVERIFY(p.start());
            forEachWindow(p, [&](QWidget *window) {
                const auto shown = textColours(window);
                for (auto it = shown.cbegin(); it != shown.cend(); ++it) {
                    if (palette == original)
                        light.insert(it.key(), it.value());
                    const auto [text, back] = it.value();
                    const auto designed = light.value(it.key());
                    const QString what = QStringLiteral("%1: %2 on %3").arg(it.key(), text.name(), back.name());
                    if (contrast(designed.first, designed.second) < 4.5)
                        QVERIFY2(it.value() == designed, qPrintable(what));
                    else
                        QVERIFY2(contrast(text, back) >= 4.5, qPrintable(what));
                }
            });
            p.stop();
        }
        QApplication::setPalette(original);
    }

    // A window moved onto a screen of another scale, and back, shows its
    // pictures drawn for the screen it is on.
    void picturesFollowTheScreen()
    {
        const QList<QScreen *> screens = QGuiApplication::screens();
        if (screens.size() < 2 || screens[0]->devicePixelRatio() == screens[1]->devicePixelRatio())
            QSKIP("needs two screens of different scales, as pictures_test_two_screens has");
        const design::Form &design = design::converters().front().form;
        const auto picture = std::ranges::find(design.controls, design::Kind::PictureBox, &design::Control::kind);
        QVERIFY(picture != design.controls.end());
        Program p;
        QVERIFY(p.start());
        QWidget *form = openConverter(qstr(design.name));
        auto *box = form->findChild<QLabel *>(qstr(picture->name));
        QVERIFY(box);
        for (QScreen *screen : {screens[1], screens[0], screens[1]}) {
            p.main->move(screen->geometry().topLeft() + QPoint(20, 20));
            QTRY_COMPARE(form->devicePixelRatioF(), screen->devicePixelRatio());
            QTRY_COMPARE(box->pixmap().devicePixelRatio(), screen->devicePixelRatio());
        }
        p.stop();
    }

    // Every text a window shows when it opens, and a result of the most
    // digits one shows without an exponent, is drawn whole.
    void textsFit()
    {
        Program p;
        QVERIFY(p.start());
        forEachWindow(p, [](QWidget *window) {
            for (QWidget *w : window->findChildren<QWidget *>()) {
                QStringList texts;
                if (auto *label = qobject_cast<QLabel *>(w))
                    texts << label->text();
                else if (auto *button = qobject_cast<QPushButton *>(w))
                    texts << button->text();
                else if (auto *edit = qobject_cast<QLineEdit *>(w))
                    texts << edit->text();
                if (w->objectName().endsWith("outtxt"))
                    texts << " .123456789012345"
                          << "-1234567.8901234";
                for (const QString &text : texts)
                    QVERIFY2(showsWhole(w, text),
                             qPrintable(window->objectName() + '/' + w->objectName() + ": " + text));
            }
        });
        p.stop();
    }
};

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"
