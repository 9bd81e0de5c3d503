// The comma-separated line format the import and the export share: how a
// field is read from a line and written into one, the header names, and how
// the lines of a file are read (UTF-8, or Windows-1252 line by line where a
// line is not valid UTF-8, a leading byte-order mark skipped, at most 16,000
// characters of a line, never cutting a character in two).
#pragma once

#include "picture.h"

#include <QFile>
#include <QString>
#include <QVariant>

namespace crx {

constexpr int MostLineCharacters = 16000;
constexpr int MostFieldCharacters = 4000;

// The fields of one line, read one after another.
class FieldReader
{
public:
    explicit FieldReader(const QString &line) : line_(line) {}
    // The next field; false when the rest of the line is blank (this field and every later
    // one are absent). quoted tells whether it was written between double quotes.
    bool next(QString &value, bool *quoted = nullptr);

private:
    QString line_;
    qsizetype at_ = 0;
};

// The kind of a picture as the exchange windows show it: "Alpha-num" (or the given text) for a
// text picture, "Numeric" for a number picture, otherwise the picture itself.
QString pictureKind(const QString &picture, const QString &textKind = QStringLiteral("Alpha-num"));
bool isTextPicture(const QString &picture);
bool isNumberPicture(const QString &picture);

// One field as the export writes it under its picture: text quoted with its quotes doubled,
// a number plain, anything else formatted with the picture and quoted.
QString writtenField(const QString &picture, const QVariant &value);

// The same with the picture read once, for a column of many records.
class FieldWriter
{
public:
    explicit FieldWriter(const QString &picture);
    bool writesText() const { return kind_ == Kind::Text; }
    // Appends the text or number as written.
    void append(QString &line, const QString &text) const;
    void append(QString &line, qint64 number) const;

private:
    static void quote(QString &line, const QString &shown);

    enum class Kind { Text, Number, Formatted } kind_;
    Picture picture_;
};
// A field name as a header line holds it (quoted, "," and "[" as "_", "]" as a blank).
QString headerField(const QString &name);

// Text cut to at most so many characters, never between the two halves of a character.
QString cutText(const QString &text, qsizetype most);

// A text file read a line at a time as the import reads it.
class DelimitedLines
{
public:
    bool open(const QString &path);
    QString errorText() const { return file_.errorString(); }
    int errorCode() const { return int(file_.error()); }
    qint64 size() const { return file_.size(); }
    qint64 position() const { return file_.pos(); }
    // Back to the first line.
    void rewind();
    // The next line without its line end; false at the end of the file.
    bool next(QString &line);
    // Whether the file's first bytes look like text (no NUL byte in them).
    bool looksLikeText();

private:
    QFile file_;
};

// A line's bytes as text: UTF-8, or Windows-1252 when they are not valid UTF-8.
QString decodeLine(const QByteArray &bytes);

} // namespace crx
