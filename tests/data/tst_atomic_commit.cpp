// A change over several files is all or nothing, also when the process that
// makes it is killed in the middle: a child process deletes an album with all
// its songs in one transaction and is killed with SIGKILL at varied moments;
// afterwards the catalogue always holds the album with every song, or neither.
#include "storagefixture.h"
#include "transaction.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace crx;
using namespace crx::test;

namespace {

constexpr int SongCount = 300;

// The album and song files of a directory on one connection, as the program opens them.
struct Pair {
    explicit Pair(const QString &dir)
        : group(Connection::group(QDir(dir).filePath(".crxtrans"), error)), albums(fileDef(FileId::Album), dir),
          songs(fileDef(FileId::Cantorix), dir)
    {
        albums.setConnection(group);
        songs.setConnection(group);
    }
    bool open() { return albums.open() == NoError && songs.open() == NoError; }

    StorageResult error;
    std::shared_ptr<Connection> group;
    DataFile albums;
    DataFile songs;
};

void fill(const QString &dir)
{
    Pair pair(dir);
    DataFile &albums = pair.albums;
    DataFile &songs = pair.songs;
    if (albums.open() != NoError)
        albums.create();
    if (songs.open() != NoError)
        songs.create();
    beginTransaction({&albums, &songs}, 2);
    addAlbum(albums, 1, "Queen", "Jazz");
    for (int i = 1; i <= SongCount; ++i)
        addSong(songs, i, "Queen", QStringLiteral("Song %1").arg(i), 1, i % 250);
    commitTransaction();
}

// What the child does: the delete of the album with its songs. It writes 'c'
// to the pipe as the commit starts and 'd' when it is done.
[[noreturn]] void deleteAlbum(const QString &dir, int pipe)
{
    Pair pair(dir);
    DataFile &albums = pair.albums;
    DataFile &songs = pair.songs;
    if (!pair.open() || beginTransaction({&albums, &songs}, 2) != NoError)
        _exit(2);
    const int byAlbum = songs.def().keyIndex("KeyAlbumID");
    songs.buffer().clear();
    songs.buffer().set("AlbumID", 1);
    songs.set(byAlbum);
    while (songs.next() == NoError && songs.buffer().get("AlbumID").toInt() == 1)
        if (songs.remove() != NoError)
            _exit(3);
    albums.buffer().set("AlbumID", 1);
    if (albums.get(albums.def().keyIndex("KeyAlbumID")) != NoError || albums.remove() != NoError)
        _exit(4);
    if (write(pipe, "c", 1) != 1)
        _exit(6);
    const int code = commitTransaction();
    if (write(pipe, "d", 1) != 1)
        _exit(6);
    _exit(code == NoError ? 0 : 5);
}

// Albums with identifier 1 and songs of that album, as another process sees them afterwards.
std::pair<int, int> census(const QString &dir)
{
    Pair pair(dir);
    DataFile &albums = pair.albums;
    DataFile &songs = pair.songs;
    if (!pair.open())
        return {-1, -1};
    int songCount = 0;
    songs.buffer().set("AlbumID", 1);
    songs.set(songs.def().keyIndex("KeyAlbumID"));
    while (songs.next() == NoError && songs.buffer().get("AlbumID").toInt() == 1)
        ++songCount;
    return {int(albums.records()), songCount};
}

} // namespace

class TestAtomicCommit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killedDeleteLeavesAllOrNothing();
};

namespace {

struct Child {
    pid_t pid;
    int pipe;
};

Child startDelete(const QString &dir)
{
    int fds[2];
    if (::pipe(fds) != 0)
        qFatal("no pipe");
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        deleteAlbum(dir, fds[1]);
    }
    close(fds[1]);
    return {pid, fds[0]};
}

bool await(int pipe, char expected)
{
    char c = 0;
    return read(pipe, &c, 1) == 1 && c == expected;
}

} // namespace

void TestAtomicCommit::killedDeleteLeavesAllOrNothing()
{
    QTemporaryDir dir;
    fill(dir.path());

    // One undisturbed run tells how long the delete and its commit take.
    QElapsedTimer timer;
    timer.start();
    Child child = startDelete(dir.path());
    QVERIFY(await(child.pipe, 'c'));
    const qint64 beforeCommit = timer.nsecsElapsed() / 1000;
    QVERIFY(await(child.pipe, 'd'));
    const qint64 commit = timer.nsecsElapsed() / 1000 - beforeCommit;
    int status = 0;
    waitpid(child.pid, &status, 0);
    close(child.pipe);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QCOMPARE(census(dir.path()), std::make_pair(0, 0));

    // Half the rounds kill at any moment of the whole run, half during the commit itself.
    int killed = 0, completed = 0;
    for (int round = 0; round < 80; ++round) {
        if (census(dir.path()).first == 0)
            fill(dir.path());
        QCOMPARE(census(dir.path()), std::make_pair(1, SongCount));
        const bool inCommit = round % 2;
        const qint64 span = inCommit ? commit : beforeCommit + commit;
        const qint64 delay = QRandomGenerator::global()->bounded(span + span / 10 + 1);
        child = startDelete(dir.path());
        if (inCommit)
            await(child.pipe, 'c');
        usleep(useconds_t(delay));
        kill(child.pid, SIGKILL);
        waitpid(child.pid, &status, 0);
        close(child.pipe);
        if (WIFSIGNALED(status))
            ++killed;
        else
            ++completed;
        const auto [albums, songs] = census(dir.path());
        QVERIFY2((albums == 1 && songs == SongCount) || (albums == 0 && songs == 0),
                 qPrintable(QStringLiteral("round %1: %2 albums, %3 songs").arg(round).arg(albums).arg(songs)));
    }
    qInfo("%d rounds killed, %d completed; the delete takes %lld us, its commit %lld us", killed, completed,
          beforeCommit, commit);
    QVERIFY(killed > 0);
}

QTEST_GUILESS_MAIN(TestAtomicCommit)
#include "tst_atomic_commit.moc"
