// Cantorix Pro: a catalogue of a private music collection. The program keeps
// its files in its working directory. Its one argument, --disc-info, prints
// the identification of the disc in the drive and ends without a window.
#include "addwizardwindow.h"
#include "cdaudio.h"
#include "cdplayerwindow.h"
#include "discinfo.h"
#include "exchangewindows.h"
#include "fileset.h"
#include "helpwindows.h"
#include "prefswindows.h"
#include "housekeepingwindows.h"
#include "labelwindows.h"
#include "mainframe.h"
#include "playlistwindows.h"
#include "qtinteraction.h"
#include "qtprinter.h"
#include "reportwindows.h"
#include "settings.h"
#include "soundoutput.h"
#include "startup.h"
#include "windows.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <cstdio>
#include <cstring>

namespace {

int discInfo(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    crx::reloadSettings(QDir::currentPath());
    QTextStream out(stdout), err(stderr);
    return crx::printDiscInfo(QDir::currentPath(), out, err);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--disc-info") == 0)
        return discInfo(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cantorix Pro"));
    crx::QtInteraction person;
    crx::setInteraction(&person);

    crx::FileSet files(QDir::currentPath());
    crx::startUp(files);
    crx::registerCatalogueWindows();
    crx::registerDiscWindows();
    crx::registerCdPlayer();
    crx::registerPlaylistWindows();
    crx::registerLabelWindows();
    crx::registerReportWindows();
    crx::registerExchangeWindows();
    crx::registerMaintenanceWindows();
    crx::registerHelpWindows();
    crx::registerPrefsWindows();
    crx::QtPrinter printer;
    crx::setPrinter(&printer);
    crx::setAudioOutputMaker(&crx::makeSoundOutput);
    // The drive of this run, gone (with the playback's thread and its sound) before the application.
    crx::CdAudio drive(QDir::currentPath());
    crx::setCdAudio(&drive);
    int status = 0;
    {
        crx::MainFrame frame(files);
        frame.show();
        frame.showStartScreen();
        status = QApplication::exec();
    }
    return status;
}
