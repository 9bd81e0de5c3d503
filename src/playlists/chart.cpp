#include "chart.h"

#include "batchprocess.h"
#include "datafile.h"

#include <QRegularExpression>

namespace crx {
namespace {
constexpr int NotesWidth = 40;
} // namespace

QString chartNotes(const QString &notes, int position)
{
    QString text = notes;
    // The old marker goes with its whole number, however many digits it has.
    static const QRegularExpression marker(QStringLiteral("LW:\\d*"));
    const QRegularExpressionMatch old = marker.match(text);
    if (old.hasMatch())
        text.remove(old.capturedStart(), old.capturedLength());
    const QString marked = text.trimmed() + QStringLiteral(" LW:") + QString::number(position);
    qsizetype first = 0;
    while (first < marked.size() && marked[first] == QLatin1Char(' '))
        ++first;
    return marked.mid(first, NotesWidth);
}

std::unique_ptr<BatchProcess> chartProcess(FileSet &files, qint64 playlist, qint64 entries)
{
    auto process = std::make_unique<BatchProcess>(files, FileId::PlaylistDetails, QStringLiteral("PLA:KeyPlaylistID"),
                                                  [](DataFile &details) {
                                                      Record &entry = details.buffer();
                                                      entry.set("PLA:PlaylistNotes",
                                                                chartNotes(entry.get("PLA:PlaylistNotes").toString(),
                                                                           entry.get("PLA:PlaylistSeq").toInt()));
                                                      return details.put() == NoError
                                                                 ? BatchProcess::Work::Done
                                                                 : BatchProcess::Work::RewriteFailed;
                                                  });
    process->setRange({qlonglong(playlist)}, {qlonglong(playlist)}, entries);
    process->writesTo(FileId::PlaylistDetails);
    return process;
}

} // namespace crx
