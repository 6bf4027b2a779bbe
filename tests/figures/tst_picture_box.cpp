#include "figure_checks.h"

#include <QFontMetrics>
#include <QtTest>

using namespace FigureChecks;

class TestPictureBox : public QObject
{
    Q_OBJECT

private slots:
    void theScaleSpansTheInnerAreaPixelForPixel()
    {
        ScriptedWindow w;
        PictureBox *box = w.picture1();
        QCOMPARE(box->frameWidth(), 2);
        QCOMPARE(box->contentsRect(), QRect(2, 2, 341, 221));
        QCOMPARE(box->picture().size(), QSize(341, 221));
        // Before start-up sets a scale the units are twips.
        QCOMPARE(box->scaleWidth(), 341 * 15.0);
        QCOMPARE(box->scaleHeight(), 221 * 15.0);

        w.form.scalePictureBoxes();
        QCOMPARE(box->toPixel(0, 0), QPoint(0, 0));
        QCOMPARE(box->toPixel(500, 500), QPoint(170, 110));
        QCOMPARE(box->toPixel(900, 900), QPoint(306, 198));
        QCOMPARE(box->toPixel(1000, 1000), QPoint(341, 221));
        QCOMPARE(w.picture2()->toPixel(1000, 1000), QPoint(333, 221));

        box->drawSegment(0, 900, 900, 900);
        box->drawSegment(100, 1000, 100, 100);
        const QImage image = box->picture();
        for (int x = 0; x <= 306; ++x) {
            QCOMPARE(image.pixelColor(x, 198), QColor(Qt::black));
            if (x != 34) {
                QVERIFY(isWhite(image, x, 197));
                QVERIFY(isWhite(image, x, 199));
            }
        }
        QVERIFY(isWhite(image, 307, 198));
        for (int y = 22; y <= 220; ++y) {
            QCOMPARE(image.pixelColor(34, y), QColor(Qt::black));
            if (y != 198) {
                QVERIFY(isWhite(image, 33, y));
                QVERIFY(isWhite(image, 35, y));
            }
        }
        QVERIFY(isWhite(image, 34, 21));
        QCOMPARE(inkBounds(image), QRect(QPoint(0, 22), QPoint(306, 220)));
    }

    void segmentsAreOnePixelWideAliasedAndTakeTheirColour()
    {
        FigureWindow w;
        PictureBox *box = w.picture1();
        // From pixel (85, 198) to (153, 132): 69 columns, 67 rows.
        box->drawSegment(250, 900, 450, 600);
        QImage image = box->picture();
        QCOMPARE(countColour(image, Qt::black), 69);
        QCOMPARE(countColour(image, Qt::black) + countColour(image, Qt::white),
                 int(image.width() * image.height()));
        QCOMPARE(image.pixelColor(85, 198), QColor(Qt::black));
        QCOMPARE(image.pixelColor(153, 132), QColor(Qt::black));
        QCOMPARE(inkBounds(image), QRect(QPoint(85, 132), QPoint(153, 198)));

        box->drawSegment(450, 600, 700, 600, QColor(255, 0, 0));
        image = box->picture();
        QCOMPARE(countColour(image, QColor(255, 0, 0)), 238 - 153 + 1);
        QCOMPARE(image.pixelColor(238, 132), QColor(255, 0, 0));
    }

    void aFilledRectangleCoversBothCornersAndBlanksTheBox()
    {
        FigureWindow w;
        PictureBox *box = w.picture1();
        box->fillRectangle(200, 200, 100, 100, QColor(0, 255, 0));
        QImage image = box->picture();
        QCOMPARE(countColour(image, QColor(0, 255, 0)), 35 * 23);
        QCOMPARE(inkBounds(image), QRect(QPoint(34, 22), QPoint(68, 44)));

        box->drawCircle(500, 500, 300);
        box->fillRectangle(0, 0, 1000, 1000, QColor(255, 255, 255));
        image = box->picture();
        QVERIFY(inkBounds(image).isNull());
    }

    void aCircleIsRoundOnScreenWithItsRadiusInHorizontalUnits()
    {
        FigureWindow w;
        PictureBox *box = w.picture1();
        // 125 horizontal units are 42 pixels; as vertical units they would be 27.
        box->drawCircle(500, 500, 125);
        const QImage image = box->picture();
        QCOMPARE(inkBounds(image), QRect(170 - 42, 110 - 42, 85, 85));
        QVERIFY(isWhite(image, 170, 110));
        QCOMPARE(image.pixelColor(170, 110 - 42), QColor(Qt::black));
        QCOMPARE(image.pixelColor(170 + 42, 110), QColor(Qt::black));
        QCOMPARE(countColour(image, Qt::black) + countColour(image, Qt::white),
                 int(image.width() * image.height()));
    }

    void aLabelHasItsTopLeftCornerAtItsPointAtTheFontsNaturalSize()
    {
        FigureWindow w;
        PictureBox *box = w.picture1();
        const QFontMetrics metrics(box->font(), box);
        const QRect glyph = metrics.tightBoundingRect(QStringLiteral("E"));
        QVERIFY(glyph.height() >= 5);

        for (const QPoint &at : {QPoint(300, 500), QPoint(600, 100), QPoint(0, 0)}) {
            box->fillRectangle(0, 0, 1000, 1000, Qt::white);
            box->printText(at.x(), at.y(), QStringLiteral("E"));
            const QPoint corner = box->toPixel(at.x(), at.y());
            const QRect ink = inkBounds(box->picture());
            QVERIFY2(!ink.isNull(), "the label left no ink");
            QVERIFY(ink.left() >= corner.x() && ink.top() >= corner.y());
            QVERIFY(qAbs(ink.top() - (corner.y() + metrics.ascent() + glyph.top())) <= 1);
            QVERIFY(qAbs(ink.left() - (corner.x() + glyph.left())) <= 1);
            QVERIFY(qAbs(ink.height() - glyph.height()) <= 1);
            QVERIFY(ink.bottom() < corner.y() + metrics.height());
        }
    }

    void aLabelIsCutAtTheEdgeNotWrappedOrMoved()
    {
        FigureWindow w;
        PictureBox *box = w.picture1();
        const QFontMetrics metrics(box->font(), box);
        const QString text = QStringLiteral("slope 75 and far beyond the edge");
        box->printText(900, 500, text);
        const QImage image = box->picture();
        QCOMPARE(image.size(), QSize(341, 221));
        const QPoint corner = box->toPixel(900, 500);
        QVERIFY(corner.x() + metrics.horizontalAdvance(text) > 341 + 50);
        const QRect ink = inkBounds(image);
        // The last columns may fall between two letters, wider apart where
        // the font is hinted otherwise (Windows).
        QVERIFY2(ink.right() >= 333, qPrintable(QString::number(ink.right())));
        QVERIFY(ink.left() >= corner.x());
        QVERIFY(ink.top() >= corner.y());
        QVERIFY(ink.bottom() < corner.y() + metrics.height());

        // Near the bottom edge the text stays where it was put and is cut.
        box->fillRectangle(0, 0, 1000, 1000, Qt::white);
        box->printText(10, 960, QStringLiteral("Eg"));
        const QRect low = inkBounds(box->picture());
        QVERIFY(!low.isNull());
        QVERIFY(low.top() >= box->toPixel(10, 960).y());
        QCOMPARE(low.bottom(), 220);
    }

    void aLabelHasNoBackgroundOfItsOwn()
    {
        FigureWindow w;
        PictureBox *box = w.picture1();
        const QFontMetrics metrics(box->font(), box);
        const QColor red(255, 0, 0);
        box->drawSegment(0, 500, 1000, 500, red); // row 110
        // Put the middle of the small letters on that row.
        const int cornerRow = 110 - metrics.ascent() + metrics.xHeight() / 2;
        const double y = (cornerRow + 0.5) * 1000.0 / 221;
        QCOMPARE(box->toPixel(300, y).y(), cornerRow);
        const QString text = QStringLiteral("mmmm mmmm");
        box->printText(300, y, text);
        const QImage image = box->picture();
        const int left = box->toPixel(300, y).x();
        const QRect row(left, 110, metrics.horizontalAdvance(text), 1);
        QVERIFY(countColour(image, Qt::black, row) > 0);
        QVERIFY(countColour(image, red, row) > 0);
        QCOMPARE(countColour(image, Qt::white, row), 0);
        // Above and below the letters the box is as it was.
        QCOMPARE(countColour(image, Qt::black, QRect(0, 0, 341, cornerRow)), 0);
    }

    void theBackingImageSurvivesARepaint()
    {
        FigureWindow w;
        PictureBox *box = w.picture1();
        box->drawSegment(0, 900, 900, 900);
        box->drawCircle(500, 500, 200);
        box->printText(300, 50, QStringLiteral("velocity"));
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        box->repaint();
        QCOMPARE(shownOnScreen(box), box->picture());
        w.form.hide();
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        QCOMPARE(shownOnScreen(box), box->picture());
        QVERIFY(!inkBounds(box->picture()).isNull());
    }

    void theBorderIsSunken()
    {
        ScriptedWindow w;
        const QImage shot = w.picture1()->grab().toImage();
        QCOMPARE(shot.size(), QSize(345, 225));
        const int middle = shot.height() / 2;
        // Shadow on the top and left, light on the bottom and right.
        QVERIFY(qGray(shot.pixel(0, middle)) < qGray(shot.pixel(344, middle)));
        QVERIFY(qGray(shot.pixel(1, middle)) < qGray(shot.pixel(343, middle)));
        QVERIFY(qGray(shot.pixel(172, 0)) < qGray(shot.pixel(172, 224)));
        QVERIFY(qGray(shot.pixel(1, middle)) < 128);
        QCOMPARE(shot.pixelColor(2, middle), QColor(Qt::white));
    }

    void aPictureIsShownAtItsNaturalSizeFromTheTopLeft()
    {
        FigureWindow w;
        PictureBox *box = w.picture2();
        box->drawSegment(0, 500, 1000, 500);
        QImage small(10, 6, QImage::Format_RGB32);
        small.fill(QColor(0, 0, 255));
        box->setPicture(small);
        QImage shown = box->picture();
        QCOMPARE(shown.size(), QSize(333, 221));
        QCOMPARE(countColour(shown, QColor(0, 0, 255)), 60);
        QCOMPARE(inkBounds(shown), QRect(0, 0, 10, 6));

        QImage large(400, 300, QImage::Format_RGB32);
        large.fill(QColor(0, 0, 255));
        box->setPicture(large);
        shown = box->picture();
        QCOMPARE(shown.size(), QSize(333, 221));
        QCOMPARE(countColour(shown, QColor(0, 0, 255)), 333 * 221);
    }
};

QTEST_MAIN(TestPictureBox)
#include "tst_picture_box.moc"
