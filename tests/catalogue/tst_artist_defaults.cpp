// The batch process engine, told on building the artist defaults.
#include "artistdefaults.h"
#include "datafile.h"
#include "fileset.h"
#include "processwindow.h"
#include "scriptedinteraction.h"
#include "transaction.h"

#include <QLabel>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Catalogue {
    Catalogue() : files(dir.path())
    {
        songs = &files.use(FileId::Cantorix);
        artists = &files.use(FileId::Artists);
    }
    ~Catalogue()
    {
        files.release(FileId::Cantorix);
        files.release(FileId::Artists);
    }
    void add(int id, const QString &artist, const QString &title, int category)
    {
        songs->buffer().clear();
        songs->buffer().set("ID", id);
        songs->buffer().set("Artist", artist);
        songs->buffer().set("Title", title);
        songs->buffer().set("CategoryID", category);
        songs->add();
    }
    QStringList defaults()
    {
        QStringList out;
        artists->setToStart(-1);
        while (artists->next() == NoError)
            out << artists->buffer().get("Artist").toString() + " " + artists->buffer().get("CategoryID").toString();
        return out;
    }
    QTemporaryDir dir;
    FileSet files;
    DataFile *songs, *artists;
};

} // namespace

class TestArtistDefaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void eachArtistGetsTheCategoryOfTheFirstSong();
    void emptySongFileEndsAtOnce();
    void cancelKeepsWhatWasAdded();
    void percentCountsUpToCompleted();
    void linesAreCountedByBytes();
    void aLineFileThatCannotBeOpened();
    void aFilterThatCannotBeOpenedEndsThePass();
    void aReadErrorEndsThePassUnfinished();
};

void TestArtistDefaults::eachArtistGetsTheCategoryOfTheFirstSong()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.add(1, "ABBA", "Waterloo", 2);
    cat.add(2, "ABBA", "Chiquitita", 5);
    cat.add(3, "Queen", "Innuendo", 2);
    cat.add(4, "", "Untitled", 1);
    QCOMPARE(buildArtistDefaults(cat.files), Response::Completed);
    QCOMPARE(cat.defaults(), QStringList({"ABBA 5", "Queen 2"})); // Chiquitita comes first by title
}

void TestArtistDefaults::emptySongFileEndsAtOnce()
{
    ScriptedInteraction person;
    Catalogue cat;
    QCOMPARE(buildArtistDefaults(cat.files), Response::Cancelled);
    QVERIFY(cat.defaults().isEmpty());
    QVERIFY(person.shown.isEmpty());
}

void TestArtistDefaults::cancelKeepsWhatWasAdded()
{
    ScriptedInteraction person;
    Catalogue cat;
    for (int i = 1; i <= 100; ++i)
        cat.add(i, QStringLiteral("Artist %1").arg(i, 3, 10, QChar('0')), "Song", 1);
    const auto process = artistDefaultsProcess(cat.files);
    process->setTimeSlice(0); // a tick of one cycle
    QVERIFY(process->start());
    QVERIFY(process->tick());
    process->cancel();
    QCOMPARE(process->response(), Response::Cancelled);
    QCOMPARE(cat.defaults().size(), 25);
    QVERIFY(!process->tick());
}

void TestArtistDefaults::percentCountsUpToCompleted()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.songs->stream();
    for (int i = 1; i <= 1000; ++i)
        cat.add(i, QStringLiteral("Artist %1").arg(i % 300), "Song", 1);
    cat.songs->flush();
    {
        const auto process = artistDefaultsProcess(cat.files);
        QSet<int> shown;
        process->onProgress([&](int percent) { shown.insert(percent); });
        QVERIFY(process->start());
        while (process->tick()) {
        }
        QCOMPARE(shown.size(), 100);
        QCOMPARE(process->response(), Response::Completed);
    }
    // The window ends on "Process Completed".
    const auto process = artistDefaultsProcess(cat.files);
    ProcessWindow window(*process, "Creating Artist Database");
    QCOMPARE(window.windowTitle(), QString("Processing Records"));
    QCOMPARE(window.percentText()->text(), QString("0% Completed"));
    QCOMPARE(window.run(), Response::Completed);
    QCOMPARE(window.percentText()->text(), QString("Process Completed"));
    QCOMPARE(cat.defaults().size(), 300);
}

void TestArtistDefaults::linesAreCountedByBytes()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    const QString path = dir.filePath("lines.csv");
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    for (int i = 0; i < 500; ++i)
        out.write(QStringLiteral("line %1,Björk\n").arg(i, 3, 10, QChar('0')).toUtf8()); // 16 bytes a line
    out.close();
    QStringList seen;
    BatchProcess process(files, path, [&](const QString &line) {
        seen << line;
        return BatchProcess::Work::Done;
    });
    process.setTimeSlice(0);
    QList<int> shown;
    process.onProgress([&](int percent) { shown << percent; });
    QVERIFY(process.start());
    QVERIFY(process.tick());
    QCOMPARE(seen.size(), 63); // 1000 bytes a cycle: the 63rd line reaches the 1000th byte
    QCOMPARE(seen.first(), QString("line 000,Björk"));
    while (process.tick()) {
    }
    QCOMPARE(seen.size(), 500);
    QCOMPARE(process.response(), Response::Completed);
    QCOMPARE(shown.last(), 100);
    QCOMPARE(shown.size(), 100);
    QVERIFY(person.shown.isEmpty());
}

void TestArtistDefaults::aLineFileThatCannotBeOpened()
{
    ScriptedInteraction person;
    QTemporaryDir dir;
    FileSet files(dir.path());
    bool worked = false;
    BatchProcess process(files, dir.filePath("missing.csv"), [&](const QString &) {
        worked = true;
        return BatchProcess::Work::Done;
    });
    QVERIFY(!process.start());
    QVERIFY(!worked);
    QCOMPARE(person.shown.size(), 1);
    QVERIFY(person.shown.first().text.contains("missing.csv"));
    QCOMPARE(process.response(), Response::Cancelled);
}

void TestArtistDefaults::aFilterThatCannotBeOpenedEndsThePass()
{
    ScriptedInteraction person;
    Catalogue cat;
    cat.add(1, "ABBA", "Waterloo", 1);
    int worked = 0;
    BatchProcess process(cat.files, FileId::Cantorix, "MUS:SongsByArtist", [&](DataFile &) {
        ++worked;
        return BatchProcess::Work::Done;
    });
    process.setFilter("MUS:NoSuchField = 1");
    QVERIFY(!process.start());
    QCOMPARE(worked, 0);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown.first().title, QString("View Open Error"));
    QCOMPARE(process.response(), Response::Cancelled);
}

void TestArtistDefaults::aReadErrorEndsThePassUnfinished()
{
    Catalogue cat;
    cat.songs->stream();
    for (int i = 1; i <= 100; ++i)
        cat.add(i, QStringLiteral("Artist %1").arg(i, 3, 10, QChar('0')), "Song", 1);
    cat.songs->flush();
    struct Person : ScriptedInteraction {
        bool inTransactionMeanwhile = false;
        Button message(const QString &title, const QString &text, Icon icon, Buttons buttons,
                       Button defaultButton) override
        {
            inTransactionMeanwhile = inTransactionMeanwhile || inTransaction();
            return ScriptedInteraction::message(title, text, icon, buttons, defaultButton);
        }
    } person;
    // The songs file goes away under the pass after its 30th song: the next read fails.
    int worked = 0;
    BatchProcess process(cat.files, FileId::Cantorix, "MUS:SongsByArtist", [&](DataFile &songs) {
        DataFile &artists = cat.files.file(FileId::Artists);
        artists.buffer().clear();
        artists.buffer().set("ART:Artist", songs.buffer().get("MUS:Artist"));
        artists.add();
        if (++worked == 30)
            songs.close();
        return BatchProcess::Work::Done;
    });
    process.writesTo(FileId::Artists);
    ProcessWindow window(process, "Creating Artist Database");
    QCOMPARE(window.run(), Response::Cancelled);
    QVERIFY(window.percentText()->text() != QString("Process Completed"));
    QCOMPARE(worked, 30);
    QCOMPARE(person.shown.size(), 1);
    QCOMPARE(person.shown.first().title, QString("Record Retrieval Error"));
    QVERIFY(!person.inTransactionMeanwhile);
    QCOMPARE(cat.defaults().size(), 30); // what was done stays done
}

QTEST_MAIN(TestArtistDefaults)
#include "tst_artist_defaults.moc"
