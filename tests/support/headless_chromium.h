#pragma once

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSize>
#include <QTemporaryDir>
#include <QUrl>

// The pages are drawn on Linux; a Windows test has no browser to start.
inline const QString chromiumProgram = QStringLiteral("/usr/bin/chromium");

// A page as headless Chromium draws it, with no network and a profile of its
// own; a null image when it could not be drawn, with Chromium's complaint.
inline QImage renderPage(const QString &page, QSize size, QByteArray *complaint)
{
    QTemporaryDir dir;
    const QString shot = dir.filePath(QStringLiteral("page.png"));
    QProcess browser;
    browser.start(chromiumProgram,
                  {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                   "--no-first-run", "--disable-background-networking",
                   "--disable-component-update", "--disable-sync", "--hide-scrollbars",
                   "--user-data-dir=" + dir.filePath(QStringLiteral("profile")),
                   QStringLiteral("--window-size=%1,%2").arg(size.width()).arg(size.height()),
                   "--screenshot=" + shot, QUrl::fromLocalFile(page).toString()});
    browser.waitForFinished(120'000);
    *complaint = browser.readAllStandardError();
    return QImage(shot);
}

inline int pixelsOf(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    }
    return count;
}
