// Cantorix Pro: a catalogue of a private music collection. The program takes
// no arguments and keeps its files in its working directory.
#include "fileset.h"
#include "mainframe.h"
#include "qtinteraction.h"
#include "startup.h"
#include "windows.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cantorix Pro"));
    crx::QtInteraction person;
    crx::setInteraction(&person);

    crx::FileSet files(QDir::currentPath());
    crx::startUp(files);
    crx::registerCatalogueWindows();
    int status = 0;
    {
        crx::MainFrame frame(files);
        frame.show();
        frame.showStartScreen();
        status = QApplication::exec();
    }
    return status;
}
