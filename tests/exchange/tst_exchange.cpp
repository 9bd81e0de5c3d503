// The comma-separated exchange without its windows: reading and writing
// fields, the encodings and the limits of a line, the column guess, the import
// rules (time, media codes, categories, blank lines), an add that fails part-way,
// and an export read back by the import and by Python's csv module.
#include "datafile.h"
#include "delimited.h"
#include "delimitedexport.h"
#include "fileset.h"
#include "picture.h"
#include "record.h"
#include "scriptedinteraction.h"
#include "settings.h"
#include "songimport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

using namespace crx;
using namespace crx::test;

namespace {

QStringList fieldsOf(const QString &line)
{
    FieldReader reader(line);
    QStringList out;
    QString value;
    while (reader.next(value))
        out << value;
    return out;
}

struct Catalogue {
    Catalogue() : files(dir.path()) { settings() = Settings(); }
    QString write(const QByteArray &bytes, const QString &name = QStringLiteral("in.csv"))
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }
    // Imports the file with these columns assigned; the import's outcome.
    SongImport::Outcome import(const QString &path, std::map<QString, int> assigned, bool strip = false,
                               std::map<int, QString> pictures = {})
    {
        DelimitedLines lines;
        if (!lines.open(path))
            return SongImport::Outcome::Cancelled;
        QString first, second;
        lines.next(first);
        const bool two = lines.next(second);
        ImportPlan plan{importColumns(first, two ? &second : nullptr), std::move(assigned), strip};
        for (const auto &[column, picture] : pictures)
            plan.columns[size_t(column)].picture = picture;
        SongImport run(files, lines, plan);
        if (run.start())
            while (run.tick()) {
            }
        return run.outcome();
    }
    std::vector<Record> songs()
    {
        std::vector<Record> out;
        DataFile &file = files.use(FileId::Cantorix);
        file.buffer().clear();
        file.set(file.def().keyIndex("MUS:SongsByArtist"));
        while (file.next() == NoError)
            out.push_back(file.buffer());
        // In the order added.
        std::sort(out.begin(), out.end(), [](const Record &a, const Record &b) { return a.rowId < b.rowId; });
        files.release(FileId::Cantorix);
        return out;
    }
    QTemporaryDir dir;
    FileSet files;
    ScriptedInteraction person;
};

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readingFields_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("quoted comma, doubled quote, plain time")
            << "\"Smith, Bob\",\"Say \"\"Hi\"\"\",3:45" << QStringList{"Smith, Bob", "Say \"Hi\"", "3:45"};
        QTest::newRow("empty field in the middle") << "a,,b" << QStringList{"a", "", "b"};
        QTest::newRow("blanks kept") << " a , b" << QStringList{" a ", " b"};
        QTest::newRow("nothing after the last comma") << "a,b,  " << QStringList{"a", "b"};
        QTest::newRow("unterminated quote") << "x,\"runs, to the end" << QStringList{"x", "runs, to the end"};
        QTest::newRow("blank line") << "" << QStringList{};
    }
    void readingFields()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QCOMPARE(fieldsOf(line), fields);
    }

    void writingFields_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("written");
        QTest::newRow("text, quotes doubled, trailing blanks gone") << "@s50" << QVariant("Say \"Hi\"  ") << "\"Say \"\"Hi\"\"\"";
        QTest::newRow("text longer than its picture") << "@s5" << QVariant(QString(300, 'x')) << '"' + QString(300, 'x') + '"';
        QTest::newRow("plain number") << "@n4" << QVariant(1968) << "1968";
        QTest::newRow("time") << "@T4" << QVariant(22501) << "\"0:03:45\"";
    }
    void writingFields()
    {
        QFETCH(QString, picture);
        QFETCH(QVariant, value);
        QFETCH(QString, written);
        QCOMPARE(writtenField(picture, value), written);
        QCOMPARE(fieldsOf(written).value(0), isTextPicture(picture) ? value.toString().trimmed() : fieldsOf(written).value(0));
    }

    void headerNames()
    {
        QCOMPARE(headerField("MUS:Artist"), QStringLiteral("\"MUS:Artist\""));
        QCOMPARE(headerField("A[1,2]B"), QStringLiteral("\"A_1_2 B\""));
    }

    void linesOfAFile()
    {
        Catalogue cat;
        QByteArray bytes = "\xEF\xBB\xBF" "Bj\xC3\xB6rk\n"   // UTF-8 after a byte-order mark
                           "Caf\xE9 \x80 \x96\r\n";         // Windows-1252
        bytes += QByteArray("nul\0byte\n", 9);
        bytes += QByteArray(20000, 'y') + "\nafter\n";
        DelimitedLines lines;
        QVERIFY(lines.open(cat.write(bytes)));
        QString line;
        QVERIFY(lines.next(line));
        QCOMPARE(line, QStringLiteral("Björk"));
        QVERIFY(lines.next(line));
        QCOMPARE(line, QStringLiteral("Café € –"));
        QVERIFY(lines.next(line));
        QCOMPARE(line, QStringLiteral("nulbyte"));
        QVERIFY(lines.next(line));
        QCOMPARE(line.size(), MostLineCharacters);
        QVERIFY(lines.next(line));
        QCOMPARE(line, QStringLiteral("after"));
        QVERIFY(!lines.next(line));
        QVERIFY(lines.looksLikeText() == false);
    }

    void fieldsAreNeverCutInACharacter()
    {
        const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E"); // two UTF-16 units
        const QString text = QString(MostFieldCharacters - 1, 'a') + clef;
        QCOMPARE(fieldsOf(text).value(0).size(), MostFieldCharacters - 1);
        QCOMPARE(cutText(QString(3, 'a') + clef, 5), QString(3, 'a') + clef);
    }

    void columnGuess()
    {
        const QString first = "\"Artist\",\"Title\",x", second = "12,\"quoted\",7";
        const std::vector<ImportColumn> columns = importColumns(first, &second);
        QCOMPARE(columns.size(), size_t(3));
        QCOMPARE(columns[0].name, QStringLiteral("Field_1"));
        QCOMPARE(columns[0].picture, QStringLiteral("@N30.9"));
        QCOMPARE(columns[1].picture, QStringLiteral("@S1000"));
        QCOMPARE(columns[2].picture, QStringLiteral("@N30.9"));
        QCOMPARE(columns[0].value, QStringLiteral("Artist"));
        QCOMPARE(pictureKind(columns[0].picture), QStringLiteral("Numeric"));
        QCOMPARE(pictureKind("@d2"), QStringLiteral("@d2"));
    }

    void importRules()
    {
        Catalogue cat;
        DataFile &categories = cat.files.use(FileId::Categories);
        categories.buffer().clear();
        categories.buffer().set("CAT:CategoryID", 4);
        categories.buffer().set("CAT:Category", "Rock");
        categories.add();
        cat.files.release(FileId::Categories);
        const QString path = cat.write("\"Smith, Bob\",\"Say \"\"Hi\"\"\",3:45,B,Jazz\n"
                                       "Cher,Believe,125,b,rock\n"
                                       "\n"
                                       "Dido,Thank You,0:04:10,D,jazz\n");
        QCOMPARE(cat.import(path, {{"MUS:Artist", 0}, {"MUS:Title", 1}, {"MUS:Time", 2}, {"MUS:Media", 3},
                                   {"MUS:CategoryID", 4}}),
                 SongImport::Outcome::Done);
        const std::vector<Record> songs = cat.songs();
        QCOMPARE(songs.size(), size_t(4));
        QCOMPARE(songs[0].get("MUS:Artist").toString(), QStringLiteral("Smith, Bob"));
        QCOMPARE(songs[0].get("MUS:Title").toString(), QStringLiteral("Say \"Hi\""));
        QCOMPARE(formatValue("@t4", songs[0].get("MUS:Time")), QStringLiteral("0:03:45"));
        QCOMPARE(songs[0].get("MUS:Media").toString(), QStringLiteral("Cassette (Dolby-B)"));
        QCOMPARE(songs[1].get("MUS:Time").toLongLong(), 125);
        QCOMPARE(songs[1].get("MUS:Media").toString(), QStringLiteral("b"));
        QCOMPARE(songs[1].get("MUS:CategoryID").toLongLong(), 4);
        // The blank line: a song with nothing in it.
        QCOMPARE(songs[2].get("MUS:Artist").toString(), QString());
        QCOMPARE(songs[2].get("MUS:Time").toLongLong(), 0);
        // Hours, minutes and seconds under the text picture are read as minutes and seconds: sixty
        // times too small, as the rule has it.
        QCOMPARE(formatValue("@t4", songs[3].get("MUS:Time")), QStringLiteral("0:00:04"));
        QCOMPARE(songs[3].get("MUS:Media").toString(), QStringLiteral("Cassette (DBX)"));
        // "Jazz" made once, above the highest identifier, for both songs.
        QCOMPARE(songs[0].get("MUS:CategoryID").toLongLong(), 5);
        QCOMPARE(songs[3].get("MUS:CategoryID").toLongLong(), 5);
        QCOMPARE(cat.files.use(FileId::Categories).records(), 2);
        cat.files.release(FileId::Categories);
        QCOMPARE(songs[0].get("MUS:ID").toLongLong(), 0);
    }

    void strippedHeader()
    {
        Catalogue cat;
        QCOMPARE(cat.import(cat.write("\"MUS:Title\"\n\"One\"\n\"Two\"\n"), {{"MUS:Title", 0}}, true),
                 SongImport::Outcome::Done);
        QCOMPARE(cat.songs().size(), size_t(2));
        QCOMPARE(cat.songs()[0].get("MUS:Title").toString(), QStringLiteral("One"));
    }

    void addFailingStopsWithWhatWasAdded()
    {
        Catalogue cat;
        QByteArray bytes;
        for (int n = 1; n <= 60; ++n)
            bytes += "Song " + QByteArray::number(n) + "\n";
        const QString path = DataFile(fileDef(FileId::Cantorix), cat.dir.path()).path();
        cat.files.use(FileId::Cantorix);
        cat.files.release(FileId::Cantorix);
        // The file refuses its 31st song, as a full disk would.
        sqlite3 *db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        QCOMPARE(sqlite3_exec(db, "CREATE TRIGGER full BEFORE INSERT ON records WHEN (SELECT count(*) FROM records) >= 30 "
                                  "BEGIN SELECT RAISE(ABORT, 'disk full'); END",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(db);
        QCOMPARE(cat.import(cat.write(bytes), {{"MUS:Title", 0}}), SongImport::Outcome::AddFailed);
        QCOMPARE(cat.songs().size(), size_t(30));
    }

    void exportReadBack()
    {
        Catalogue cat;
        DataFile &categories = cat.files.use(FileId::Categories);
        categories.buffer().clear();
        categories.buffer().set("CAT:CategoryID", 3);
        categories.buffer().set("CAT:Category", "Chanson");
        categories.add();
        cat.files.release(FileId::Categories);
        DataFile &songs = cat.files.use(FileId::Cantorix);
        const char *const titles[] = {"Plain", "With, comma", "With \"quotes\"", "Ça plane pour moi", "Line\nbreak"};
        int n = 0;
        for (const char *title : titles) {
            songs.buffer().clear();
            songs.buffer().set("MUS:Artist", QStringLiteral("Artist %1").arg(++n));
            songs.buffer().set("MUS:Title", QString::fromUtf8(title));
            songs.buffer().set("MUS:ReleaseDate", dayNumber(1977, 5, n));
            songs.buffer().set("MUS:Time", 22501 + n * 100);
            songs.buffer().set("MUS:TrackNumber", n);
            songs.buffer().set("MUS:CategoryID", 3);
            songs.buffer().set("MUS:Notes", n == 5 ? QStringLiteral("two\nlines") : QStringLiteral("notes"));
            songs.add();
        }
        cat.files.release(FileId::Cantorix);

        std::vector<ExportField> fields;
        for (const ExportField &f : exportFields(ExportKind::Songs))
            if (f.field != QLatin1String("MUS:CategoryID") && f.field != QLatin1String("MUS:LastPlayed"))
                fields.push_back(f);
        const QString path = cat.dir.filePath("out.csv");
        cat.write("an older export", "out.csv");
        {
            DelimitedExport out(cat.files, ExportKind::Songs, fields, true);
            QString error;
            QVERIFY(out.create(path, error));
            QVERIFY(out.start());
            while (out.tick()) {
            }
            QVERIFY(out.finish(error));
        }
        // Python's csv module reads the same values (the memo's line break inside its quotes).
        QProcess python;
        python.start("python3", {"-c", "import csv,sys\nrows=list(csv.reader(open(sys.argv[1],encoding='utf-8',newline='')))\n"
                                       "print(len(rows)); print(rows[0][0]); print(rows[4][1]); print(repr(rows[5][23]));"
                                       "print(rows[5][28])",
                                 path});
        QVERIFY(python.waitForFinished());
        QCOMPARE(QString::fromUtf8(python.readAllStandardOutput()).split('\n').mid(0, 5),
                 (QStringList{"6", "MUS:Artist", "Ça plane pour moi", "'two\\nlines'", "Chanson"}));

        // Read back by the import with the header stripped: the same songs (the memo's break ends its line).
        Catalogue back;
        DelimitedLines lines;
        QVERIFY(lines.open(path));
        QString header, first;
        lines.next(header);
        lines.next(first);
        std::vector<ImportColumn> columns = importColumns(header, &first);
        showLine(columns, header);
        std::map<QString, int> assigned;
        for (size_t c = 0; c < columns.size(); ++c)
            if (importTargets().contains(columns[c].value))
                assigned[columns[c].value] = int(c);
        QCOMPARE(int(assigned.size()), 28);
        // The time goes back through its own picture.
        ImportPlan timed{columns, assigned, true};
        timed.columns[size_t(assigned["MUS:Time"])].picture = QStringLiteral("@T4");
        SongImport again(back.files, lines, timed);
        QVERIFY(again.start());
        while (again.tick()) {
        }
        const std::vector<Record> copies = back.songs();
        // The fifth song's title and memo each hold a line break: each ends its line there.
        QCOMPARE(copies.size(), size_t(7));
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(copies[size_t(i)].get("MUS:Title").toString(), QString::fromUtf8(titles[i]));
            QCOMPARE(copies[size_t(i)].get("MUS:ReleaseDate").toLongLong(), dayNumber(1977, 5, i + 1));
            QCOMPARE(copies[size_t(i)].get("MUS:Time").toLongLong(), 22501 + (i + 1) * 100);
            QCOMPARE(copies[size_t(i)].get("MUS:TrackNumber").toLongLong(), i + 1);
            QCOMPARE(copies[size_t(i)].get("MUS:Notes").toString(), QStringLiteral("notes"));
        }
    }

    void albumExport()
    {
        Catalogue cat;
        for (ExportKind kind : {ExportKind::Songs, ExportKind::Albums})
            for (const ExportField &f : exportFields(kind))
                QVERIFY2(f.field == QLatin1String("CAT:Category")
                             || fileDef(kind == ExportKind::Songs ? FileId::Cantorix : FileId::Album).fieldIndex(f.field) >= 0,
                         qPrintable(f.field));
        QCOMPARE(exportFields(ExportKind::Songs).size(), size_t(31));
        QCOMPARE(exportFields(ExportKind::Albums).size(), size_t(15));
        DataFile &albums = cat.files.use(FileId::Album);
        for (const char *title : {"Waterloo", "Arrival"}) {
            albums.buffer().clear();
            albums.buffer().set("ALB:Artist", "Abba");
            albums.buffer().set("ALB:Album", title);
            albums.buffer().set("ALB:ReleaseDate", 1974);
            albums.add();
        }
        cat.files.release(FileId::Album);
        const QString path = cat.dir.filePath("albums.csv");
        DelimitedExport out(cat.files, ExportKind::Albums, exportFields(ExportKind::Albums), false);
        QString error;
        QVERIFY(out.create(path, error));
        QVERIFY(out.start());
        while (out.tick()) {
        }
        QVERIFY(out.finish(error));
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        // In album order; the release date plain, the memo and file fields quoted and empty.
        QCOMPARE(written.readLine(), QByteArray("\"Abba\",\"Arrival\",\"\",\"\",1974,\"\",\"\",\"\",\"\",\"\",\"\",\"\",0,\"\",0\n"));
    }

    void cancelledExportKeepsTheOldFile()
    {
        Catalogue cat;
        DataFile &songs = cat.files.use(FileId::Cantorix);
        for (int n = 0; n < 100; ++n) {
            songs.buffer().clear();
            songs.buffer().set("MUS:Title", QStringLiteral("Song %1").arg(n));
            songs.add();
        }
        cat.files.release(FileId::Cantorix);
        const QString path = cat.write("the older export\n", "out.csv");
        {
            DelimitedExport out(cat.files, ExportKind::Songs, {{"MUS:Title", "@s50"}}, false);
            QString error;
            QVERIFY(out.create(path, error));
            QVERIFY(out.start());
            out.cancel();
            QVERIFY(!out.finish(error));
        }
        QFile kept(path);
        kept.open(QIODevice::ReadOnly);
        QCOMPARE(kept.readAll(), QByteArray("the older export\n"));
        QCOMPARE(QDir(cat.dir.path()).entryList(QDir::Files | QDir::Hidden).filter("export").size(), 0);
    }
};

QTEST_MAIN(TestExchange)
#include "tst_exchange.moc"
