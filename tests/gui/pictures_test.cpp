// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The pictures: every one a design names reads as PNG straight away, and
// backgrounds are kept and drawn as stored.
#include "fixture.h"

#include "forms/converters.h"
#include "forms/designs.h"
#include "gui/builder.h"
#include "gui/mainwindow.h"

#include <QTest>

using namespace tolvaren;
using namespace tolvaren::testing;

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
        QWidget *form = loadedForm(QStringLiteral("Selection"));
        QVERIFY(form);
        const QPoint spot(5, 100);
        QVERIFY(!form->childAt(spot));
        const QImage shown = form->grab().toImage();
        const QImage picture = backgroundPicture(design::welcomeForm());
        const QColor expected = picture.pixelColor(spot);
        p.stop();
        QCOMPARE(shown.pixelColor(spot * shown.devicePixelRatio()), expected);
    }
};

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"
