// DiscTalk: the CDDB look-up program Cantorix Pro starts in its working
// directory (see disctalk.h). In automatic mode it asks nothing and reports
// on the error output; otherwise it lets the person choose among several
// discs and shows what went wrong.
#include "disctalk.h"

#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QMessageBox>
#include <cstdio>

namespace {

class PersonAsker : public disctalk::Asker
{
public:
    explicit PersonAsker(bool automatic) : automatic_(automatic) {}
    int choose(const QList<disctalk::Match> &matches) override
    {
        QStringList items;
        for (const disctalk::Match &m : matches)
            items << QStringLiteral("%1 (%2, %3)").arg(m.title, m.category, m.discId);
        bool ok = false;
        const QString chosen = QInputDialog::getItem(nullptr, QStringLiteral("DiscTalk"),
                                                     QStringLiteral("Several discs match. Which one is it?"), items,
                                                     0, false, &ok);
        return ok ? int(items.indexOf(chosen)) : -1;
    }
    void tell(const QString &error) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        if (!automatic_)
            QMessageBox::warning(nullptr, QStringLiteral("DiscTalk"), error);
    }

private:
    bool automatic_;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DiscTalk"));
    const QString directory = QDir::currentPath();
    PersonAsker asker(disctalk::readSettings(directory).automatic);
    return disctalk::run(directory, asker);
}
