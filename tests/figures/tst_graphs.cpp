#include "figure_checks.h"
#include "figures/graphs.h"

#include <QtTest>

using namespace FigureChecks;

namespace {

const QColor black(0, 0, 0);
const QColor red(255, 0, 0);
const QColor green(0, 255, 0);

// Pixels that are not white in a but white in b.
int inkOnlyIn(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (!isWhite(a, x, y) && isWhite(b, x, y))
                ++count;
        }
    }
    return count;
}

} // namespace

class TestGraphs : public QObject
{
    Q_OBJECT

private slots:
    void graph2sRedRunLiesOverTheAxis()
    {
        const QImage image = drawnBy({graph2});
        // The axis is row 198 (y = 900) from column 0 to 306 (x = 900); the
        // first run goes from x = 250 to x = 450, columns 85 to 153.
        int redOnRun = 0;
        for (int x = 85; x <= 153; ++x) {
            const QColor c = image.pixelColor(x, 198);
            QVERIFY(c == red || c == black);
            redOnRun += c == red;
        }
        // A label sits just above the run; at most a few of its pixels reach it.
        QVERIFY2(redOnRun >= 60, qPrintable(QString::number(redOnRun)));
        for (int x = 0; x <= 306; ++x) {
            if (x < 85 || x > 153)
                QCOMPARE(image.pixelColor(x, 198), black);
        }
        // The rise goes up column 153 to the end of the piece at y = 600.
        QCOMPARE(countColour(image, red, QRect(153, 133, 1, 65)), 65);
        // The second run and rise: row 132 from column 153 to 238, column 238 up to row 88.
        QVERIFY(countColour(image, red, QRect(154, 132, 85, 1)) >= 75);
        QVERIFY(countColour(image, red, QRect(238, 88, 1, 44)) >= 40);
        QCOMPARE(countColour(image, green), 0);
    }

    void graph3sSecondPieceIsAnnotatedInGreen()
    {
        const QImage image = drawnBy({graph3});
        // Run along y = 700 (row 154) from x = 300 to 550 (columns 102 to 187),
        // rise down column 187 to y = 800 (row 176).
        QVERIFY(countColour(image, green, QRect(103, 154, 85, 1)) >= 75);
        QCOMPARE(countColour(image, green, QRect(187, 155, 1, 22)), 22);
        QVERIFY(countColour(image, red, QRect(102, 111, 1, 43)) >= 40);
    }

    void graph1sVerticalAxisReachesTheBottomEdge()
    {
        const QImage one = drawnBy({graph1});
        QCOMPARE(countColour(one, black, QRect(34, 22, 1, 199)), 199);
        QVERIFY(isWhite(one, 34, 21));
        // The cross at t = 3, v = 2 spans x 370..430 and y 670..730.
        QCOMPARE(one.pixelColor(126, 148), black);
        QCOMPARE(one.pixelColor(146, 148), black);
        QCOMPARE(one.pixelColor(126, 161), black);

        const QImage two = drawnBy({graph2});
        QCOMPARE(countColour(two, black, QRect(34, 22, 1, 177)), 177);
        QCOMPARE(countColour(two, black, QRect(34, 199, 1, 22)), 0);
    }

    void graph1DrawnAfterGraph3LeavesBothVisible()
    {
        const QImage three = drawnBy({graph3});
        const QImage one = drawnBy({graph1});
        const QImage both = drawnBy({graph3, graph1});
        QVERIFY(inkOnlyIn(three, one) > 100);
        QVERIFY(inkOnlyIn(one, three) > 100);
        for (int y = 0; y < both.height(); ++y) {
            for (int x = 0; x < both.width(); ++x) {
                const QColor expected =
                    isWhite(one, x, y) ? three.pixelColor(x, y) : one.pixelColor(x, y);
                if (both.pixelColor(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
            }
        }
        QVERIFY(countColour(both, green) > 0);
    }

    void graph2DrawnAfterGraph1ReplacesIt()
    {
        const QImage one = drawnBy({graph1});
        const QImage two = drawnBy({graph2});
        QVERIFY(inkOnlyIn(one, two) > 50);
        QCOMPARE(drawnBy({graph1, graph2}), two);
        QCOMPARE(drawnBy({graph1, graph3}), drawnBy({graph3}));
    }

    void eachGraphDrawsTheSamePictureEveryTime()
    {
        const QImage two = drawnBy({graph2});
        QVERIFY(!inkBounds(two).isNull());
        QCOMPARE(drawnBy({graph2, graph2}), two);
        QCOMPARE(drawnBy({graph3, graph2}), two);
        QCOMPARE(drawnBy({graph3, graph3}), drawnBy({graph3}));
        QCOMPARE(drawnBy({graph1}), drawnBy({graph1}));
        // graph1 drawn twice lands on itself.
        QCOMPARE(drawnBy({graph1, graph1}), drawnBy({graph1}));
    }

    void theTitleAndTheLabelsStayInsideTheirRows()
    {
        FakePlatform platform;
        QueryForm form(platform);
        form.scalePictureBoxes();
        form.graph2();
        const QImage image = form.picture1()->picture();
        // The title begins at (300, 50): nothing is drawn above row 11 or in
        // the columns to its left above the top of the vertical axis.
        const QRect aboveAxis(0, 0, 341, 22);
        const QRect titleInk = inkBounds(image, aboveAxis);
        QVERIFY(titleInk.top() >= 11);
        QVERIFY(titleInk.left() >= 102);
        QVERIFY(titleInk.width() > 150);
        // The tick labels below the axis begin at y = 950, row 209.
        const QRect belowAxis = inkBounds(image, QRect(40, 199, 260, 22));
        QVERIFY(belowAxis.top() >= 209);
        QVERIFY(belowAxis.left() >= 68);
    }
};

QTEST_MAIN(TestGraphs)
#include "tst_graphs.moc"
