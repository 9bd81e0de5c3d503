// The batch process engine, told on building the artist defaults.
#include "artistdefaults.h"
#include "datafile.h"
#include "fileset.h"
#include "processwindow.h"
#include "scriptedinteraction.h"

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
    QVERIFY(process->start());
    QVERIFY(process->cycle());
    process->cancel();
    QCOMPARE(process->response(), Response::Cancelled);
    QCOMPARE(cat.defaults().size(), 25);
    QVERIFY(!process->cycle());
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
        while (process->cycle()) {
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

QTEST_MAIN(TestArtistDefaults)
#include "tst_artist_defaults.moc"
