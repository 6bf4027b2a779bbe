#include "app/query_form.h"
#include "platform/qt_platform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kestrafo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrafo.Kestrafo"));

    QtPlatform platform;
    QueryForm form(platform, platform);
    if (!form.Form_Load())
        return 1;
    form.show();
    return QApplication::exec();
}
