#include "pagebuttons.h"

#include <QLabel>
#include <QPushButton>

namespace crx {

QPushButton *pageButton(QWidget *page, const QString &text, const QString &name, QRect place, const QString &tip)
{
    auto *b = new QPushButton(text, page);
    b->setObjectName(name);
    b->setGeometry(place);
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

QLabel *pageLabel(QWidget *page, const QString &text, QRect place, const QString &name)
{
    auto *label = new QLabel(text, page);
    label->setGeometry(place);
    label->setObjectName(name);
    return label;
}

void addMoveButtons(QWidget *page, QPoint at, std::function<void(Move)> move)
{
    const struct {
        const char *text, *name, *tip;
        Move mode;
    } moves[] = {
        {"\u25b2", "moveUp", "Move record up one", Move::UpOne},
        {"\u2912", "moveTop", "Move record to the top", Move::ToTop},
        {"\u25bc", "moveDown", "Move record down one", Move::DownOne},
        {"\u2913", "moveBottom", "Move record to the bottom", Move::ToBottom},
    };
    for (int i = 0; const auto &m : moves) {
        QPushButton *b = pageButton(page, QString::fromUtf8(m.text), QString::fromLatin1(m.name),
                                    QRect(at.x() + 30 * i++, at.y(), 26, 25), QString::fromLatin1(m.tip));
        const Move mode = m.mode;
        QObject::connect(b, &QPushButton::clicked, page, [move, mode] { move(mode); });
    }
}

} // namespace crx
