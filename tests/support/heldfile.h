// Another program holding a catalogue file locked while it lives: against every use of it, or
// against writes only (reads go on).
#pragma once

#include <QString>
#include <sqlite3.h>

namespace crx::test {

class HeldFile
{
public:
    enum class Against { Everything, Writes };
    explicit HeldFile(const QString &path, Against against = Against::Everything)
    {
        sqlite3_open(path.toUtf8().constData(), &other_);
        const char *begin = against == Against::Everything ? "BEGIN EXCLUSIVE" : "BEGIN IMMEDIATE";
        held_ = sqlite3_exec(other_, begin, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~HeldFile()
    {
        sqlite3_exec(other_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other_);
    }
    HeldFile(const HeldFile &) = delete;
    HeldFile &operator=(const HeldFile &) = delete;
    bool held() const { return held_; }

private:
    sqlite3 *other_ = nullptr;
    bool held_ = false;
};

} // namespace crx::test
