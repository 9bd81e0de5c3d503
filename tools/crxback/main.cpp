// crxback: the backup and restore program Cantorix Pro starts from its File
// menu, in the catalogue directory. Its argument (the list of files the frame
// names) is not needed: every catalogue file is backed up.
#include "backup.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString catalogue = QDir::currentPath();

    QDialog window;
    window.setWindowTitle(QStringLiteral("Backup/Restore"));
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Backups of %1:").arg(catalogue)));
    auto *list = new QListWidget;
    layout->addWidget(list);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton *backUp = buttons->addButton(QStringLiteral("&Back Up Now"), QDialogButtonBox::ActionRole);
    QPushButton *restore = buttons->addButton(QStringLiteral("&Restore"), QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);

    const auto refill = [&] {
        list->clear();
        list->addItems(crxback::backups(catalogue));
        restore->setEnabled(list->count() > 0);
        list->setCurrentRow(0);
    };
    refill();
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    QObject::connect(backUp, &QPushButton::clicked, &window, [&] {
        QString error;
        if (crxback::backUp(catalogue, &error).isEmpty())
            QMessageBox::warning(&window, QStringLiteral("Backup"), QStringLiteral("The backup failed: ") + error);
        refill();
    });
    QObject::connect(restore, &QPushButton::clicked, &window, [&] {
        if (!list->currentItem())
            return;
        const QString chosen = list->currentItem()->text();
        if (QMessageBox::question(&window, QStringLiteral("Restore"),
                                  QStringLiteral("Put back the backup of %1?  The catalogue as it is now is kept as a "
                                                 "backup of its own first.  Close Cantorix Pro before you go on.")
                                      .arg(chosen),
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
            return;
        QString error;
        if (crxback::restore(catalogue, chosen, &error))
            QMessageBox::information(&window, QStringLiteral("Restore"), QStringLiteral("The backup was put back."));
        else
            QMessageBox::warning(&window, QStringLiteral("Restore"), QStringLiteral("The restore failed: ") + error);
        refill();
    });
    window.resize(480, 320);
    window.show();
    return QApplication::exec();
}
