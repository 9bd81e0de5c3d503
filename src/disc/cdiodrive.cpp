#include "cdiodrive.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace crx {
namespace {

// libcdio reports through a log handler; its last warning or error becomes the reason a
// drive is not ready instead of a line on the terminal.
QString &lastCdioMessage()
{
    static QString message;
    return message;
}

void keepCdioMessage(cdio_log_level_t level, const char message[])
{
    if (level >= CDIO_LOG_WARN)
        lastCdioMessage() = QString::fromLocal8Bit(message).trimmed();
}

QString firstDrive()
{
    cdio_log_set_handler(keepCdioMessage);
    char *found = cdio_get_default_device(nullptr);
    const QString device = found ? QString::fromLocal8Bit(found) : QString();
    cdio_free(found);
    return device;
}

// The disc's sound read with cd-paranoia, which corrects jitter and read errors. The drive is
// opened at the first read, on the reading thread, and held until the reader goes.
class ParanoiaAudio : public DiscAudio
{
public:
    explicit ParanoiaAudio(QString device) : device_(std::move(device)) {}
    ~ParanoiaAudio() override
    {
        if (paranoia_)
            cdio_paranoia_free(paranoia_);
        if (drive_)
            cdio_cddap_close(drive_);
    }

    bool read(qint32 frame, int count, QByteArray &out, QString &error) override
    {
        if (!paranoia_ && !open(error))
            return false;
        const lsn_t first = frame - LeadIn;
        if (first != next_)
            cdio_paranoia_seek(paranoia_, first, SEEK_SET);
        out.resize(qsizetype(count) * SectorBytes);
        for (int i = 0; i < count; ++i) {
            const int16_t *samples = cdio_paranoia_read_limited(paranoia_, nullptr, Retries);
            if (!samples) {
                error = QStringLiteral("%1: cannot read frame %2%3").arg(device_).arg(frame + i).arg(driveErrors());
                next_ = -1;
                return false;
            }
            std::memcpy(out.data() + qsizetype(i) * SectorBytes, samples, SectorBytes);
        }
        next_ = first + count;
        return true;
    }

private:
    static constexpr int LeadIn = 150;
    static constexpr int Retries = 5;

    bool open(QString &error)
    {
        char *messages = nullptr;
        drive_ = cdio_cddap_identify(device_.toLocal8Bit().constData(), CDDA_MESSAGE_LOGIT, &messages);
        const QString told = messages ? QString::fromLocal8Bit(messages).trimmed() : QString();
        cdio_cddap_free_messages(messages);
        if (!drive_ || cdio_cddap_open(drive_) != 0) {
            error = QStringLiteral("%1: cannot read the disc's sound%2")
                        .arg(device_, told.isEmpty() ? driveErrors() : QStringLiteral(" (%1)").arg(told));
            return false;
        }
        paranoia_ = cdio_paranoia_init(drive_);
        cdio_paranoia_modeset(paranoia_, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
        next_ = -1;
        return true;
    }

    QString driveErrors() const
    {
        char *errors = drive_ ? cdio_cddap_errors(drive_) : nullptr;
        const QString text = errors ? QString::fromLocal8Bit(errors).trimmed() : QString();
        cdio_cddap_free_messages(errors);
        return text.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(text);
    }

    QString device_;
    cdrom_drive_t *drive_ = nullptr;
    cdrom_paranoia_t *paranoia_ = nullptr;
    lsn_t next_ = -1;
};

} // namespace

CdioDrive::CdioDrive(const QString &device) : device_(device) {}

void CdioDrive::refresh()
{
    const DriveState was = state_;
    state_ = DriveState::NotReady;
    reason_.clear();
    found_ = device_.isEmpty() ? firstDrive() : device_;
    if (found_.isEmpty()) {
        state_ = DriveState::Missing;
        reason_ = QStringLiteral("no CD drive found");
        return;
    }
    const int fd = ::open(found_.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        state_ = errno == ENOENT ? DriveState::Missing : DriveState::NotReady;
        reason_ = QStringLiteral("%1: %2").arg(found_, QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    const int status = ::ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT);
    const int error = errno;
    // Reading the table of contents takes the drive a while: the same disc keeps the one read.
    const bool sameDisc = status == CDS_DISC_OK && was == DriveState::Ready
                          && ::ioctl(fd, CDROM_MEDIA_CHANGED, CDSL_CURRENT) == 0;
    ::close(fd);
    if (sameDisc) {
        state_ = DriveState::Ready;
        return;
    }
    toc_ = {};
    switch (status) {
    case CDS_DISC_OK: readToc(); break;
    case CDS_NO_DISC: state_ = DriveState::NoDisc; break;
    case CDS_TRAY_OPEN: state_ = DriveState::DoorOpen; break;
    case CDS_DRIVE_NOT_READY:
        state_ = DriveState::NotReady;
        reason_ = QStringLiteral("%1: the drive is not ready").arg(found_);
        break;
    default:
        // Drives that cannot tell are asked for the disc itself.
        if (status < 0 && error == ENOTTY) {
            state_ = DriveState::Missing;
            reason_ = QStringLiteral("%1 is not a CD drive").arg(found_);
        } else {
            readToc();
        }
    }
}

void CdioDrive::readToc()
{
    cdio_log_set_handler(keepCdioMessage);
    lastCdioMessage().clear();
    CdIo_t *cd = cdio_open(found_.toLocal8Bit().constData(), DRIVER_DEVICE);
    if (!cd) {
        state_ = DriveState::NotReady;
        reason_ = QStringLiteral("%1: %2").arg(found_, lastCdioMessage().isEmpty() ? QStringLiteral("cannot open")
                                                                                 : lastCdioMessage());
        return;
    }
    const track_t first = cdio_get_first_track_num(cd);
    const track_t count = cdio_get_num_tracks(cd);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) {
        cdio_destroy(cd);
        state_ = DriveState::NoDisc;
        return;
    }
    for (track_t t = first; t < first + count; ++t)
        toc_.starts.push_back(qint32(cdio_get_track_lba(cd, t)));
    toc_.leadOut = qint32(cdio_get_track_lba(cd, CDIO_CDROM_LEADOUT_TRACK));
    cdio_destroy(cd);
    state_ = DriveState::Ready;
}

std::unique_ptr<DiscAudio> CdioDrive::audio() const
{
    return std::make_unique<ParanoiaAudio>(found_);
}

bool CdioDrive::setDoor(bool open)
{
    const QByteArray device = (found_.isEmpty() ? device_ : found_).toLocal8Bit();
    if (device.isEmpty())
        return false;
    const driver_return_code_t code = open ? cdio_eject_media_drive(device.constData())
                                           : cdio_close_tray(device.constData(), nullptr);
    return code == DRIVER_OP_SUCCESS;
}

} // namespace crx
