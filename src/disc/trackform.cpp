#include "trackform.h"

#include "datafile.h"
#include "fileset.h"

#include <QLineEdit>
#include <QPushButton>

namespace crx {
namespace {
constexpr int PromptX = 10, PromptWidth = 60, EntryX = 75, RowHeight = 22, RowStep = 28;
QRect promptAt(int row) { return {PromptX, 10 + row * RowStep, PromptWidth, RowHeight}; }
QRect entryAt(int row, int width) { return {EntryX, 10 + row * RowStep, width, RowHeight}; }
} // namespace

TrackForm::TrackForm(FileSet &files, bool withArtist, qint64 instance, QWidget *parent)
    : FormWindow(files, FileId::AddWizard,
                 withArtist ? QStringLiteral("UpdateAddWizard") : QStringLiteral("UpdateAddWizardNoArtist"),
                 {QStringLiteral("Track Will Be Added  (New)"), QStringLiteral("Track Will Be Changed")},
                 QSize(420, withArtist ? 190 : 160), DittoKey::Grave, parent)
{
    QStringList ditto{QStringLiteral("AW:Title"), QStringLiteral("AW:Time"), QStringLiteral("AW:Track")};
    int row = 0;
    if (withArtist) {
        addField(QStringLiteral("&Artist:"), QStringLiteral("AW:Artist"), QStringLiteral("@s50"), promptAt(row),
                 entryAt(row, 330));
        ditto << QStringLiteral("AW:Artist");
        ++row;
    }
    addField(QStringLiteral("&Title:"), QStringLiteral("AW:Title"), QStringLiteral("@s50"), promptAt(row),
             entryAt(row, 330));
    addField(QStringLiteral("T&ime:"), QStringLiteral("AW:Time"), QStringLiteral("@t4"), promptAt(row + 1),
             entryAt(row + 1, 80));
    addSpin(QStringLiteral("Track:"), QStringLiteral("AW:Track"), 3, false, promptAt(row + 2), entryAt(row + 2, 60));
    setDittoFields(ditto);
    okButton()->setText(QStringLiteral("&Ok"));
    helpButton()->hide();
    session().setKeyNames({{QStringLiteral("AW:KeyInstance"), QStringLiteral("Instance Side Track")}});
    session().setBeforeInsert([this, instance] {
        Record &track = session().file().buffer();
        track.clear();
        track.set("AW:Instance", instance);
        track.set("AW:Side", 1);
        return true;
    });
}

bool TrackForm::prepare()
{
    if (!FormWindow::prepare())
        return false;
    if (session().request() == Request::Change)
        setWindowTitle(QStringLiteral("Track Will Be Changed  (%1)")
                           .arg(session().file().buffer().get("AW:Track").toInt()));
    return true;
}

} // namespace crx
