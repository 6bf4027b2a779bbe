#include "qt_platform.h"

#include "prompt_dialog.h"
#include "storage/file_system.h"
#include "storage/native_file_system.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>

#include <bit>
#include <cstdio>
#include <cstdlib>

QtPlatform::QtPlatform() : m_files(makeNativeFileSystem()) {}

QtPlatform::~QtPlatform() = default;

QString QtPlatform::prompt(const QString &text)
{
    return askPrompt(text);
}

QDateTime QtPlatform::now()
{
    return QDateTime::currentDateTime();
}

void QtPlatform::seedRandom(float seed)
{
    m_engine.seed(std::bit_cast<std::uint32_t>(seed));
}

float QtPlatform::nextRandom()
{
    // 24 random bits: every value is exact in single precision and below 1.
    return float(m_engine() >> 8) / 16777216.0f;
}

// The process number tells running copies on one computer apart; the
// random part, copies on computers that share the folder.
QString QtPlatform::copyName()
{
    return QStringLiteral("%1_%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0'));
}

FileSystem &QtPlatform::files()
{
    return *m_files;
}

void QtPlatform::beep()
{
    QApplication::beep();
}

void QtPlatform::setClipboardImage(const QImage &image)
{
    QApplication::clipboard()->setImage(image);
}

QImage QtPlatform::clipboardImage()
{
    return QApplication::clipboard()->image();
}

void QtPlatform::showProblem(const QString &message)
{
    std::fprintf(stderr, "kestrafo: %s\n", qUtf8Printable(message));
    QMessageBox::warning(QApplication::activeWindow(), QApplication::applicationName(), message);
}

bool QtPlatform::quitAnyway(const QString &message)
{
    std::fprintf(stderr, "kestrafo: %s\n", qUtf8Printable(message));
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), message,
                    QMessageBox::NoButton, QApplication::activeWindow());
    QPushButton *stay = box.addButton(QStringLiteral("Stay"), QMessageBox::RejectRole);
    QPushButton *quit = box.addButton(QStringLiteral("Quit anyway"), QMessageBox::DestructiveRole);
    box.setDefaultButton(stay);
    box.setEscapeButton(stay);
    box.exec();
    return box.clickedButton() == quit;
}

void QtPlatform::endProgram()
{
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

void QtPlatform::reportFatalError(const QString &message)
{
    // Also on the standard error, so that a log or a terminal keeps the reason.
    std::fprintf(stderr, "kestrafo: %s\n", qUtf8Printable(message));
    QMessageBox::critical(nullptr, QApplication::applicationName(), message);
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}
