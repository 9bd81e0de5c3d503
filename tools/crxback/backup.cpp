#include "backup.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <sqlite3.h>

namespace crxback {
namespace {

const QStringList settingsFiles = {"CRXPro98.INI", "POSITION.INI"};

QString backupRoot(const QString &catalogue)
{
    return QDir(catalogue).filePath("backups");
}

// Copies one database page by page through SQLite's online backup.
bool copyDatabase(const QString &from, const QString &to, bool createTarget, QString *error)
{
    sqlite3 *source = nullptr, *target = nullptr;
    bool ok = sqlite3_open_v2(from.toUtf8().constData(), &source, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK
              && sqlite3_open_v2(to.toUtf8().constData(), &target,
                                 SQLITE_OPEN_READWRITE | (createTarget ? SQLITE_OPEN_CREATE : 0), nullptr) == SQLITE_OK;
    if (ok) {
        sqlite3_busy_timeout(source, 5000);
        sqlite3_busy_timeout(target, 5000);
        sqlite3_backup *backup = sqlite3_backup_init(target, "main", source, "main");
        ok = backup != nullptr;
        if (backup) {
            int rc;
            int waits = 0;
            while ((rc = sqlite3_backup_step(backup, 256)) == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                if (rc != SQLITE_OK) {
                    if (++waits > 100)
                        break;
                    QThread::msleep(50);
                }
            }
            ok = sqlite3_backup_finish(backup) == SQLITE_OK && rc == SQLITE_DONE;
        }
        if (!ok && error)
            *error = QStringLiteral("%1: %2").arg(QFileInfo(from).fileName(), QString::fromUtf8(sqlite3_errmsg(target)));
    } else if (error) {
        *error = QStringLiteral("%1 cannot be opened").arg(QFileInfo(source ? to : from).fileName());
    }
    sqlite3_close_v2(source);
    sqlite3_close_v2(target);
    return ok;
}

QStringList catalogueFiles(const QString &dir)
{
    return QDir(dir).entryList({"*.tps"}, QDir::Files, QDir::Name);
}

} // namespace

QString backUp(const QString &catalogue, QString *error)
{
    QString name = QDateTime::currentDateTime().toString("yyyy-MM-dd hh.mm.ss");
    QDir root(backupRoot(catalogue));
    for (int n = 2; root.exists(name); ++n)
        name = QDateTime::currentDateTime().toString("yyyy-MM-dd hh.mm.ss") + QStringLiteral(" (%1)").arg(n);
    const QString folder = root.filePath(name);
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("The folder %1 cannot be made").arg(folder);
        return {};
    }
    for (const QString &file : catalogueFiles(catalogue))
        if (!copyDatabase(QDir(catalogue).filePath(file), QDir(folder).filePath(file), true, error)) {
            QDir(folder).removeRecursively();
            return {};
        }
    for (const QString &file : settingsFiles)
        if (QFile::exists(QDir(catalogue).filePath(file)))
            QFile::copy(QDir(catalogue).filePath(file), QDir(folder).filePath(file));
    return folder;
}

QStringList backups(const QString &catalogue)
{
    QStringList names = QDir(backupRoot(catalogue)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    std::reverse(names.begin(), names.end());
    return names;
}

bool restore(const QString &catalogue, const QString &backup, QString *error)
{
    const QString folder = QDir(backupRoot(catalogue)).filePath(backup);
    const QStringList files = catalogueFiles(folder);
    if (backup.isEmpty() || files.isEmpty()) {
        if (error)
            *error = QStringLiteral("The backup %1 holds no catalogue files").arg(backup);
        return false;
    }
    if (backUp(catalogue, error).isEmpty())
        return false;
    for (const QString &file : files)
        if (!copyDatabase(QDir(folder).filePath(file), QDir(catalogue).filePath(file), true, error))
            return false;
    for (const QString &file : settingsFiles) {
        const QString saved = QDir(folder).filePath(file);
        if (QFile::exists(saved)) {
            QFile::remove(QDir(catalogue).filePath(file));
            QFile::copy(saved, QDir(catalogue).filePath(file));
        }
    }
    return true;
}

} // namespace crxback
