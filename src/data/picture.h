// Pictures: how a stored value is shown, and how a typed or imported text is
// read back into the stored value.
//
//   @s30, @S1000   text of at most 30 (1000) characters
//   @n3, @n-13     a number of width 3 (13, with a leading minus sign when
//                  negative); thousands are grouped with "," where the width
//                  leaves room; "_" after the n pads with blanks to the width
//                  and never groups; ".9" gives nine decimal places; a
//                  closing "b" shows zero as blanks. A number too wide for its
//                  picture shows as "#" characters.
//   @d1 .. @d18    dates (day numbers, day 4 being 1 January 1801):
//                  d1 10/31/59, d2 10/31/1959, d3 OCT 31,1959,
//                  d4 October 31, 1959, d5 31/10/59, d6 31/10/1959,
//                  d7 31 OCT 59, d8 31 OCT 1959, d9 59/10/31, d10 1959/10/31,
//                  d11 591031, d12 19591031, d13 10/59, d14 10/1959,
//                  d15 59/10, d16 1959/10, d17 the system's short date,
//                  d18 the system's long date; 0 shows as blanks
//   @t1 .. @t6     times (hundredths of a second plus one): t1 h:mm, t2 hhmm,
//                  t3 h:mmAM, t4 h:mm:ss, t5 hhmmss, t6 h:mm:ssAM; 0 shows as blanks
//
// The leading "@" may be left out ("d4", "n4b", as the DateFormat setting holds them).
#pragma once

#include <QString>
#include <QVariant>

namespace crx {

struct Picture {
    enum Kind { Invalid, Text, Number, Date, Time } kind = Invalid;
    int width = 0;
    int decimals = 0;
    bool blankWhenZero = false;
    bool sign = false;
    bool pad = false;
    int format = 0; // date or time format number
};

Picture parsePicture(const QString &picture);

// The display text of a stored value (text, or a number: integer, or double with decimals).
QString formatValue(const QString &picture, const QVariant &value);
// The same with the picture parsed once, for many values (a list's column).
QString formatValue(const Picture &picture, const QVariant &value);

// The stored value of a typed or imported text; ok is false when the text does not fit the picture
// (the value is then empty text or 0).
QVariant readValue(const QString &picture, const QString &text, bool *ok = nullptr);

// The picture a date entry or date column takes under the DateFormat setting: date pictures
// (picture text beginning with "d" in any letter case) become the setting's picture ("n4b",
// a plain year, when the setting is empty); other pictures stay as they are.
QString withDateFormat(const QString &picture, const QString &dateFormat);

// Day numbers and dates.
qint64 dayNumber(int year, int month, int day);
bool dateOfDay(qint64 dayNumber, int *year, int *month, int *day);

} // namespace crx
