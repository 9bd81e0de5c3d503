// A test's catalogue directory with the virtual drive over its disc.toc
// installed as the cdaudio device, the event log kept there, and the
// settings and globals of a fresh run.
#pragma once

#include "cdaudio.h"
#include "eventlog.h"
#include "fileset.h"
#include "globals.h"
#include "settings.h"
#include "virtualdrive.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace crx::test {

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

struct VirtualDiscCatalogue {
    VirtualDiscCatalogue() : files(dir.path()), device(std::make_unique<VirtualDrive>(QStringLiteral("disc.toc"), dir.path()))
    {
        settings() = Settings();
        clearGlobals();
        globals().side = 1;
        setCdAudio(&device);
        eventLog().setDirectory(dir.path());
    }
    ~VirtualDiscCatalogue() { setCdAudio(nullptr); }
    // Puts a disc described so into the drive.
    void insertDisc(const QByteArray &description) { writeFile(dir.filePath("disc.toc"), description); }

    QTemporaryDir dir;
    FileSet files;
    CdAudio device;
};

} // namespace crx::test
