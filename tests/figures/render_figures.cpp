// Draws each of the three graphs into the left picture box of a fresh
// window, as the student sees it, and saves the box as graph1.png,
// graph2.png and graph3.png in the folder named on the command line.

#include "figure_checks.h"
#include "figures/graphs.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: render_figures FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        err << "cannot create " << QDir::toNativeSeparators(folder.path()) << "\n";
        return 1;
    }
    const std::pair<const char *, FigureChecks::Figure> graphs[] = {
        {"graph1.png", graph1},
        {"graph2.png", graph2},
        {"graph3.png", graph3},
    };
    for (const auto &[file, graph] : graphs) {
        FigureWindow window;
        graph(*window.picture1());
        const QString path = folder.filePath(QLatin1String(file));
        if (!window.picture1()->grab().save(path, "PNG")) {
            err << "cannot write " << QDir::toNativeSeparators(path) << "\n";
            return 1;
        }
    }
    return 0;
}
