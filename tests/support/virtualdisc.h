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
#include <QtEndian>
#include <QtTest>

namespace crx::test {

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

// A WAV file of CD audio (PCM, 44.1 kHz, 16-bit stereo) holding these samples.
inline QByteArray cdWav(const QByteArray &samples)
{
    QByteArray wav("RIFF");
    const auto le32 = [&wav](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    const auto le16 = [&wav](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    le32(quint32(36 + samples.size()));
    wav += "WAVEfmt ";
    le32(16);
    le16(1);
    le16(2);
    le32(44100);
    le32(44100 * 4);
    le16(4);
    le16(16);
    wav += "data";
    le32(quint32(samples.size()));
    return wav + samples;
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
