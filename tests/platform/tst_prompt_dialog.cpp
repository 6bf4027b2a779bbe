#include "app/start_up_texts.h"
#include "platform/prompt_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// Acts on the prompt once it is up, from inside its own event loop.
void whenPromptShows(const std::function<void(QDialog *)> &action)
{
    QTimer::singleShot(0, [action] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->objectName(), QStringLiteral("promptDialog"));
        action(dialog);
    });
}

} // namespace

class TestPromptDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("kestrafo")); }

    void okGivesTheTypedTextAndEnterIsOk()
    {
        whenPromptShows([](QDialog *dialog) {
            auto *field = dialog->findChild<QLineEdit *>("promptField");
            QVERIFY(field->text().isEmpty());
            QTest::keyClicks(field, " c:\\calc ");
            QTest::keyClick(field, Qt::Key_Return);
        });
        QCOMPARE(askPrompt(StartUpTexts::folderPrompt), QStringLiteral(" c:\\calc "));
    }

    void cancelEscapeAndClosingGiveTheEmptyText()
    {
        whenPromptShows([](QDialog *dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit *>("promptField"), "typed");
            for (auto *button : dialog->findChildren<QPushButton *>()) {
                if (button->text().contains("Cancel"))
                    button->click();
            }
        });
        QCOMPARE(askPrompt(StartUpTexts::namePrompt), QString());

        whenPromptShows([](QDialog *dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit *>("promptField"), "typed");
            QTest::keyClick(dialog->findChild<QLineEdit *>("promptField"), Qt::Key_Escape);
        });
        QCOMPARE(askPrompt(StartUpTexts::namePrompt), QString());

        whenPromptShows([](QDialog *dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit *>("promptField"), "typed");
            dialog->close();
        });
        QCOMPARE(askPrompt(StartUpTexts::namePrompt), QString());
    }

    void longPromptsWrapWithinTheDialogAndShowTheApplicationsName()
    {
        whenPromptShows([](QDialog *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("kestrafo"));
            auto *label = dialog->findChild<QLabel *>();
            QCOMPARE(label->text(), StartUpTexts::folderQuestion);
            QVERIFY(label->wordWrap());
            QVERIFY(label->height() > 2 * label->fontMetrics().height());
            QVERIFY(label->width() <= dialog->width());
            QVERIFY(dialog->width() < 800);
            dialog->reject();
        });
        askPrompt(StartUpTexts::folderQuestion);
    }
};

QTEST_MAIN(TestPromptDialog)
#include "tst_prompt_dialog.moc"
