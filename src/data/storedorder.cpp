#include "storedorder.h"

#include "datafile.h"
#include "result.h"
#include "transaction.h"
#include "view.h"

#include <algorithm>

namespace crx {
namespace {

constexpr int WaitSeconds = 2;

// Renumbers the entry at position from `from` to `to`; on failure says which step failed.
bool renumber(const StoredOrder &order, const QByteArray &position, int from, int to, const char *read,
              const char *write, std::optional<SwapFailure> &failure)
{
    DataFile &file = order.file;
    if (file.reget(position) != NoError) {
        failure = SwapFailure{lastResult().text, from, QString::fromLatin1(read)};
        return false;
    }
    file.buffer().set(order.numberField, to);
    if (file.put() != NoError) {
        failure = SwapFailure{lastResult().text, to, QString::fromLatin1(write)};
        return false;
    }
    return true;
}

// Runs the renumbering in one transaction over the entries read in it; the buffer is kept.
template <typename Steps>
bool inTransaction(const StoredOrder &order, int number, std::optional<SwapFailure> &failure, Steps steps)
{
    DataFile &file = order.file;
    const Record kept = file.buffer();
    bool done = false;
    if (beginTransaction({&file}, WaitSeconds) != NoError) {
        failure = SwapFailure{lastResult().text, number, QStringLiteral("Test Range")};
    } else {
        QString error;
        const std::vector<StoredEntry> entries = readStoredOrder(order, error);
        bool ok = error.isEmpty();
        if (!ok)
            failure = SwapFailure{error, number, QStringLiteral("Test Range")};
        else
            ok = steps(entries, done);
        if (ok && commitTransaction() != NoError) {
            failure = SwapFailure{lastResult().text, number, QStringLiteral("Final Put")};
            ok = false;
        }
        if (!ok) {
            rollbackTransaction();
            done = false;
        }
    }
    file.buffer() = kept;
    return done && !failure;
}

} // namespace

std::vector<StoredEntry> readStoredOrder(const StoredOrder &order, QString &error)
{
    DataFile &file = order.file;
    std::vector<StoredEntry> out;
    const Record kept = file.buffer();
    View view(file);
    view.setOrder(file.def().primaryKey());
    view.setRange(order.parent, order.parent);
    int code = view.open();
    if (code == NoError)
        code = view.setToStart();
    while (code == NoError) {
        code = view.next();
        if (code == NoError)
            out.push_back({file.position(), file.buffer().get(order.numberField).toInt()});
    }
    if (code != RecordNotAvailable)
        error = lastResult().text;
    file.buffer() = kept;
    return out;
}

bool moveStoredEntry(const StoredOrder &order, int number, Move mode, std::optional<SwapFailure> &failure,
                     int afterNumber)
{
    return inTransaction(order, number, failure, [&](const std::vector<StoredEntry> &entries, bool &moved) {
        std::vector<int> numbers;
        for (const StoredEntry &e : entries)
            numbers.push_back(e.number);
        const auto self = std::find(numbers.begin(), numbers.end(), number);
        if (self == numbers.end()) {
            failure = SwapFailure{QStringLiteral("the entry is not there"), number, QStringLiteral("Get Orig")};
            return false;
        }
        const std::vector<size_t> passed = passedOver(numbers, number, mode, afterNumber);
        if (passed.empty())
            return true;
        const StoredEntry &moving = entries[size_t(self - numbers.begin())];
        const int parked = *std::max_element(numbers.begin(), numbers.end()) + 1;
        if (!renumber(order, moving.position, number, parked, "Get Orig", "Put Swap Out", failure))
            return false;
        int free = number;
        for (const size_t i : passed) {
            if (!renumber(order, entries[i].position, entries[i].number, free, "Get Orig", "Put Swap", failure))
                return false;
            free = entries[i].number;
        }
        moved = renumber(order, moving.position, parked, free, "Get Orig After", "Final Put", failure);
        return moved;
    });
}

bool closeStoredGap(const StoredOrder &order, int from, std::optional<SwapFailure> &failure)
{
    inTransaction(order, from, failure, [&](const std::vector<StoredEntry> &entries, bool &done) {
        int next = from;
        for (const StoredEntry &e : entries) {
            if (e.number < from)
                continue;
            if (e.number != next && !renumber(order, e.position, e.number, next, "Get Orig", "Put Upd Seq", failure))
                return false;
            ++next;
        }
        done = true;
        return true;
    });
    return !failure;
}

} // namespace crx
