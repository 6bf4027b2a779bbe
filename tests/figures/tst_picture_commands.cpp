#include "figure_checks.h"
#include "figures/graphs.h"
#include "platform/prompt_dialog.h"
#include "support/temp_home.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <cmath>

using namespace FigureChecks;

class TestPictureCommands : public QObject
{
    Q_OBJECT

private:
    // The fake, but with the real modal prompt on the screen.
    class RealPromptPlatform : public FakePlatform
    {
    public:
        QString prompt(const QString &text) override
        {
            promptsAsked.append(text);
            return askPrompt(text);
        }
    };

private slots:
    void copyPictureShowsPicture1InPicture2_data()
    {
        QTest::addColumn<bool>("clipboardWorks");
        QTest::newRow("through the clipboard") << true;
        QTest::newRow("clipboard gives nothing back") << false;
    }

    void copyPictureShowsPicture1InPicture2()
    {
        QFETCH(bool, clipboardWorks);
        FigureWindow w;
        w.platform.clipboardWorks = clipboardWorks;
        graph3(*w.picture1());
        const QImage shown = w.picture1()->picture();
        w.click("cmd_copy_picture");

        QCOMPARE(w.picture1()->picture(), shown);
        if (clipboardWorks)
            QCOMPARE(w.platform.clipboard, shown);
        // Picture2 is narrower: it shows the picture from its top-left corner.
        const QImage copied = w.picture2()->picture();
        QCOMPARE(copied.size(), QSize(333, 221));
        QCOMPARE(copied, shown.copy(0, 0, 333, 221));
        QVERIFY(!inkBounds(copied).isNull());
        QCOMPARE(shownOnScreen(w.picture2()), copied);

        // A later figure in Picture1 leaves Picture2 alone until the next copy.
        graph2(*w.picture1());
        QCOMPARE(w.picture2()->picture(), copied);
        w.click("cmd_copy_picture");
        QCOMPARE(w.picture2()->picture(), w.picture1()->picture().copy(0, 0, 333, 221));
        QVERIFY(!w.platform.ended);
    }

    void copyingABlankPictureBlanksPicture2()
    {
        FigureWindow w;
        w.platform.clipboardWorks = false;
        graph1(*w.picture1());
        w.click("cmd_copy_picture");
        QVERIFY(!inkBounds(w.picture2()->picture()).isNull());

        FigureWindow fresh;
        fresh.platform.clipboardWorks = false;
        fresh.picture2()->setPicture(w.picture1()->picture());
        fresh.click("cmd_copy_picture");
        QVERIFY(inkBounds(fresh.picture2()->picture()).isNull());
    }

    void pendExpStartsTheTimerOnceAndNothingElse()
    {
        FigureWindow w;
        QTimer &timer = w.pendExpTimer();
        QVERIFY(!timer.isActive());
        w.click("cmd_pend_exp");
        QVERIFY(timer.isActive());
        const int id = timer.timerId();
        w.click("cmd_pend_exp");
        w.form.cmd_pend_exp_Click();
        QVERIFY(timer.isActive());
        QCOMPARE(timer.timerId(), id);
        QCOMPARE(timer.interval(), 15);
        // A click only starts the timer: the ticks beep and draw.
        QCOMPARE(w.platform.beeps, 0);
        QCOMPARE(w.platform.randomsDrawn, 0);
        QVERIFY(inkBounds(w.picture1()->picture()).isNull());
        timer.stop();
    }

    void eachTickBeepsAndDrawsACircleInsideRadius500()
    {
        FigureWindow w;
        w.platform.randoms = {0.25f, 0.0f, 0.999999f, 0.5f};
        for (int tick = 0; tick < 4; ++tick)
            w.form.tmr_pend_exp_Timer();
        QCOMPARE(w.platform.beeps, 4);
        QCOMPARE(w.platform.randomsDrawn, 4);

        const QImage image = w.picture1()->picture();
        const QPoint centre = w.picture1()->toPixel(500, 500);
        QCOMPARE(centre, QPoint(170, 110));
        const double limit = 500 * 341 / 1000.0; // 500 horizontal units in pixels
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (isWhite(image, x, y))
                    continue;
                QCOMPARE(image.pixelColor(x, y), QColor(Qt::black));
                // Rasterising may put a pixel up to half a diagonal outside.
                QVERIFY(std::hypot(x - centre.x(), y - centre.y()) < limit + 0.75);
            }
        }
        // Radii 125, 0, 499.9995 and 250 units: 42, 0, 170 and 85 pixels,
        // the same across and up, since the circles are round on screen.
        QList<int> across;
        for (int x = centre.x(); x < image.width(); ++x) {
            if (!isWhite(image, x, centre.y()))
                across.append(x - centre.x());
        }
        QCOMPARE(across, (QList<int>{0, 42, 85, 170}));
        QList<int> up;
        for (int y = centre.y(); y >= 0; --y) {
            if (!isWhite(image, centre.x(), y))
                up.append(centre.y() - y);
        }
        QCOMPARE(up, (QList<int>{0, 42, 85}));
    }

    void ticksDueWhileARatingPromptIsOpenAreDropped()
    {
        TempHome home;
        QDir().mkpath(home.kestrafoFolder());
        RealPromptPlatform platform;
        QueryForm form(platform, platform);
        form.scalePictureBoxes();
        SessionState &session = form.session();
        session.masterFilePath = QStringLiteral("c:\\kestrafo\\masterFile.txt");
        session.sendFilePath = QStringLiteral("c:\\kestrafo\\send_1207.txt");
        session.itemKind = QStringLiteral("question");
        // Only the ticks that the test gives.
        QTimer &timer = *form.findChild<QTimer *>(QStringLiteral("tmr_pend_exp"));
        timer.setInterval(3600 * 1000);
        form.cmd_pend_exp_Click();

        int beepsWhileOpen = -1;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->objectName(), QStringLiteral("promptDialog"));
            for (int tick = 0; tick < 3; ++tick)
                QVERIFY(QMetaObject::invokeMethod(&timer, "timeout", Qt::DirectConnection));
            beepsWhileOpen = platform.beeps;
            QTest::keyClicks(dialog->findChild<QLineEdit *>("promptField"), "2");
            dialog->accept();
        });
        form.findChild<QPushButton *>("cmd_enter_response")->click();
        QCOMPARE(platform.promptsAsked.size(), 1);
        QCOMPARE(beepsWhileOpen, 0);
        QCOMPARE(platform.randomsDrawn, 0);
        QVERIFY(inkBounds(form.findChild<PictureBox *>(QStringLiteral("Picture1"))->picture())
                    .isNull());
        QVERIFY(home.read("kestrafo/masterFile.txt").contains("confidence assessment:  2\r\n"));

        // Once the prompt is closed the next tick beeps and draws, and only it.
        QVERIFY(QMetaObject::invokeMethod(&timer, "timeout", Qt::DirectConnection));
        QCOMPARE(platform.beeps, 1);
        QCOMPARE(platform.randomsDrawn, 1);
        timer.stop();
    }

    void aBlankingFigureRemovesTheCirclesAndNewOnesFollow()
    {
        FigureWindow w;
        w.platform.randoms = {0.3f, 0.6f};
        w.platform.randomWhenEmpty = 0.5f;
        w.form.tmr_pend_exp_Timer();
        w.form.tmr_pend_exp_Timer();
        QVERIFY(!inkBounds(w.picture1()->picture()).isNull());
        graph2(*w.picture1());
        const QImage two = drawnBy({graph2});
        QCOMPARE(w.picture1()->picture(), two);
        // The timer's tick is wired to the handler.
        QVERIFY(QMetaObject::invokeMethod(&w.pendExpTimer(), "timeout", Qt::DirectConnection));
        QCOMPARE(w.platform.beeps, 3);
        const QImage after = w.picture1()->picture();
        QVERIFY(after != two);
        QCOMPARE(after.pixelColor(170 + 85, 110), QColor(Qt::black));
        QCOMPARE(after.pixelColor(170, 110 - 85), QColor(Qt::black));
        QVERIFY(!w.pendExpTimer().isActive());
    }
};

QTEST_MAIN(TestPictureCommands)
#include "tst_picture_commands.moc"
