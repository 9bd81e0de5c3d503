// Favourite fonts: the style and colour numbers as stored and read back,
// and the description a label shows for a font, or "Default Font".
#include "datafile.h"
#include "favouritefonts.h"
#include "fileset.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace crx;

class TestFavouriteFonts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void styles_data()
    {
        QTest::addColumn<int>("weight");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<bool>("strikeOut");
        QTest::addColumn<int>("number");
        QTest::newRow("normal") << 400 << false << false << false << 400;
        QTest::newRow("bold") << 700 << false << false << false << 700;
        QTest::newRow("light italic") << 300 << true << false << false << 1300;
        QTest::newRow("bold underlined") << 700 << false << true << false << 2700;
        QTest::newRow("everything") << 900 << true << true << true << 7900;
    }
    void styles()
    {
        QFETCH(int, weight);
        QFETCH(bool, italic);
        QFETCH(bool, underline);
        QFETCH(bool, strikeOut);
        QFETCH(int, number);
        const FontStyle style{weight, italic, underline, strikeOut};
        QCOMPARE(styleNumber(style), number);
        QCOMPARE(styleOf(number), style);
    }

    void foreignStylesAreNormal()
    {
        QCOMPARE(styleOf(0), FontStyle());
        QCOMPARE(styleOf(-5), FontStyle());
        QCOMPARE(styleOf(123456), FontStyle());
    }

    void colours()
    {
        QCOMPARE(colourNumber({255, 0, 0}), 255);
        QCOMPARE(colourNumber({0, 0, 255}), 16711680);
        QCOMPARE(rgbOf(colourNumber({18, 52, 86})), (Rgb{18, 52, 86}));
    }

    void descriptions()
    {
        QTemporaryDir dir;
        FileSet files(dir.path());
        DataFile &fonts = files.use(FileId::Fonts);
        const auto add = [&fonts](qint64 id, const QString &face, const char *size, const char *colour,
                                  const char *style) {
            fonts.buffer().clear();
            fonts.buffer().set("FON:FontID", id);
            fonts.buffer().set("FON:TypeFace", face);
            fonts.buffer().set("FON:Size", size);
            fonts.buffer().set("FON:Colour", colour);
            fonts.buffer().set("FON:Style", style);
            QCOMPARE(fonts.add(), int(NoError));
        };
        add(1, "Arial", "12", "255", "700");
        add(2, QString(40, 'W'), "10", "0", "400");
        QCOMPARE(FontDescription(files, 1), QStringLiteral("Arial 12  Colour:  255  Style:  700"));
        QCOMPARE(FontDescription(files, 2).size(), 60);
        QCOMPARE(FontDescription(files, 0), QStringLiteral("Default Font"));
        QCOMPARE(FontDescription(files, 9), QStringLiteral("Default Font"));
        // The same face, size, colour and style twice is refused.
        fonts.buffer().clear();
        fonts.buffer().set("FON:FontID", 3);
        fonts.buffer().set("FON:TypeFace", "arial");
        fonts.buffer().set("FON:Size", "12");
        fonts.buffer().set("FON:Colour", "255");
        fonts.buffer().set("FON:Style", "700");
        QCOMPARE(fonts.add(), int(DuplicateKey));
        files.release(FileId::Fonts);
    }
};

QTEST_MAIN(TestFavouriteFonts)
#include "tst_favourite_fonts.moc"
