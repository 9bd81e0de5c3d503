#include "labelwindows.h"

#include "childwindow.h"
#include "datafile.h"
#include "fileset.h"
#include "interaction.h"
#include "launchers.h"
#include "pagebuttons.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace crx {
namespace {

constexpr int Width = 600, Height = 430;
constexpr int PrimedX = 3771, PrimedY = 8438, Thumbnail = 1000;
enum Tab { General, FrontCover, BackCover, Position, SideA, SideB };

QLabel *label(QWidget *parent, const QString &text, QRect place, const QString &name = {})
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(place);
    l->setObjectName(name);
    return l;
}

// Faces of Windows programs that Linux lacks, drawn in the metric-compatible Liberation faces.
void substituteWindowsFaces()
{
    static const bool done = [] {
        for (const char *sans : {"Arial", "MS Sans Serif", "Small Fonts", "Helvetica"})
            QFont::insertSubstitution(QLatin1String(sans), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        return true;
    }();
    Q_UNUSED(done);
}

// The prompt of an entry on a page.
QWidget *promptOf(QWidget &page, QWidget *entry)
{
    for (QLabel *l : page.findChildren<QLabel *>())
        if (l->buddy() == entry)
            return l;
    return nullptr;
}

} // namespace

QFont drawnFont(const FavouriteFont &font, const QFont &otherwise)
{
    substituteWindowsFaces();
    QFont drawn = otherwise;
    if (!font.face.isEmpty())
        drawn.setFamily(font.face);
    if (font.size.toInt() > 0)
        drawn.setPointSize(font.size.toInt());
    const FontStyle style = styleOf(font.style.toInt());
    drawn.setWeight(QFont::Weight(style.weight));
    drawn.setItalic(style.italic);
    drawn.setUnderline(style.underline);
    drawn.setStrikeOut(style.strikeOut);
    return drawn;
}

// ---- favourite fonts ----

SelectFont::SelectFont(FileSet &files, QWidget *parent)
    : BrowseWindow(files, FileId::Fonts, QStringLiteral("SelectFont"), QStringLiteral("Favorite Fonts"),
                   QStringLiteral("90L(2)|M~Type Face~L(2)@s32@30R(2)|M~Size~R(2)@s32@45R(2)|M~Colour~R(2)@s32@"
                                  "35R(2)|M~Style~R(2)@s32@"),
                   {QStringLiteral("FON:TypeFace"), QStringLiteral("FON:Size"), QStringLiteral("FON:Colour"),
                    QStringLiteral("FON:Style")},
                   {{QStringLiteral("By Type Face"), QStringLiteral("FON:KeyTypeFace"), LocatorKind::Step,
                     Alphabet::LettersDigitsPunctuation, QString(), {}}},
                   [](FileSet &set) { return std::make_unique<UpdateFonts>(set); }, parent)
{
    resize(470, 320);
    placeList(QRect(10, 10, 340, 240), QStringLiteral("Locate:"));
    setTexts(ListTexts::adding());
    const auto place = [](int row) { return QRect(360, 10 + row * 30, 100, 25); };
    button(QStringLiteral("select"))->setGeometry(place(0));
    button(QStringLiteral("insert"))->setGeometry(place(1));
    button(QStringLiteral("change"))->setGeometry(place(2));
    button(QStringLiteral("delete"))->setGeometry(place(3));
    addButton(
        QStringLiteral("Freeform"), QStringLiteral("freeform"), place(4),
        [this] {
            if (!readHighlighted())
                return;
            formRequest() = Request::Change;
            UpdateFontFreeform form(this->files(), this);
            form.call();
            refresh();
        },
        true);
    button(QStringLiteral("close"))->setGeometry(place(8));
    button(QStringLiteral("close"))->setText(QStringLiteral("Cancel"));
}

bool chooseFavouriteFont(FileSet &files, QWidget *parent, qint64 &id)
{
    DataFile &fonts = files.use(FileId::Fonts);
    const bool chosen = selectFrom<SelectFont>(files, parent);
    if (chosen)
        id = fonts.buffer().get("FON:FontID").toLongLong();
    files.release(FileId::Fonts);
    return chosen;
}

namespace {

void addFontFields(FormWindow &form)
{
    const struct {
        const char *prompt, *field;
    } fields[] = {{"Type &Face:", "FON:TypeFace"}, {"&Size:", "FON:Size"}, {"&Colour:", "FON:Colour"},
                  {"S&tyle:", "FON:Style"}};
    for (int i = 0; const auto &f : fields) {
        form.addField(QString::fromLatin1(f.prompt), QString::fromLatin1(f.field), QStringLiteral("@s32"),
                      QRect(10, 12 + 30 * i, 80, 22), QRect(95, 12 + 30 * i, 220, 22));
        ++i;
    }
    form.helpButton()->hide();
}

} // namespace

UpdateFonts::UpdateFonts(FileSet &files, QWidget *parent)
    : FormWindow(files, FileId::Fonts, QStringLiteral("UpdateFonts"),
                 {QStringLiteral("Adding a Favorite Font"), QStringLiteral("Changing a Favorite Font")},
                 QSize(420, 170), DittoKey::Grave, parent)
{
    addFontFields(*this);
    session().setKeyNames({{QStringLiteral("FON:KeyTypeFace"), QStringLiteral("FON:KeyTypeFace")}});
}

Response UpdateFonts::call()
{
    if (!prepare())
        return session().response();
    Record &font = session().file().buffer();
    const FontStyle style = styleOf(font.get("FON:Style").toInt());
    FontChoice choice{font.get("FON:TypeFace").toString().trimmed(), font.get("FON:Size").toInt(), style.weight,
                      style.italic, style.underline, style.strikeOut, font.get("FON:Colour").toInt()};
    if (!interaction().chooseFont(QStringLiteral("Choose Font"), choice)) {
        reject();
        return session().response();
    }
    font.set("FON:TypeFace", choice.face);
    font.set("FON:Size", QString::number(choice.pointSize));
    font.set("FON:Colour", QString::number(choice.colour));
    font.set("FON:Style",
             QString::number(styleNumber({choice.weight, choice.italic, choice.underline, choice.strikeOut})));
    load();
    accept();
    // A font refused (the same favourite twice) stays in the form to be put right.
    if (session().response() != Response::Completed)
        exec();
    return session().response();
}

UpdateFontFreeform::UpdateFontFreeform(FileSet &files, QWidget *parent)
    : FormWindow(files, FileId::Fonts, QStringLiteral("UpdateFontFreeform"),
                 {QStringLiteral("Update Font Information (Freeform)"),
                  QStringLiteral("Update Font Information (Freeform)")},
                 QSize(420, 170), DittoKey::Grave, parent)
{
    addFontFields(*this);
    session().setKeyNames({{QStringLiteral("FON:KeyTypeFace"), QStringLiteral("FON:KeyTypeFace")}});
    connect(pageButton(this, QStringLiteral("..."), QStringLiteral("chooseColour"), QRect(320, 72, 26, 22)),
            &QPushButton::clicked, this, [this] {
                auto *colour = findChild<QLineEdit *>(QStringLiteral("FON:Colour"));
                int number = colour->text().toInt();
                if (interaction().chooseColour(QStringLiteral("Select Color"), number)) {
                    colour->setText(QString::number(number));
                    colour->setModified(true);
                }
            });
}

// ---- the label form ----

UpdateLabels::UpdateLabels(FileSet &files, QWidget *parent)
    : FormWindow(files, FileId::Labels, QStringLiteral("UpdateLabels"),
                 {QStringLiteral("Adding a Label"), QStringLiteral("Changing a Label")}, QSize(Width, Height),
                 DittoKey::Grave, parent),
      files_(files)
{
    session().setKeyNames({{QStringLiteral("LAB:KeyLabelDescription"), QStringLiteral("LAB:KeyLabelDescription")}});
    sheet_ = new QTabWidget(this);
    sheet_->setGeometry(10, 10, Width - 20, Height - 55);
    QWidget *pages[6];
    const char *titles[] = {"General", "Front Cover", "Back Cover", "Position", "Side A", "Side B"};
    for (int i = 0; i < 6; ++i) {
        pages[i] = new QWidget;
        sheet_->addTab(pages[i], QString::fromLatin1(titles[i]));
    }

    // General
    QWidget *general = pages[General];
    QGroupBox *type = addOption(general, QStringLiteral("Label Type"), "LAB:LabelType",
                                {QStringLiteral("Cassette"), QStringLiteral("CD")}, QRect(10, 10, 200, 50));
    for (QRadioButton *r : type->findChildren<QRadioButton *>())
        connect(r, &QRadioButton::clicked, this, [this] {
            takeTyped();
            showType();
        });
    addField(QStringLiteral("&Description:"), QStringLiteral("LAB:LabelDescription"), QStringLiteral("@s30"),
             QRect(10, 70, 90, 22), QRect(105, 70, 250, 22), {}, general);
    QLineEdit *spine = addField(QStringLiteral("S&pine:"), QStringLiteral("LAB:CDSpine"), QStringLiteral("@s100"),
                                QRect(10, 105, 90, 22), QRect(105, 105, 340, 22), {}, general);
    QLineEdit *title = addField(QStringLiteral("&Title:"), QStringLiteral("LAB:CDTitle"), QStringLiteral("@s100"),
                                QRect(10, 135, 90, 22), QRect(105, 135, 340, 22), {}, general);
    addFontButton(general, QRect(455, 105, 100, 24), "LAB:CDSpineFontID", {spine});
    addFontButton(general, QRect(455, 135, 100, 24), "LAB:CDTitleFontID", {title});
    image_ = addField(QStringLiteral("&Image:"), QStringLiteral("LAB:ImageName"), QStringLiteral("@s255"),
                      QRect(10, 165, 90, 22), QRect(105, 165, 340, 22), {}, general);
    connect(image_, &QLineEdit::editingFinished, this, [this] {
        takeTyped();
        showType();
    });
    QPushButton *selectFile = pageButton(general, QStringLiteral("Select File"), QStringLiteral("selectFile"),
                                         QRect(455, 165, 100, 24));
    connect(selectFile, &QPushButton::clicked, this, &UpdateLabels::selectFile);
    cdOnly_ << spine << title << image_ << selectFile << general->findChild<QPushButton *>("LAB:CDSpineFontID")
            << general->findChild<QPushButton *>("LAB:CDTitleFontID");
    for (QWidget *entry : {static_cast<QWidget *>(spine), static_cast<QWidget *>(title), static_cast<QWidget *>(image_)})
        cdOnly_ << promptOf(*general, entry);
    // The cassette's rows stand where the CD's do.
    QLabel *cassetteTitle = label(general, QStringLiteral("Title:"), QRect(10, 105, 90, 22));
    QPlainTextEdit *titleMemo = addMemo(QStringLiteral("LAB:CassetteTitle"), QRect(105, 105, 340, 70), general);
    QLabel *flap = label(general, QStringLiteral("Flap:"), QRect(10, 185, 90, 22));
    QPlainTextEdit *flapMemo = addMemo(QStringLiteral("LAB:CassetteFlap"), QRect(105, 185, 340, 70), general);
    addFontButton(general, QRect(455, 105, 100, 24), "LAB:CassetteTitleFontID", {titleMemo});
    addFontButton(general, QRect(455, 185, 100, 24), "LAB:CassetteFlapFontID", {flapMemo});
    cassetteOnly_ << cassetteTitle << titleMemo << flap << flapMemo
                  << general->findChild<QPushButton *>("LAB:CassetteTitleFontID")
                  << general->findChild<QPushButton *>("LAB:CassetteFlapFontID");

    // The covers and the sides: a text, its font button and the font's description.
    const struct {
        int tab;
        const char *memo, *font;
    } texts[] = {{FrontCover, "LAB:CDInsideText", "LAB:CDInsideTextFontID"},
                 {BackCover, "LAB:CDCoverText", "LAB:CDCoverTextFontID"},
                 {SideA, "LAB:CassetteContentsA", "LAB:CassetteContentsFontID"},
                 {SideB, "LAB:CassetteContentsB", "LAB:CassetteContentsFontID"}};
    for (const auto &t : texts) {
        QPlainTextEdit *memo = addMemo(QLatin1String(t.memo), QRect(10, 10, Width - 40, 280), pages[t.tab]);
        QLabel *description = label(pages[t.tab], QString(), QRect(120, 300, 440, 22),
                                    QStringLiteral("fontOf:") + QLatin1String(t.memo));
        addFontButton(pages[t.tab], QRect(10, 298, 100, 24), t.font, {memo}, description);
    }

    // Position
    QWidget *position = pages[Position];
    const QStringList sides{QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")};
    addOption(position, QStringLiteral("Spine Text Justification"), "LAB:CDSpineJustification", sides,
              QRect(10, 10, 270, 50));
    addOption(position, QStringLiteral("Front Cover Justification"), "LAB:CDTextJustification", sides,
              QRect(10, 70, 270, 50));
    addOption(position, QStringLiteral("Back Cover Justification"), "LAB:CDBackCoverJustification", sides,
              QRect(10, 130, 270, 50));
    imageGroup_ = new QGroupBox(QStringLiteral("Image Position"), position);
    imageGroup_->setObjectName(QStringLiteral("imagePosition"));
    imageGroup_->setGeometry(290, 10, 270, 300);
    addField(QStringLiteral("&X-Axis:"), QStringLiteral("LAB:ImagePositionX"), QStringLiteral("@n-7"),
             QRect(10, 25, 60, 22), QRect(75, 25, 70, 22), {}, imageGroup_);
    label(imageGroup_, QStringLiteral("1000ths of an inch from left"), QRect(75, 48, 190, 18));
    addField(QStringLiteral("&Y-Axis:"), QStringLiteral("LAB:ImagePositionY"), QStringLiteral("@n-7"),
             QRect(10, 70, 60, 22), QRect(75, 70, 70, 22), {}, imageGroup_);
    label(imageGroup_, QStringLiteral("1000ths of an inch from top"), QRect(75, 93, 190, 18));
    QGroupBox *size = addOption(imageGroup_, QStringLiteral("Size"), "LAB:ImageSize",
                                {QStringLiteral("Actual"), QStringLiteral("Thumbnail"), QStringLiteral("Other")},
                                QRect(10, 115, 130, 100));
    for (QRadioButton *r : size->findChildren<QRadioButton *>())
        connect(r, &QRadioButton::clicked, this, &UpdateLabels::sizeChosen);
    width_ = addField(QStringLiteral("&Width:"), QStringLiteral("LAB:ImageSizeX"), QStringLiteral("@n7"),
                      QRect(10, 225, 60, 22), QRect(75, 225, 70, 22), {}, imageGroup_);
    height_ = addField(QStringLiteral("&Height:"), QStringLiteral("LAB:ImageSizeY"), QStringLiteral("@s20"),
                       QRect(10, 255, 60, 22), QRect(75, 255, 70, 22), {}, imageGroup_);
    widthPrompt_ = promptOf(*imageGroup_, width_);
    heightPrompt_ = promptOf(*imageGroup_, height_);

    // The preview comes with the label printing.
    pageButton(this, QStringLiteral("Preview"), QStringLiteral("preview"), QRect(10, Height - 35, 75, 25))
        ->setEnabled(false);
    helpButton()->hide();
    cancelButton()->setGeometry(helpButton()->geometry());
    okButton()->setGeometry(cancelButton()->geometry().translated(-81, 0));

    session().setBeforeInsert([this] {
        Record &label = session().file().buffer();
        label.set("LAB:LabelType", QStringLiteral("Cassette"));
        label.set("LAB:LabelDescription", QString());
        label.set("LAB:ImageSize", QStringLiteral("Thumbnail"));
        label.set("LAB:ImageSizeX", Thumbnail);
        label.set("LAB:ImageSizeY", QString::number(Thumbnail));
        return true;
    });
}

QGroupBox *UpdateLabels::addOption(QWidget *page, const QString &title, const char *field,
                                   const QStringList &choices, QRect place)
{
    auto *box = new QGroupBox(title, page);
    box->setObjectName(QLatin1String(field));
    box->setGeometry(place);
    auto *group = new QButtonGroup(box);
    // Side by side when the box is wide enough for them, else one under another.
    const bool down = place.height() > 60;
    const int each = down ? place.width() - 20 : (place.width() - 20) / int(choices.size());
    for (int i = 0; i < int(choices.size()); ++i) {
        auto *radio = new QRadioButton(choices[i], box);
        radio->setGeometry(down ? 10 : 10 + i * each, down ? 22 + 24 * i : 22, each - 4, 22);
        group->addButton(radio, i);
    }
    const QString name = QLatin1String(field);
    addControl(
        box,
        [group, choices, name](const Record &r) {
            const int at = int(choices.indexOf(r.get(name.toLatin1().constData()).toString().trimmed()));
            if (QAbstractButton *b = group->button(at))
                b->setChecked(true);
        },
        [this, group, choices, name](bool) {
            if (group->checkedId() >= 0)
                session().file().buffer().set(name.toLatin1().constData(), choices[group->checkedId()]);
            return true;
        });
    return box;
}

void UpdateLabels::addFontButton(QWidget *page, QRect place, const char *field, QList<QWidget *> drawn,
                                 QLabel *description)
{
    QPushButton *b = pageButton(page, QStringLiteral("Select Font"), QLatin1String(field), place);
    fonts_.push_back({field, drawn, description});
    connect(b, &QPushButton::clicked, this, [this, field] {
        takeTyped();
        qint64 id = 0;
        if (chooseFavouriteFont(files_, this, id))
            session().file().buffer().set(field, id);
        showFonts();
    });
}

void UpdateLabels::showFonts()
{
    const Record &label = session().file().buffer();
    for (const FontElement &e : fonts_) {
        const qint64 id = label.get(e.field).toLongLong();
        FavouriteFont font;
        const bool found = readFavouriteFont(files_, id, font);
        for (QWidget *w : e.drawn)
            w->setFont(found ? drawnFont(font, this->font()) : this->font());
        if (e.description)
            e.description->setText(FontDescription(files_, id));
    }
}

void UpdateLabels::showType()
{
    const Record &label = session().file().buffer();
    const bool cd = label.get("LAB:LabelType").toString().trimmed() == QLatin1String("CD");
    for (QWidget *w : cdOnly_)
        w->setVisible(cd);
    for (QWidget *w : cassetteOnly_)
        w->setVisible(!cd);
    for (int tab : {FrontCover, BackCover, Position})
        sheet_->setTabVisible(tab, cd);
    for (int tab : {SideA, SideB})
        sheet_->setTabVisible(tab, !cd);
    imageGroup_->setVisible(!label.get("LAB:ImageName").toString().trimmed().isEmpty());
    const bool other = label.get("LAB:ImageSize").toString().trimmed() == QLatin1String("Other");
    for (QWidget *w : {width_, height_, widthPrompt_, heightPrompt_})
        w->setVisible(other);
}

void UpdateLabels::sizeChosen()
{
    takeTyped();
    Record &label = session().file().buffer();
    const QString size = label.get("LAB:ImageSize").toString().trimmed();
    if (size == QLatin1String("Actual") || size == QLatin1String("Thumbnail")) {
        const int side = size == QLatin1String("Actual") ? 0 : Thumbnail;
        label.set("LAB:ImageSizeX", side);
        label.set("LAB:ImageSizeY", QString::number(side));
        load();
    }
    showType();
}

void UpdateLabels::selectFile()
{
    takeTyped();
    const QString chosen = interaction().openFile(
        QStringLiteral("Choose a File"), image_->text(),
        QStringLiteral("All Files (*);;GIF Files (*.GIF *.gif);;BMP Files (*.BMP *.bmp);;JPEG Files (*.JPG *.jpg);;"
                       "Windows Metafiles (*.WMF *.wmf)"));
    if (chosen.isEmpty())
        return;
    session().file().buffer().set("LAB:ImageName", chosen);
    load();
    showType();
}

bool UpdateLabels::prepare()
{
    // A copy is an insert that starts from the label copied.
    if (formRequest() == Request::Copy)
        formRequest() = Request::Insert;
    if (!FormWindow::prepare())
        return false;
    Record &label = session().file().buffer();
    if (label.get("LAB:ImagePositionX").toLongLong() == 0)
        label.set("LAB:ImagePositionX", PrimedX);
    if (label.get("LAB:ImagePositionY").toLongLong() == 0)
        label.set("LAB:ImagePositionY", PrimedY);
    load();
    showType();
    showFonts();
    return true;
}

// ---- the label list ----

BrowseLabels::BrowseLabels(FileSet &files, QWidget *parent)
    : BrowseWindow(files, FileId::Labels, QStringLiteral("BrowseLabels"), QStringLiteral("Browse Labels"),
                   QStringLiteral("90L(2)|M~Label Description~L(2)@s30@40L(2)|M~Label Type~L(2)@s9@"
                                  "110L(2)|M~Cassette Title~L(2)@s255@110L(2)|M~CD Title~L(2)@s60@"),
                   {QStringLiteral("LAB:LabelDescription"), QStringLiteral("LAB:LabelType"),
                    QStringLiteral("LAB:CassetteTitle"), QStringLiteral("LAB:CDTitle")},
                   {{QStringLiteral("By Description"), QStringLiteral("LAB:KeyLabelDescription"), LocatorKind::Step,
                     Alphabet::LettersDigitsPunctuation, QString(), {}},
                    {QStringLiteral("By Type"), QStringLiteral("LAB:KeyLabelType"), LocatorKind::None,
                     Alphabet::Letters, QString(), {}}},
                   [](FileSet &set) { return std::make_unique<UpdateLabels>(set); }, parent)
{
    resize(620, 360);
    placeList(QRect(10, 10, 490, 260), QStringLiteral("Locate:"));
    setTexts(ListTexts::adding());
    const auto place = [](int row) { return QRect(510, 10 + row * 30, 100, 25); };
    // The wizard and printing come with the label wizard and the label printing.
    addButton(QStringLiteral("Wizard"), QStringLiteral("wizard"), place(0), {});
    button(QStringLiteral("insert"))->setGeometry(place(1));
    button(QStringLiteral("insert"))->setToolTip(QStringLiteral("Add a blank label"));
    addButton(QStringLiteral("Cop&y"), QStringLiteral("copy"), place(2), [this] { copyRecord(); }, true)
        ->setToolTip(QStringLiteral("Copy label"));
    button(QStringLiteral("change"))->setGeometry(place(3));
    button(QStringLiteral("change"))->setToolTip(QStringLiteral("Modify the highlighted label"));
    button(QStringLiteral("delete"))->setGeometry(place(4));
    button(QStringLiteral("delete"))->setToolTip(QStringLiteral("Delete the highlighted label"));
    addButton(QStringLiteral("&Print"), QStringLiteral("print"), place(5), {})
        ->setToolTip(QStringLiteral("Print the highlighted label"));
    button(QStringLiteral("close"))->setGeometry(place(8));
    setPopupTail([this](QMenu &menu, bool rows) {
        menu.addAction(QStringLiteral("Cop&y"), this, &BrowseWindow::copyRecord)->setEnabled(rows);
    });
}

void registerLabelWindows()
{
    launchers().add(QStringLiteral("BrowseLabels"), &openList<BrowseLabels>);
}

} // namespace crx
