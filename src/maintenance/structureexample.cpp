#include "structureexample.h"

#include "schema.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace crx {

namespace {

const char *typeName(FieldType type)
{
    switch (type) {
    case FieldType::Text: return "text";
    case FieldType::Long: return "long";
    case FieldType::Byte: return "byte";
    case FieldType::Decimal6: return "decimal6";
    case FieldType::Decimal2: return "decimal2";
    case FieldType::Date: return "date";
    case FieldType::Time: return "time";
    case FieldType::Memo: return "memo";
    }
    return "text";
}

} // namespace

QString exampleName(const QString &diskName)
{
    const qsizetype dot = diskName.indexOf('.');
    return (dot < 0 ? diskName : diskName.left(dot)) + QStringLiteral(".tpe");
}

QChar ds_MakeExample(const FileDef &def, const QString &path, const QString &examplePath, QString &error)
{
    QFile file(path);
    if (!file.exists())
        return '1';
    if (!file.open(QIODevice::ReadOnly) || file.read(16) != QByteArray("SQLite format 3\0", 16))
        return '2';
    QSaveFile example(examplePath);
    if (!example.open(QIODevice::WriteOnly | QIODevice::Text)) {
        error = example.errorString();
        return '3';
    }
    QStringList lines{QStringLiteral("label=") + def.layout, QStringLiteral("layout=%1").arg(def.layoutVersion)};
    for (const FieldDef &f : def.fields)
        lines << QStringLiteral("field=%1 %2 %3").arg(f.name, QLatin1String(typeName(f.type))).arg(f.width);
    for (const KeyDef &k : def.keys) {
        QStringList components, kind;
        for (int c : k.components)
            components << def.fields[size_t(c)].name;
        if (k.primary)
            kind << QStringLiteral("primary");
        else
            kind << (k.unique ? QStringLiteral("unique") : QStringLiteral("dup"));
        if (k.opt)
            kind << QStringLiteral("opt");
        lines << QStringLiteral("key=%1 %2 %3").arg(k.name, components.join(','), kind.join(' '));
    }
    example.write((lines.join('\n') + '\n').toUtf8());
    if (!example.commit()) {
        error = example.errorString();
        return '3';
    }
    return '0';
}

} // namespace crx
