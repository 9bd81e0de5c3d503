// crxfix: repairs a damaged catalogue file. Started by the file manager as
//   crxfix NAME.tps? ? /E:NAME.tpe? /K
// ("?" stands before an owner password, empty for the catalogue files). It
// says what it did in a window of its own; its exit code is 0 for a sound
// file, 1 for a repaired one and 2 for a file it left alone.
#include "repair.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QString withoutOwner(QString argument)
{
    const qsizetype mark = argument.indexOf('?');
    return mark < 0 ? argument : argument.left(mark);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QString file, example;
    for (const QString &argument : app.arguments().mid(1)) {
        if (argument.startsWith(QLatin1String("/E:"), Qt::CaseInsensitive))
            example = withoutOwner(argument.mid(3));
        else if (file.isEmpty() && !argument.startsWith('/') && !withoutOwner(argument).isEmpty())
            file = withoutOwner(argument);
    }
    if (file.isEmpty()) {
        QMessageBox::information(nullptr, QStringLiteral("crxfix"),
                                 QStringLiteral("Give the catalogue file to repair: crxfix NAME.tps /E:NAME.tpe"));
        return 2;
    }
    const crx::RepairResult result = crx::repairFile(file, example);
    if (result.outcome == crx::RepairResult::LeftAlone)
        QMessageBox::warning(nullptr, QStringLiteral("crxfix"), result.message);
    else
        QMessageBox::information(nullptr, QStringLiteral("crxfix"), result.message);
    return result.outcome == crx::RepairResult::Sound ? 0 : result.outcome == crx::RepairResult::Repaired ? 1 : 2;
}
