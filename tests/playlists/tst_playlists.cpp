// Playlists: the chart marker, the entries' numbering and moves as one
// transaction each, the generator's draws, and the windows as a person uses
// them through the frame's "&Play Lists": songs dropped in, Add after the
// highlighted entry, Chart, and the list's popup.
#include "chart.h"
#include "datafile.h"
#include "fileset.h"
#include "generator.h"
#include "mainframe.h"
#include "picture.h"
#include "playlistentries.h"
#include "playlistwindows.h"
#include "heldfile.h"
#include "scriptedinteraction.h"
#include "selectfilenumber.h"
#include "settings.h"
#include "tracklist.h"
#include "windowsteps.h"

#include <QApplication>
#include <QComboBox>
#include <QSpinBox>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace crx;
using namespace crx::test;

namespace {

struct Catalogue {
    Catalogue() : files(dir.path())
    {
        settings() = Settings();
        songs = &files.use(FileId::Cantorix);
    }
    ~Catalogue() { files.release(FileId::Cantorix); }

    void addSong(qint64 id, const QString &title, qint64 release = 0, qint64 category = 0, qint64 time = 0)
    {
        Record &s = songs->buffer();
        s.clear();
        s.set("ID", id);
        s.set("Title", title);
        s.set("Artist", QStringLiteral("Artist %1").arg(id));
        s.set("ReleaseDate", release);
        s.set("CategoryID", category);
        s.set("Time", time);
        QCOMPARE(songs->add(), int(NoError));
    }
    void addSongs(int count)
    {
        for (int n = 1; n <= count; ++n)
            addSong(n, QStringLiteral("Song %1").arg(n));
    }
    // "seq song notes" of each entry of the playlist.
    QStringList entries(qint64 playlist)
    {
        QStringList out;
        for (const PlaylistEntry &e : readPlaylistEntries(files, playlist).entries)
            out << QStringLiteral("%1 %2 %3").arg(e.seq).arg(e.song).arg(e.notes).trimmed();
        return out;
    }
    void addEntries(qint64 playlist, const QList<qint64> &songIds)
    {
        for (qint64 id : songIds)
            QVERIFY(addSongToPlaylist(files, playlist, id));
    }

    QTemporaryDir dir;
    FileSet files;
    DataFile *songs;
    ScriptedInteraction person;
};


QMimeData *songsDragged(const QByteArray &ids)
{
    auto *data = new QMimeData;
    data->setData(TrackList::dragFormat(), ids);
    return data;
}

// Drops the songs on the list as a drag from a song list would.
void dropOn(PlaylistEntryList &list, const QByteArray &ids)
{
    std::unique_ptr<QMimeData> data(songsDragged(ids));
    const QPoint at(20, 20);
    QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &enter);
    QDropEvent drop(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &drop);
}

UpdatePlaylist *openPlaylistForm()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *form = qobject_cast<UpdatePlaylist *>(w); form && form->isVisible())
            return form;
    return nullptr;
}

} // namespace

class TestPlaylists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { registerPlaylistWindows(); }

    void chartMarker_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("marked");
        QTest::newRow("empty notes at 7") << "" << 7 << "LW:7";
        QTest::newRow("7 then 2") << "LW:7" << 2 << "LW:2";
        QTest::newRow("text kept, marker in place") << "great opener LW:12" << 3 << "great opener LW:3";
        QTest::newRow("leading blanks go") << "   hot" << 1 << "hot LW:1";
        QTest::newRow("a three-digit marker goes whole") << "LW:123" << 5 << "LW:5";
        QTest::newRow("cut at 40") << QString(38, 'x') << 9 << QString(38, 'x') + " L";
    }
    void chartMarker()
    {
        QFETCH(QString, notes);
        QFETCH(int, position);
        QTEST(chartNotes(notes, position), "marked");
    }

    void theSameSongTwiceGivesTwoEntries()
    {
        Catalogue cat;
        cat.addSongs(3);
        cat.addEntries(1, {2, 2});
        QCOMPARE(cat.entries(1), (QStringList{"1 2", "2 2"}));
    }

    void moves_data()
    {
        QTest::addColumn<int>("seq");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("order");
        QTest::newRow("top up") << 1 << int(Move::UpOne) << "10 20 30 40 50";
        QTest::newRow("bottom down") << 5 << int(Move::DownOne) << "10 20 30 40 50";
        QTest::newRow("third up") << 3 << int(Move::UpOne) << "10 30 20 40 50";
        QTest::newRow("second to the bottom") << 2 << int(Move::ToBottom) << "10 30 40 50 20";
        QTest::newRow("last to the top") << 5 << int(Move::ToTop) << "50 10 20 30 40";
    }
    void moves()
    {
        QFETCH(int, seq);
        QFETCH(int, mode);
        Catalogue cat;
        for (int n = 1; n <= 5; ++n)
            cat.addSong(n * 10, QStringLiteral("Song %1").arg(n));
        cat.addEntries(4, {10, 20, 30, 40, 50});
        std::optional<SwapFailure> failure;
        movePlaylistEntry(cat.files, 4, seq, Move(mode), failure);
        QVERIFY(!failure);
        QStringList songs, seqs;
        for (const PlaylistEntry &e : readPlaylistEntries(cat.files, 4).entries) {
            songs << QString::number(e.song);
            seqs << QString::number(e.seq);
        }
        QTEST(songs.join(' '), "order");
        QCOMPARE(seqs.join(' '), QStringLiteral("1 2 3 4 5"));
    }

    // A move that cannot be written leaves every entry where it was and says which step failed.
    void aFailedMoveMovesNothing()
    {
        Catalogue cat;
        cat.addSongs(3);
        cat.addEntries(1, {1, 2, 3});
        std::optional<SwapFailure> failure;
        {
            HeldFile other(cat.files.file(FileId::PlaylistDetails).path(), HeldFile::Against::Writes);
            QVERIFY(other.held());
            QVERIFY(!movePlaylistEntry(cat.files, 1, 3, Move::ToTop, failure));
        }
        QVERIFY(failure);
        QCOMPARE(cat.entries(1), (QStringList{"1 1", "2 2", "3 3"}));
        const QString text = swapErrorText(1, *failure);
        QVERIFY2(text.startsWith("Record swap error: "), qPrintable(text));
        QVERIFY2(text.contains("|PlaylistDetails, PLA:KeyPlaylistID|Key Field PLA:PlaylistID = 1|"
                               "Key Field PLA:PlaylistSeq = 3|Section = Test Range"),
                 qPrintable(text));
    }

    void deletingEntryThreeOfFive()
    {
        Catalogue cat;
        cat.addSongs(5);
        cat.addEntries(1, {1, 2, 3, 4, 5});
        DataFile &details = cat.files.use(FileId::PlaylistDetails);
        QVERIFY(details.reget(readPlaylistEntries(cat.files, 1).entries[2].position) == NoError);
        QCOMPARE(details.remove(), int(NoError));
        cat.files.release(FileId::PlaylistDetails);
        std::optional<SwapFailure> failure;
        QVERIFY(closePlaylistGap(cat.files, 1, 3, failure));
        QCOMPARE(cat.entries(1), (QStringList{"1 1", "2 2", "3 4", "4 5"}));
    }

    // An entry whose song is gone is listed with blank artist, title and time.
    void anEntryWithoutItsSong()
    {
        Catalogue cat;
        cat.addSong(1, "Here", 0, 0, 18001);
        cat.addSong(2, "Gone", 0, 0, 24001);
        cat.addEntries(1, {1, 2});
        QCOMPARE(cat.songs->reget(QByteArray("2")), int(NoError));
        QCOMPARE(cat.songs->remove(), int(NoError));
        const PlaylistEntries read = readPlaylistEntries(cat.files, 1);
        QCOMPARE(read.entries.size(), size_t(2));
        QCOMPARE(read.entries[1].title, QString());
        QCOMPARE(read.entries[1].artist, QString());
        QCOMPARE(read.entries[1].time, qint64(0));
        QCOMPARE(totalTime(read.entries), qint64(18001));
    }

    // A start after every release: 1001 draws find nothing; the empty playlist remains.
    void nothingToDraw()
    {
        Catalogue cat;
        for (int n = 1; n <= 20; ++n)
            cat.addSong(n, "Old", dayNumber(1990, 1, n));
        std::mt19937_64 random(7);
        GeneratorChoices choices;
        choices.size = 10;
        choices.from = dayNumber(2000, 1, 1);
        const GeneratedPlaylist made = generatePlaylist(cat.files, choices, random, QDate(2026, 12, 11));
        QCOMPARE(made.draws, MostDraws);
        QCOMPARE(made.entries, 0);
        QCOMPARE(made.playlist, qint64(1));
        DataFile &master = cat.files.use(FileId::PlaylistMaster);
        master.buffer().set("PLD:PlaylistID", 1);
        QCOMPARE(master.get(master.def().keyIndex("PLD:KeyPlaylistID")), int(NoError));
        QCOMPARE(master.buffer().get("PLD:PlaylistDescription").toString(), QStringLiteral("Play List #1"));
        cat.files.release(FileId::PlaylistMaster);
        QVERIFY(cat.entries(1).isEmpty());
    }

    void noSongsToSelectFrom()
    {
        Catalogue cat;
        std::mt19937_64 random(1);
        GeneratorChoices choices;
        choices.size = 5;
        QVERIFY(generatePlaylist(cat.files, choices, random, QDate(2026, 12, 11)).noSongs);
    }

    // The new playlist's id and name clash with none: "Play List #2" taken by playlist 1 gives 3.
    void aNameThatIsTaken()
    {
        Catalogue cat;
        cat.addSongs(3);
        DataFile &master = cat.files.use(FileId::PlaylistMaster);
        master.buffer().clear();
        master.buffer().set("PLD:PlaylistID", 1);
        master.buffer().set("PLD:PlaylistDescription", "Play List #2");
        QCOMPARE(master.add(), int(NoError));
        cat.files.release(FileId::PlaylistMaster);
        std::mt19937_64 random(3);
        GeneratorChoices choices;
        choices.size = 4;
        const GeneratedPlaylist made = generatePlaylist(cat.files, choices, random, QDate(2026, 12, 11));
        QCOMPARE(made.playlist, qint64(3));
        QCOMPARE(cat.entries(3).size(), 4);
    }

    // Draws are over the record numbers in use; one whose song was deleted draws again.
    void deletedSongsAreNotDrawn()
    {
        Catalogue cat;
        cat.addSongs(40);
        for (int n = 1; n <= 40; n += 2) {
            QCOMPARE(cat.songs->reget(QByteArray::number(n)), int(NoError));
            QCOMPARE(cat.songs->remove(), int(NoError));
        }
        std::mt19937_64 random(11);
        GeneratorChoices choices;
        choices.size = 99;
        const GeneratedPlaylist made = generatePlaylist(cat.files, choices, random, QDate(2026, 12, 11));
        QCOMPARE(made.entries, 99);
        QSet<qint64> drawn;
        for (const PlaylistEntry &e : readPlaylistEntries(cat.files, made.playlist).entries) {
            QVERIFY2(e.song % 2 == 0, qPrintable(QString::number(e.song)));
            drawn << e.song;
        }
        QVERIFY(drawn.contains(40)); // the latest song can be drawn
    }

    // "Recent Addition": about three quarters from the half of the file added later.
    void recentAdditionLeansToTheNewerHalf()
    {
        Catalogue cat;
        cat.addSongs(1000);
        std::mt19937_64 random(2026);
        GeneratorChoices choices;
        choices.size = 99;
        choices.weighting = Weighting::RecentAddition;
        int newer = 0, all = 0;
        for (int run = 0; run < 10; ++run) {
            const GeneratedPlaylist made = generatePlaylist(cat.files, choices, random, QDate(2026, 12, 11));
            for (const PlaylistEntry &e : readPlaylistEntries(cat.files, made.playlist).entries) {
                newer += e.song > 500;
                ++all;
            }
        }
        QCOMPARE(all, 990);
        const double share = double(newer) / all;
        QVERIFY2(share > 0.70 && share < 0.80, qPrintable(QString::number(share)));
    }

    // "Recent Release" skips, on half of the draws, a song released before the last 90 days.
    void recentReleaseLeansToNewReleases()
    {
        Catalogue cat;
        const QDate today(2026, 12, 11);
        for (int n = 1; n <= 200; ++n)
            cat.addSong(n, "Song", n % 2 ? dayNumber(1990, 5, 1) : dayNumber(2026, 12, 1));
        std::mt19937_64 random(5);
        GeneratorChoices choices;
        choices.size = 99;
        choices.weighting = Weighting::RecentRelease;
        int recent = 0, all = 0;
        for (int run = 0; run < 5; ++run)
            for (const PlaylistEntry &e : readPlaylistEntries(cat.files, generatePlaylist(cat.files, choices, random, today).playlist).entries) {
                recent += e.song % 2 == 0;
                ++all;
            }
        // Half the draws take any song, half only new ones: two thirds of those kept are new.
        const double share = double(recent) / all;
        QVERIFY2(share > 0.60 && share < 0.73, qPrintable(QString::number(share)));
    }

    // Through the frame: a playlist added, songs dropped into it, one added after the second
    // entry, moved, charted; then deleted with its entries.
    void aPlaylistAsADjMakesIt()
    {
        Catalogue cat;
        cat.addSong(1, "Intro", 0, 0, 12001);
        cat.addSong(2, "Anthem", 0, 0, 30001);
        cat.addSong(3, "Closer", 0, 0, 24001);
        MainFrame frame(cat.files);
        frame.show();
        frame.action("&Browse", "&Play Lists")->trigger();
        QMdiSubWindow *child = frame.workspace()->activeSubWindow();
        QVERIFY(child);
        auto *list = qobject_cast<BrowsePlayLists *>(child->widget());
        QVERIFY(list);
        QCOMPARE(list->windowTitle(), QStringLiteral("Playlists"));
        QVERIFY(!list->button("print")->isEnabled());
        QVERIFY(!list->button("top40")->isEnabled());
        QCOMPARE(menuTexts(*list->popupMenu()),
                 (QStringList{"&Add", "~&Change", "~&Delete", "-", "~&Print", "~&Top 40", "~Report Wizard", "-",
                              "Generate Play List"}));

        bool checked = false;
        QTimer::singleShot(0, [&] {
            UpdatePlaylist *form = openPlaylistForm();
            QVERIFY(form);
            QCOMPARE(form->windowTitle(), QStringLiteral("Adding a Playlist Record"));
            QVERIFY2(!child->isEnabled(), "the list waits while its form is open");
            QVERIFY2(frame.isEnabled(), "the song lists stay usable for dragging");
            QCOMPARE(form->findChild<QLabel *>("hint")->text(),
                     QStringLiteral("Drag from the \"Songs\" window and drop on the Playlist"));
            typeInto(*form, "PLD:PlaylistDescription", "Friday Night");
            dropOn(*form->entryList(), "1");
            dropOn(*form->entryList(), "3");
            dropOn(*form->entryList(), "1");
            QCOMPARE(columnTexts(*form->entryList(), 2), (QStringList{"Intro", "Closer", "Intro"}));
            QCOMPARE(form->totalTimeText(), QStringLiteral("0:08:00"));

            // Add with entry 2 highlighted: the new entry becomes entry 3.
            form->entryList()->setCurrentItem(form->entryList()->topLevelItem(1));
            onModals({[](QWidget *modal) {
                          auto *entry = qobject_cast<UpdatePlaylistDetails *>(modal);
                          QVERIFY(entry);
                          QCOMPARE(entry->windowTitle(), QStringLiteral("Adding a Playlist Detail"));
                          QTest::mouseClick(entry->findChild<QPushButton *>("selectSong"), Qt::LeftButton);
                          QCOMPARE(entry->findChild<QLineEdit *>("title")->text(), QStringLiteral("Anthem"));
                          typeInto(*entry, "PLA:PlaylistNotes", "big one");
                          QTest::mouseClick(entry->okButton(), Qt::LeftButton);
                      },
                      [](QWidget *modal) {
                          auto *songs = qobject_cast<SelectFileNumber *>(modal);
                          QVERIFY(songs);
                          const QList<QTreeWidgetItem *> found =
                              songs->listBox()->findItems("Anthem", Qt::MatchExactly, 1);
                          QVERIFY(!found.isEmpty());
                          songs->listBox()->setCurrentItem(found.front());
                          QTest::mouseClick(songs->button("select"), Qt::LeftButton);
                      }});
            QTest::mouseClick(form->findChild<QPushButton *>("addEntry"), Qt::LeftButton);
            QCOMPARE(columnTexts(*form->entryList(), 2), (QStringList{"Intro", "Closer", "Anthem", "Intro"}));
            QCOMPARE(form->entryList()->currentItem()->text(2), QStringLiteral("Anthem"));

            // Chart, then the last entry to the top: its marker tells where it stood.
            cat.person.answer({OK});
            QTest::mouseClick(form->findChild<QPushButton *>("chart"), Qt::LeftButton);
            QCOMPARE(columnTexts(*form->entryList(), 4), (QStringList{"LW:1", "LW:2", "big one LW:3", "LW:4"}));
            form->entryList()->setCurrentItem(form->entryList()->topLevelItem(3));
            QTest::mouseClick(form->findChild<QPushButton *>("moveTop"), Qt::LeftButton);
            QCOMPARE(columnTexts(*form->entryList(), 4), (QStringList{"LW:4", "LW:1", "LW:2", "big one LW:3"}));
            QTest::mouseClick(form->okButton(), Qt::LeftButton);
            checked = true;
        });
        QTest::mouseClick(list->button("insert"), Qt::LeftButton);
        QVERIFY(checked);
        QVERIFY(child->isEnabled());
        QCOMPARE(columnTexts(*list->listBox(), 0), QStringList{"Friday Night"});
        QCOMPARE(cat.entries(1), (QStringList{"1 1 LW:4", "2 1 LW:1", "3 3 LW:2", "4 2 big one LW:3"}));
        DataFile &master = cat.files.use(FileId::PlaylistMaster);
        master.buffer().set("PLD:PlaylistID", 1);
        QCOMPARE(master.get(master.def().keyIndex("PLD:KeyPlaylistID")), int(NoError));
        const QDate today = QDate::currentDate();
        QCOMPARE(master.buffer().get("PLD:LastEditDate").toLongLong(),
                 dayNumber(today.year(), today.month(), today.day()));
        cat.files.release(FileId::PlaylistMaster);

        // Deleting the playlist takes its entries along.
        cat.person.answer({OK});
        QTest::mouseClick(list->button("delete"), Qt::LeftButton);
        QCOMPARE(list->listBox()->topLevelItemCount(), 0);
        QVERIFY(cat.entries(1).isEmpty());
    }

    // Cancel on a new playlist gives up the songs dropped into it with it.
    void aNewPlaylistGivenUp()
    {
        Catalogue cat;
        cat.addSongs(2);
        BrowsePlayLists list(cat.files);
        QVERIFY(list.start());
        QTimer::singleShot(0, [&] {
            UpdatePlaylist *form = openPlaylistForm();
            QVERIFY(form);
            dropOn(*form->entryList(), "1,2");
            QCOMPARE(form->entryList()->topLevelItemCount(), 2);
            QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
        });
        QTest::mouseClick(list.button("insert"), Qt::LeftButton);
        QCOMPARE(list.listBox()->topLevelItemCount(), 0);
        QCOMPARE(cat.files.use(FileId::PlaylistDetails).records(), qint64(0));
        cat.files.release(FileId::PlaylistDetails);
        QCOMPARE(cat.files.use(FileId::PlaylistMaster).records(), qint64(0));
        cat.files.release(FileId::PlaylistMaster);
    }

    // "Generate Play List" from the list's popup: a category not in the list is refused.
    void generatingFromThePopup()
    {
        Catalogue cat;
        cat.addSongs(30);
        BrowsePlayLists list(cat.files);
        QVERIFY(list.start());
        onModals({[](QWidget *modal) {
            auto *window = qobject_cast<GeneratePlaylistWindow *>(modal);
            QVERIFY(window);
            QCOMPARE(window->windowTitle(), QStringLiteral("Generate Play List"));
            window->findChild<QSpinBox *>("size")->setValue(12);
            auto *category = window->findChild<QComboBox *>("category");
            category->setCurrentText("Polka");
            QTest::mouseClick(window->findChild<QPushButton *>("ok"), Qt::LeftButton);
            QVERIFY2(window->isVisible(), "a category that is not there keeps the window open");
            category->setCurrentText(QString());
            QTest::mouseClick(window->findChild<QPushButton *>("ok"), Qt::LeftButton);
        }});
        list.generate();
        QCOMPARE(columnTexts(*list.listBox(), 0), QStringList{"Play List #1"});
        QCOMPARE(cat.entries(1).size(), 12);
    }
};

QTEST_MAIN(TestPlaylists)
#include "tst_playlists.moc"
