// Small helpers of the tests that work on files behind the program's back:
// SQL run by a plain SQLite connection, as the stock shell would, and whole
// file contents.
#pragma once

#include <QFile>
#include <QtTest>
#include <sqlite3.h>

namespace crx::test {

inline void runSql(const QString &path, const char *statements)
{
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char *error = nullptr;
    const int rc = sqlite3_exec(db, statements, nullptr, nullptr, &error);
    const QByteArray message = error ? QByteArray(error) : QByteArray();
    sqlite3_free(error);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, message.constData());
}

inline QByteArray fileContents(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

inline void writeFileContents(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace crx::test
