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
    forEachPixel(a, QRect(), [&](int x, int y) { count += !isWhite(a, x, y) && isWhite(b, x, y); });
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

    // graph1 draws over what is there; graph2 and graph3 blank the box
    // first, so that each draws the same picture whatever came before.
    void graph1DrawsOverTheBoxAndTheOthersBlankItFirst()
    {
        const QImage one = drawnBy({graph1});
        const QImage two = drawnBy({graph2});
        const QImage three = drawnBy({graph3});
        QVERIFY(inkOnlyIn(three, one) > 100);
        QVERIFY(inkOnlyIn(one, three) > 100);
        QVERIFY(inkOnlyIn(one, two) > 50);
        const QImage both = drawnBy({graph3, graph1});
        int overlaid = 0;
        forEachPixel(both, QRect(), [&](int x, int y) {
            const QImage &top = isWhite(one, x, y) ? three : one;
            overlaid += both.pixelColor(x, y) == top.pixelColor(x, y);
        });
        QCOMPARE(overlaid, int(both.width() * both.height()));
        QVERIFY(countColour(both, green) > 0);
        QCOMPARE(drawnBy({graph1, graph1}), one);

        QVERIFY(!inkBounds(two).isNull());
        QCOMPARE(drawnBy({graph1, graph2}), two);
        QCOMPARE(drawnBy({graph2, graph2}), two);
        QCOMPARE(drawnBy({graph3, graph2}), two);
        QCOMPARE(drawnBy({graph1, graph3}), three);
        QCOMPARE(drawnBy({graph3, graph3}), three);
    }

    // Every grid line of each graph is drawn whole, from x = 100 to 900 or
    // from y = 100 to 900, whatever crosses it.
    void everyGridLineIsWhole_data()
    {
        QTest::addColumn<int>("graph");
        QTest::addColumn<QList<int>>("heights");
        QTest::newRow("graph1") << 1 << QList<int>{500, 600, 700, 800};
        QTest::newRow("graph2") << 2 << QList<int>{400, 500, 600, 700, 800};
        QTest::newRow("graph3") << 3 << QList<int>{400, 500, 600, 700, 800};
    }

    void everyGridLineIsWhole()
    {
        QFETCH(int, graph);
        QFETCH(QList<int>, heights);
        const Figure figures[] = {graph1, graph2, graph3};
        FigureWindow w;
        figures[graph - 1](*w.picture1());
        const PictureBox &box = *w.picture1();
        for (const int y : heights) {
            const QRect line(box.toPixel(100, y), box.toPixel(900, y));
            QCOMPARE(countColour(w.picture(), Qt::white, line), 0);
        }
        for (const int x : {200, 300, 400, 500, 600, 700}) {
            const QRect line(box.toPixel(x, 100), box.toPixel(x, 900));
            QCOMPARE(countColour(w.picture(), Qt::white, line), 0);
        }
    }

    void everyLabelShowsAtItsPlace_data()
    {
        QTest::addColumn<int>("graph");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QString>("text");
        auto row = [](int graph, int x, int y, const char *text) {
            QTest::addRow("graph%d %s at %d, %d", graph, text, x, y)
                << graph << x << y << QString::fromLatin1(text);
        };
        for (int graph = 1; graph <= 3; ++graph) {
            row(graph, 900, 950, "t");
            row(graph, 900, 870, ">");
            row(graph, 90, 100, "^");
            row(graph, 50, 100, graph == 1 ? "v" : "y");
        }
        // Tick labels: values at the left, a grid line (100 units) apart from
        // the top one down; times below the axis at the x of their grid line,
        // from x = 200 on, those from the index given on 10 units further left.
        auto ticks = [&row](int graph, int valueX, int topY, const QStringList &values,
                            const QStringList &times, int shiftedFrom) {
            for (int i = 0; i < values.size(); ++i)
                row(graph, valueX, topY + 100 * i, qPrintable(values[i]));
            for (int i = 0; i < times.size(); ++i)
                row(graph, 200 + 100 * i - (i >= shiftedFrom ? 10 : 0), 950, qPrintable(times[i]));
        };
        ticks(1, 50, 500, {"4", "3", "2", "1"}, {"1", "2", "3", "4", "5", "6"}, 6);
        ticks(2, 10, 400, {"5500", "5400", "5300", "5200", "5100", "5000"},
              {"2", "4", "6", "8", "10", "12"}, 4);
        ticks(3, 10, 400, {"100", "80", "60", "40", "20"}, {"20", "40", "60", "80", "100"}, 4);
        row(1, 300, 50, "velocity v vs. clock time t");
        row(2, 300, 50, "Value y (dollars) vs. clock time t (months)");
        row(2, 300, 850, "run 4");
        row(2, 470, 750, "rise 300");
        row(2, 250, 650, "slope 75");
        row(2, 550, 550, "run 5");
        row(2, 720, 500, "rise 200");
        row(2, 430, 450, "slope 40");

        row(3, 300, 50, "Depth y (dollars) vs. clock time t (seconds)");
        row(3, 180, 440, "run 30");
        row(3, 320, 550, "rise -40");
        row(3, 110, 650, "slope -1.33");
        row(3, 430, 640, "run 50");
        row(3, 570, 750, "rise -20");
        row(3, 300, 750, "slope -.4");
    }

    // The reference is the one label printed by the box into a blank
    // picture; every pixel of its ink must be inked in the figure, where
    // lines may cross it but nothing covers it.
    void everyLabelShowsAtItsPlace()
    {
        QFETCH(int, graph);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QString, text);
        const Figure figures[] = {graph1, graph2, graph3};
        const QImage figure = drawnBy({figures[graph - 1]});

        FigureWindow w;
        w.picture1()->printText(x, y, text);
        const QImage label = w.picture1()->picture();
        const QRect ink = inkBounds(label);
        QVERIFY(!ink.isNull());
        int missing = 0;
        forEachPixel(label, ink, [&](int px, int py) {
            missing += !isWhite(label, px, py) && isWhite(figure, px, py);
        });
        QCOMPARE(missing, 0);
    }

    void theTitleAndTheLabelsStayInsideTheirRows()
    {
        FigureWindow w;
        graph2(*w.picture1());
        const QImage image = w.picture1()->picture();
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
