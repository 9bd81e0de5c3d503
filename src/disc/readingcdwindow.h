// "Reading CD": the window shown while the disc is read, with its message
// line, a bar of steps and a Cancel button that the read does not act on.
#pragma once

#include "readcd.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace crx {

class ReadingCdWindow : public QDialog, public ReadingProgress
{
    Q_OBJECT
public:
    explicit ReadingCdWindow(QWidget *parent = nullptr);

    void start(int steps) override;
    void setLine(const QString &text) override;
    void advance() override;
    void finish() override;

    QString line() const;
    int done() const;

protected:
    void reject() override {}

private:
    QLabel *line_;
    QProgressBar *bar_;
};

} // namespace crx
