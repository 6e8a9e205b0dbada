// What start-up does to come on screen sooner: the font warm-up thread
// beside a window being built, and the pictures read as PNG straight away,
// backgrounds kept as stored.
#include "fixture.h"

#include "forms/builder.h"
#include "forms/designs.h"
#include "runtime/fonts.h"
#include "shell/mainwindow.h"
#include "shell/startupwarmer.h"

#include <QFontInfo>
#include <QLabel>
#include <QTest>

using namespace tolvaren;
using namespace tolvaren::testing;

namespace {
struct TextLook {
    QString family;
    int advance = 0;
    bool operator==(const TextLook &) const = default;
};

TextLook welcomeBanner()
{
    auto *banner = control<QLabel>(QStringLiteral("Selection"), QStringLiteral("Label1"));
    if (!banner)
        return {};
    return {QFontInfo(banner->font()).family(), banner->fontMetrics().horizontalAdvance(banner->text())};
}
} // namespace

class StartupTest : public QObject {
    Q_OBJECT

  private slots:
    // First, while this process has not used a font yet.
    void windowBuiltBesideTheWarmUpLooksTheSame()
    {
        auto *warmer = new StartupWarmer;
        installFontSubstitutes(); // before the thread looks fonts up, as in main()
        warmer->continueWith(MainWindow::firstFonts());
        Program during;
        QVERIFY(during.start());
        const TextLook seenDuring = welcomeBanner();
        during.stop();
        QVERIFY(finishesWithin(warmer));
        delete warmer;

        Program after;
        QVERIFY(after.start());
        const TextLook seenAfter = welcomeBanner();
        after.stop();
        QVERIFY(!seenDuring.family.isEmpty());
        QCOMPARE(seenDuring.family, seenAfter.family);
        QCOMPARE(seenDuring.advance, seenAfter.advance);
    }

    void picturesLoad_data()
    {
        QTest::addColumn<QString>("resource");
        QTest::addColumn<bool>("background");
        for (const design::Form *form : {&design::selectionForm(), &design::distanceForm(), &design::massForm(),
                                         &design::tempForm(), &design::volumeForm(), &design::speedForm(),
                                         &design::timeForm(), &design::aboutForm()}) {
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
    // out empty; backgrounds stay at one byte a pixel.
    void picturesLoad()
    {
        QFETCH(QString, resource);
        QFETCH(bool, background);
        const std::string path = resource.toStdString();
        if (background) {
            design::Form form{.backgroundPicture = path};
            const QImage image = backgroundPicture(form);
            QVERIFY(!image.isNull());
            QCOMPARE(image.format(), QImage::Format_Indexed8);
        } else {
            QVERIFY(!loadPicture(path).isNull());
        }
    }

    // The background is drawn from its 8-bit image: a point of the welcome
    // form that no control covers shows the picture's colour there.
    void backgroundIsDrawn()
    {
        Program p;
        QVERIFY(p.start());
        QWidget *form = Forms::instance().loadedForm(QStringLiteral("Selection"));
        QVERIFY(form);
        const QPoint spot(5, 100);
        QVERIFY(!form->childAt(spot));
        const QImage shown = form->grab().toImage();
        const QImage picture = backgroundPicture(design::selectionForm());
        const QColor expected = picture.pixelColor(spot);
        p.stop();
        QCOMPARE(shown.pixelColor(spot * shown.devicePixelRatio()), expected);
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
