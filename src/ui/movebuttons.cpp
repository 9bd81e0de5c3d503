#include "movebuttons.h"

#include <QPushButton>

namespace crx {

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
        auto *b = new QPushButton(QString::fromUtf8(m.text), page);
        b->setObjectName(QString::fromLatin1(m.name));
        b->setToolTip(QString::fromLatin1(m.tip));
        b->setGeometry(at.x() + 30 * i++, at.y(), 26, 25);
        b->setAutoDefault(false);
        const Move mode = m.mode;
        QObject::connect(b, &QPushButton::clicked, page, [move, mode] { move(mode); });
    }
}

} // namespace crx
