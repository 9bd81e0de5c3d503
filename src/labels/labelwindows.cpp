#include "labelwindows.h"

#include "albumlists.h"
#include "childwindow.h"
#include "datafile.h"
#include "fileset.h"
#include "interaction.h"
#include "labelcomposer.h"
#include "labelwizardcall.h"
#include "launchers.h"
#include "pagebuttons.h"
#include "pagelist.h"
#include "selectfilenumber.h"
#include "settings.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

namespace crx {
namespace {

constexpr int Width = 600, Height = 430;
constexpr int PrimedX = 3771, PrimedY = 8438, WizardX = 6792, WizardY = 8052, Thumbnail = 1000;
enum Tab { General, FrontCover, BackCover, Position, SideA, SideB };

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

// ---- the label form and the wizard ----

LabelForm::LabelForm(FileSet &files, const QString &name, Titles titles, QSize size, QWidget *parent)
    : FormWindow(files, FileId::Labels, name, titles, size, DittoKey::Grave, parent), files_(files)
{
    session().setKeyNames({{QStringLiteral("LAB:KeyLabelDescription"), QStringLiteral("LAB:KeyLabelDescription")}});
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

QGroupBox *LabelForm::addOption(QWidget *page, const QString &title, const char *field, const QStringList &choices,
                                QRect place)
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
    const QByteArray name(field);
    addControl(
        box,
        [group, choices, name](const Record &r) {
            const int at = int(choices.indexOf(r.get(name.constData()).toString().trimmed()));
            if (QAbstractButton *b = group->button(at))
                b->setChecked(true);
        },
        [this, group, choices, name](bool) {
            if (group->checkedId() >= 0)
                session().file().buffer().set(name.constData(), choices[group->checkedId()]);
            return true;
        });
    return box;
}

void LabelForm::addTypeOption(QWidget *page, QRect place)
{
    QGroupBox *type = addOption(page, QStringLiteral("Label Type"), "LAB:LabelType",
                                {QStringLiteral("Cassette"), QStringLiteral("CD")}, place);
    for (QRadioButton *r : type->findChildren<QRadioButton *>())
        connect(r, &QRadioButton::clicked, this, [this] {
            takeTyped();
            showType();
        });
}

void LabelForm::addFontButton(QWidget *page, QRect place, const char *field, QList<QWidget *> drawn,
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

QPlainTextEdit *LabelForm::addText(QWidget *page, const char *memo, const char *font, QRect place)
{
    QPlainTextEdit *text = addMemo(QLatin1String(memo), place, page);
    QLabel *description = pageLabel(page, QString(), QRect(place.x() + 110, place.bottom() + 10, 440, 22),
                                QStringLiteral("fontOf:") + QLatin1String(memo));
    addFontButton(page, QRect(place.x(), place.bottom() + 8, 100, 24), font, {text}, description);
    return text;
}

void LabelForm::addGeneralFields(QWidget *general, int top)
{
    addField(QStringLiteral("&Description:"), QStringLiteral("LAB:LabelDescription"), QStringLiteral("@s30"),
             QRect(10, top, 90, 22), QRect(105, top, 250, 22), {}, general);
    QLineEdit *spine = addField(QStringLiteral("S&pine:"), QStringLiteral("LAB:CDSpine"), QStringLiteral("@s100"),
                                QRect(10, top + 35, 90, 22), QRect(105, top + 35, 340, 22), {}, general);
    QLineEdit *title = addField(QStringLiteral("&Title:"), QStringLiteral("LAB:CDTitle"), QStringLiteral("@s100"),
                                QRect(10, top + 65, 90, 22), QRect(105, top + 65, 340, 22), {}, general);
    addFontButton(general, QRect(455, top + 35, 100, 24), "LAB:CDSpineFontID", {spine});
    addFontButton(general, QRect(455, top + 65, 100, 24), "LAB:CDTitleFontID", {title});
    image_ = addField(QStringLiteral("&Image:"), QStringLiteral("LAB:ImageName"), QStringLiteral("@s255"),
                      QRect(10, top + 95, 90, 22), QRect(105, top + 95, 340, 22), {}, general);
    connect(image_, &QLineEdit::editingFinished, this, [this] {
        takeTyped();
        showType();
    });
    QPushButton *selectFile = pageButton(general, QStringLiteral("Select File"), QStringLiteral("selectFile"),
                                         QRect(455, top + 95, 100, 24));
    connect(selectFile, &QPushButton::clicked, this, &LabelForm::selectFile);
    cdOnly_ << spine << title << image_ << selectFile << general->findChild<QPushButton *>("LAB:CDSpineFontID")
            << general->findChild<QPushButton *>("LAB:CDTitleFontID");
    for (QWidget *entry : {static_cast<QWidget *>(spine), static_cast<QWidget *>(title), static_cast<QWidget *>(image_)})
        cdOnly_ << promptOf(*general, entry);
    // The cassette's rows stand where the CD's do.
    QLabel *cassetteTitle = pageLabel(general, QStringLiteral("Title:"), QRect(10, top + 35, 90, 22));
    QPlainTextEdit *titleMemo = addMemo(QStringLiteral("LAB:CassetteTitle"), QRect(105, top + 35, 340, 70), general);
    QLabel *flap = pageLabel(general, QStringLiteral("Flap:"), QRect(10, top + 115, 90, 22));
    QPlainTextEdit *flapMemo = addMemo(QStringLiteral("LAB:CassetteFlap"), QRect(105, top + 115, 340, 70), general);
    addFontButton(general, QRect(455, top + 35, 100, 24), "LAB:CassetteTitleFontID", {titleMemo});
    addFontButton(general, QRect(455, top + 115, 100, 24), "LAB:CassetteFlapFontID", {flapMemo});
    cassetteOnly_ << cassetteTitle << titleMemo << flap << flapMemo
                  << general->findChild<QPushButton *>("LAB:CassetteTitleFontID")
                  << general->findChild<QPushButton *>("LAB:CassetteFlapFontID");
}

void LabelForm::showFonts()
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

bool LabelForm::isCd()
{
    return session().file().buffer().get("LAB:LabelType").toString().trimmed() == QLatin1String("CD");
}

void LabelForm::showType()
{
    const bool cd = isCd();
    for (QWidget *w : cdOnly_)
        w->setVisible(cd);
    for (QWidget *w : cassetteOnly_)
        w->setVisible(!cd);
}

void LabelForm::selectFile()
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

void LabelForm::primePosition(qint64 fromX, qint64 toX, qint64 fromY, qint64 toY)
{
    Record &label = session().file().buffer();
    const qint64 x = label.get("LAB:ImagePositionX").toLongLong(), y = label.get("LAB:ImagePositionY").toLongLong();
    if (x == 0 || x == fromX)
        label.set("LAB:ImagePositionX", toX);
    if (y == 0 || y == fromY)
        label.set("LAB:ImagePositionY", toY);
}

UpdateLabels::UpdateLabels(FileSet &files, QWidget *parent)
    : LabelForm(files, QStringLiteral("UpdateLabels"), {QStringLiteral("Adding a Label"), QStringLiteral("Changing a Label")},
                QSize(Width, Height), parent)
{
    sheet_ = new QTabWidget(this);
    sheet_->setGeometry(10, 10, Width - 20, Height - 55);
    QWidget *pages[6];
    const char *titles[] = {"General", "Front Cover", "Back Cover", "Position", "Side A", "Side B"};
    for (int i = 0; i < 6; ++i) {
        pages[i] = new QWidget;
        sheet_->addTab(pages[i], QString::fromLatin1(titles[i]));
    }
    addTypeOption(pages[General], QRect(10, 10, 200, 50));
    addGeneralFields(pages[General], 70);
    const QRect textPlace(10, 10, Width - 40, 280);
    addText(pages[FrontCover], "LAB:CDInsideText", "LAB:CDInsideTextFontID", textPlace);
    addText(pages[BackCover], "LAB:CDCoverText", "LAB:CDCoverTextFontID", textPlace);
    addText(pages[SideA], "LAB:CassetteContentsA", "LAB:CassetteContentsFontID", textPlace);
    addText(pages[SideB], "LAB:CassetteContentsB", "LAB:CassetteContentsFontID", textPlace);

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
    pageLabel(imageGroup_, QStringLiteral("1000ths of an inch from left"), QRect(75, 48, 190, 18));
    addField(QStringLiteral("&Y-Axis:"), QStringLiteral("LAB:ImagePositionY"), QStringLiteral("@n-7"),
             QRect(10, 70, 60, 22), QRect(75, 70, 70, 22), {}, imageGroup_);
    pageLabel(imageGroup_, QStringLiteral("1000ths of an inch from top"), QRect(75, 93, 190, 18));
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
}

void UpdateLabels::showType()
{
    LabelForm::showType();
    const bool cd = isCd();
    for (int tab : {FrontCover, BackCover, Position})
        sheet_->setTabVisible(tab, cd);
    for (int tab : {SideA, SideB})
        sheet_->setTabVisible(tab, !cd);
    const Record &label = session().file().buffer();
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

bool UpdateLabels::prepare()
{
    // A copy is an insert that starts from the label copied.
    if (formRequest() == Request::Copy)
        formRequest() = Request::Insert;
    if (!FormWindow::prepare())
        return false;
    primePosition(0, PrimedX, 0, PrimedY);
    load();
    showType();
    showFonts();
    return true;
}

LabelWizard::LabelWizard(FileSet &files, QWidget *parent)
    : LabelForm(files, QStringLiteral("LabelWizard"),
                {QStringLiteral("Add Label Wizard"), QStringLiteral("Add Label Wizard")}, QSize(Width, Height), parent)
{
    setHelpContext(QStringLiteral("UpdateLabels"));
    setComparesRecord(true);
    sheet_ = new QTabWidget(this);
    sheet_->setGeometry(10, 10, Width - 20, Height - 55);
    sheet_->tabBar()->hide();
    const char *titles[] = {"Wizard", "General", "Front Cover", "Back Cover", "Side A", "Side B"};
    QWidget *pages[6];
    for (int i = 0; i < 6; ++i) {
        pages[i] = new QWidget;
        sheet_->addTab(pages[i], QString::fromLatin1(titles[i]));
    }
    QWidget *first = pages[0];
    pageLabel(first, QStringLiteral("This option will allow you to take information in your Cantorix Pro database"),
          QRect(10, 10, 560, 20));
    pageLabel(first, QStringLiteral("and print it in the form of cassette or compact disc labels."), QRect(10, 30, 560, 20));
    pageLabel(first, QStringLiteral("Step 1:  Select a label type"), QRect(10, 80, 250, 20));
    addTypeOption(first, QRect(270, 70, 200, 50));
    pageLabel(first, QStringLiteral("Step 2:  Select information using either an"), QRect(10, 150, 300, 20));
    pageLabel(first, QStringLiteral("Album Title or File Number"), QRect(10, 170, 300, 20));
    connect(pageButton(first, QStringLiteral("Select Album"), QStringLiteral("selectAlbum"), QRect(320, 145, 130, 25)),
            &QPushButton::clicked, this, &LabelWizard::selectAlbum);
    connect(pageButton(first, QStringLiteral("Select File Number"), QStringLiteral("selectFileNumber"),
                       QRect(320, 175, 130, 25)),
            &QPushButton::clicked, this, &LabelWizard::selectFileNumber);
    pageLabel(pages[1], QStringLiteral("Enter the basic information for this label:"), QRect(10, 10, 400, 20));
    addGeneralFields(pages[1], 40);
    const struct {
        int page;
        const char *line, *memo, *font;
    } texts[] = {
        {2, "What should be on the front cover of the CD?", "LAB:CDInsideText", "LAB:CDInsideTextFontID"},
        {3, "What should be on the back cover of the CD?", "LAB:CDCoverText", "LAB:CDCoverTextFontID"},
        {4, "What are the songs on Side A of the cassette?", "LAB:CassetteContentsA", "LAB:CassetteContentsFontID"},
        {5, "What are the songs on Side B of the cassette?", "LAB:CassetteContentsB", "LAB:CassetteContentsFontID"}};
    for (const auto &t : texts) {
        pageLabel(pages[t.page], QLatin1String(t.line), QRect(10, 10, 500, 20));
        addText(pages[t.page], t.memo, t.font, QRect(10, 35, Width - 40, 260));
    }

    // Preview, Cancel, Back, Next and Finish along the bottom.
    pageButton(this, QStringLiteral("Preview"), QStringLiteral("preview"), QRect(10, Height - 35, 75, 25))
        ->setEnabled(false);
    helpButton()->hide();
    okButton()->setText(QStringLiteral("Finish"));
    const QRect last = helpButton()->geometry();
    okButton()->setGeometry(last);
    next_ = pageButton(this, QStringLiteral("Next"), QStringLiteral("next"), last.translated(-81, 0));
    back_ = pageButton(this, QStringLiteral("Back"), QStringLiteral("back"), last.translated(-162, 0));
    cancelButton()->setGeometry(last.translated(-243, 0));
    connect(next_, &QPushButton::clicked, this, [this] {
        int to = page_ + 1;
        if (to == 3 && !isCd())
            to = 5;
        showPage(to);
    });
    connect(back_, &QPushButton::clicked, this, [this] {
        int to = page_ - 1;
        if (to == 4 && !isCd())
            to = 2;
        showPage(to);
    });
}

void LabelWizard::showPage(int page)
{
    page_ = page;
    sheet_->setCurrentIndex(page - 1);
    const bool end = page == 6 || (page == 4 && isCd());
    okButton()->setVisible(end);
    next_->setEnabled(!end);
    back_->setEnabled(page > 1);
    okButton()->setDefault(end);
    next_->setDefault(!end);
}

bool LabelWizard::prepare()
{
    // The wizard always adds; called on an album, it composes from it at once.
    const bool fromAlbum = formRequest() != Request::Insert;
    formRequest() = Request::Insert;
    if (!FormWindow::prepare())
        return false;
    primePosition(PrimedX, WizardX, PrimedY, WizardY);
    load();
    showType();
    showFonts();
    showPage(1);
    rememberShown();
    if (fromAlbum)
        compose(composeFromAlbum(files_, files_.file(FileId::Album).buffer(),
                                 artistFirst(settings().labelArtistTitleOrder), settings().delimiter));
    return true;
}

void LabelWizard::compose(const LabelComposition &composition)
{
    takeTyped();
    applyComposition(session().file().buffer(), composition);
    load();
    showType();
    showFonts();
    if (composition.hasTracks)
        interaction().message(QStringLiteral("Processing Complete"),
                              QStringLiteral("The text has been updated to use this information."), Icon::Information,
                              OK, OK);
}

void LabelWizard::selectAlbum()
{
    DataFile &albums = files_.use(FileId::Album);
    if (selectFrom<SelectAlbum>(files_, this))
        compose(composeFromAlbum(files_, albums.buffer(), artistFirst(settings().labelArtistTitleOrder),
                                 settings().delimiter));
    files_.release(FileId::Album);
}

void LabelWizard::selectFileNumber()
{
    DataFile &songs = files_.use(FileId::Cantorix);
    if (selectFrom<SelectFileNumber>(files_, this))
        compose(composeFromSong(files_, songs.buffer(), artistFirst(settings().labelArtistTitleOrder),
                                settings().delimiter));
    files_.release(FileId::Cantorix);
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
    addButton(QStringLiteral("Wizard"), QStringLiteral("wizard"), place(0), [this] {
        formRequest() = Request::Insert;
        LabelWizard wizard(this->files(), this);
        wizard.call();
        refresh();
    });
    button(QStringLiteral("insert"))->setGeometry(place(1));
    button(QStringLiteral("insert"))->setToolTip(QStringLiteral("Add a blank label"));
    addButton(QStringLiteral("Cop&y"), QStringLiteral("copy"), place(2), [this] { copyRecord(); }, true)
        ->setToolTip(QStringLiteral("Copy label"));
    button(QStringLiteral("change"))->setGeometry(place(3));
    button(QStringLiteral("change"))->setToolTip(QStringLiteral("Modify the highlighted label"));
    button(QStringLiteral("delete"))->setGeometry(place(4));
    button(QStringLiteral("delete"))->setToolTip(QStringLiteral("Delete the highlighted label"));
    // Printing comes with the label printing.
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
    launchers().add(QStringLiteral("LabelWizard"), &openForm<LabelWizard>);
    setLabelWizardCall([](FileSet &files, QWidget *parent) {
        // Called on an album, the wizard composes from it at once.
        formRequest() = Request::Change;
        LabelWizard wizard(files, parent);
        wizard.call();
    });
}

} // namespace crx
