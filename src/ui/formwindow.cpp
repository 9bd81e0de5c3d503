#include "formwindow.h"

#include "datafile.h"
#include "fileset.h"
#include "numberspin.h"
#include "help.h"
#include "picture.h"
#include "profile.h"
#include "settings.h"
#include "standardmessages.h"
#include "widgetplacement.h"

#include <QApplication>
#include <QEventLoop>
#include <QWindow>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>

namespace crx {
namespace {
constexpr int ButtonWidth = 75, ButtonHeight = 25, Margin = 10;
}

FormWindow::FormWindow(FileSet &files, FileId file, const QString &name, Titles titles, QSize designedSize,
                       DittoKey dittoKey, QWidget *parent)
    : QDialog(parent), files_(files), session_(files, file), titles_(std::move(titles)), designed_(designedSize)
{
    setObjectName(name);
    resize(designed_);
    const int y = designed_.height() - Margin - ButtonHeight;
    const int right = designed_.width() - Margin;
    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    help_ = new QPushButton(QStringLiteral("Help"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    cancel_->setObjectName(QStringLiteral("cancel"));
    help_->setObjectName(QStringLiteral("help"));
    help_->setGeometry(right - ButtonWidth, y, ButtonWidth, ButtonHeight);
    cancel_->setGeometry(right - 2 * ButtonWidth - 6, y, ButtonWidth, ButtonHeight);
    ok_->setGeometry(right - 3 * ButtonWidth - 12, y, ButtonWidth, ButtonHeight);
    ok_->setDefault(true);
    checksAll_ << ok_;
    connect(ok_, &QPushButton::clicked, this, &FormWindow::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(help_, &QPushButton::clicked, this, [this] { openHelp(helpContext_.isEmpty() ? objectName() : helpContext_); });
    const QKeySequence dittoSequence(Qt::CTRL | (dittoKey == DittoKey::Grave ? Qt::Key_QuoteLeft : Qt::Key_Apostrophe));
    connect(new QShortcut(dittoSequence, this), &QShortcut::activated, this, &FormWindow::ditto);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        for (const Bound &b : fields_)
            if (b.entry == now)
                lastEntry_ = b.entry;
        for (const Control &c : controls_)
            if (c.widget == now || c.widget->isAncestorOf(now))
                lastEntry_ = c.widget;
    });
}

QPushButton *FormWindow::addDittoButton(QRect place)
{
    auto *button = new QPushButton(QStringLiteral("&Ditto"), this);
    button->setObjectName(QStringLiteral("ditto"));
    button->setGeometry(place);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, &FormWindow::ditto);
    button->show();
    return button;
}

FormWindow::~FormWindow() = default;

QLineEdit *FormWindow::addField(const QString &prompt, const QString &field, const QString &picture, QRect promptPlace,
                                QRect entryPlace, Check check, QWidget *page)
{
    QWidget *parent = page ? page : this;
    auto *label = new QLabel(prompt, parent);
    label->setGeometry(promptPlace);
    auto *entry = new QLineEdit(parent);
    entry->setObjectName(field);
    entry->setGeometry(entryPlace);
    label->setBuddy(entry);
    const FileDef &def = session_.file().def();
    const int index = def.fieldIndex(field);
    if (def.fields[size_t(index)].isText())
        entry->setMaxLength(def.fields[size_t(index)].width);
    fields_.push_back({entry, index, picture, std::move(check)});
    // Leaving a field that was typed in runs its check.
    checkOnLeave(
        entry,
        [this, entry] {
            for (const Bound &b : fields_)
                if (b.entry == entry && entry->isModified())
                    return store(b);
            return true;
        },
        entry);
    return entry;
}

void FormWindow::addControl(QWidget *control, Show show, Take take)
{
    controls_.push_back({control, std::move(show), std::move(take)});
}

NumberSpin *FormWindow::addSpin(const QString &prompt, const QString &field, int digits, bool blankWhenZero,
                                QRect promptPlace, QRect place, QWidget *page, const QString &rangeName, int highest)
{
    QWidget *parent = page ? page : this;
    auto *label = new QLabel(prompt, parent);
    label->setGeometry(promptPlace);
    auto *spin = new NumberSpin(digits, blankWhenZero, parent);
    spin->setObjectName(field);
    spin->setGeometry(place);
    label->setBuddy(spin);
    const int index = session_.file().def().fieldIndex(field);
    addControl(
        spin, [spin, index](const Record &r) { spin->setValue(int(r.number(index))); },
        [this, spin, index, rangeName, highest](bool check) {
            spin->interpretText();
            if (check && !rangeName.isEmpty() && spin->value() > highest) {
                ShowStandardMessage(10, rangeName, QStringLiteral("0 and %1").arg(highest));
                return false;
            }
            session_.file().buffer().setNumber(index, spin->value());
            return true;
        });
    if (!rangeName.isEmpty())
        checkOnLeave(spin, [take = controls_.back().take] { return take(true); }, spin);
    return spin;
}

QCheckBox *FormWindow::addCheck(const QString &text, const QString &field, QRect place, QWidget *page)
{
    auto *box = new QCheckBox(text, page ? page : this);
    box->setObjectName(field);
    box->setGeometry(place);
    const int index = session_.file().def().fieldIndex(field);
    addControl(
        box, [box, index](const Record &r) { box->setChecked(r.number(index) == 1); },
        [this, box, index](bool) {
            session_.file().buffer().setNumber(index, box->isChecked() ? 1 : 0);
            return true;
        });
    return box;
}

QPlainTextEdit *FormWindow::addMemo(const QString &field, QRect place, QWidget *page)
{
    auto *memo = new QPlainTextEdit(page ? page : this);
    memo->setObjectName(field);
    memo->setGeometry(place);
    const FileDef &def = session_.file().def();
    const int index = def.fieldIndex(field);
    const int width = def.fields[size_t(index)].width;
    // What is shown is what is saved: typing beyond the memo's width is refused.
    connect(memo, &QPlainTextEdit::textChanged, memo, [memo, width] {
        const QString text = memo->toPlainText();
        if (text.size() <= width)
            return;
        memo->setPlainText(text.left(width));
        memo->moveCursor(QTextCursor::End);
        QApplication::beep();
    });
    addControl(
        memo, [memo, index](const Record &r) { memo->setPlainText(r.text(index)); },
        [this, memo, index](bool) {
            session_.file().buffer().setText(index, memo->toPlainText());
            return true;
        });
    return memo;
}

bool FormWindow::prepare()
{
    if (!session_.open()) {
        session_.close();
        return false;
    }
    if (!placed_) {
        resize(designed_);
        openAtDesign(*this);
        designed_ = size();
        placed_ = true;
    }
    layout_.record(*this);
    const QString positions = profilePath(files_.directory(), settingsfile::Positions);
    WidgetPlacement placement(*this);
    RestoreWindowPlacement(positions, objectName(), placement);
    for (Bound &b : fields_)
        b.picture = withDateFormat(b.picture, settings().dateFormat);
    setWindowTitle(session_.request() == Request::Insert ? titles_.insert : titles_.change);
    load();
    selectFirst();
    prepared_ = true;
    return true;
}

Response FormWindow::call()
{
    if (!prepare())
        return session_.response();
    if (!othersUsable_) {
        exec();
        return session_.response();
    }
    setWindowModality(Qt::NonModal);
    // It stays above the window it was called from, as a modal form does, without owning to it.
    if (QWidget *caller = QApplication::activeWindow(); caller && caller != this) {
        winId();
        windowHandle()->setTransientParent(caller->windowHandle());
    }
    QEventLoop open;
    connect(this, &QDialog::finished, &open, &QEventLoop::quit);
    show();
    open.exec();
    return session_.response();
}

void FormWindow::load()
{
    const Record &record = session_.file().buffer();
    for (const Bound &b : fields_) {
        const FieldDef &f = record.def().fields[size_t(b.field)];
        b.entry->setText(formatValue(b.picture, f.isText() ? QVariant(record.text(b.field)) : QVariant(record.number(b.field))));
        b.entry->setModified(false);
    }
    for (const Control &c : controls_)
        c.show(record);
}

bool FormWindow::store(const Bound &b, bool check)
{
    bool ok = false;
    const QVariant value = readValue(b.picture, b.entry->text(), &ok);
    if (!check && !ok)
        return false;
    if (check && (!ok || (b.check && !b.check(b.entry->text())))) {
        QApplication::beep();
        return false;
    }
    Record &record = session_.file().buffer();
    if (record.def().fields[size_t(b.field)].isText())
        record.setText(b.field, value.toString());
    else
        record.setNumber(b.field, value.toLongLong());
    return true;
}

void FormWindow::takeTyped()
{
    for (const Bound &b : fields_)
        store(b, false);
    for (const Control &c : controls_)
        c.take(false);
}

void FormWindow::selectFirst()
{
    if (fields_.empty())
        return;
    fields_.front().entry->setFocus();
    fields_.front().entry->selectAll();
}

void FormWindow::accept()
{
    navigate(Navigation::None);
}

bool FormWindow::takeChecked()
{
    takeTyped();
    beforeValidation();
    for (const Bound &b : fields_)
        if (!store(b)) {
            showField(b.entry);
            return false;
        }
    for (const Control &c : controls_)
        if (!c.take(true)) {
            showField(c.widget);
            return false;
        }
    return true;
}

void FormWindow::navigate(Navigation move)
{
    if (!takeChecked())
        return;
    switch (session_.complete(move)) {
    case FormSession::Outcome::Close:
        completed();
        return;
    case FormSession::Outcome::OtherValues:
        load();
        selectFirst();
        return;
    case FormSession::Outcome::Stay:
        selectFirst();
        return;
    }
}

void FormWindow::completed()
{
    QDialog::accept();
}

bool FormWindow::startInsert()
{
    session_.close();
    session_.file().buffer().clear();
    formRequest() = Request::Insert;
    if (!session_.open())
        return false;
    load();
    selectFirst();
    return true;
}

bool FormWindow::holdsChanges()
{
    return shown_ ? !session_.file().buffer().sameValues(*shown_) : session_.changed();
}

void FormWindow::rememberShown()
{
    takeTyped();
    shown_ = session_.file().buffer();
}

void FormWindow::reject()
{
    if (comparesRecord_ && prepared_) {
        takeTyped();
        if (holdsChanges() && ShowStandardMessage(23) != Yes)
            return;
    }
    if (prepared_)
        givingUp();
    QDialog::reject();
}

void FormWindow::checkOnLeave(QWidget *entry, std::function<bool()> rules, QWidget *control)
{
    const auto leave = [this, rules = std::move(rules), control] {
        // Only when the person goes on to another control of the form: not for Cancel, not for
        // a button that checks every field itself (OK), and not while a message of the check
        // itself has the focus.
        QWidget *now = QApplication::focusWidget();
        if (leaving_ || !now || now == cancelButton() || !isAncestorOf(now) || checksAll_.contains(now))
            return;
        leaving_ = true;
        if (!rules())
            showField(control);
        leaving_ = false;
    };
    if (auto *edit = qobject_cast<QLineEdit *>(entry))
        connect(edit, &QLineEdit::editingFinished, this, leave);
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(entry))
        connect(spin, &QAbstractSpinBox::editingFinished, this, leave);
}

void FormWindow::showField(QWidget *control)
{
    // Every sheet the control lies on turns to the page that holds it, the outermost first.
    std::vector<std::pair<QTabWidget *, int>> pages;
    for (QWidget *w = control->parentWidget(); w; w = w->parentWidget())
        if (auto *sheet = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < sheet->count(); ++i)
                if (sheet->widget(i)->isAncestorOf(control))
                    pages.emplace_back(sheet, i);
    for (auto page = pages.rbegin(); page != pages.rend(); ++page)
        page->first->setCurrentIndex(page->second);
    QWidget *focus = control->focusProxy() ? control->focusProxy() : control;
    focus->setFocus();
    if (auto *edit = qobject_cast<QLineEdit *>(focus))
        edit->selectAll();
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(focus))
        spin->selectAll();
    else if (auto *combo = qobject_cast<QComboBox *>(focus); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
}

FormWindow::Check FormWindow::rangeCheck(const QString &prompt, qint64 low, qint64 high)
{
    return [prompt, low, high](const QString &text) {
        const qint64 value = text.trimmed().toLongLong();
        if (value >= low && value <= high)
            return true;
        ShowStandardMessage(10, prompt, QStringLiteral("%1 and %2").arg(low).arg(high));
        return false;
    };
}

FormWindow::Check FormWindow::lookupCheck(const QString &prompt, FileId lookup, const QString &key)
{
    return [this, prompt, lookup, key](const QString &text) {
        DataFile &file = files_.use(lookup);
        const FileDef &def = file.def();
        const int index = def.keyIndex(key);
        const Record kept = file.buffer();
        file.buffer().clear();
        file.buffer().setText(def.keys[size_t(index)].components.front(), text);
        const bool found = file.get(index) == NoError;
        file.buffer() = kept;
        files_.release(lookup);
        if (!found)
            ShowStandardMessage(11, prompt, def.label);
        return found;
    };
}

void FormWindow::done(int result)
{
    if (prepared_) {
        session_.close();
        WidgetPlacement placement(*this);
        SaveWindowPlacement(profilePath(files_.directory(), settingsfile::Positions), objectName(), placement);
        prepared_ = false;
    }
    QDialog::done(result);
}

void FormWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (prepared_)
        layout_.apply(size(), resizingOf(objectName()));
}

void FormWindow::ditto()
{
    if (!lastEntry_ || (!dittoFields_.isEmpty() && !dittoFields_.contains(lastEntry_->objectName())))
        return;
    const Record &history = historyRecord(session_.file().def().id);
    for (const Control &c : controls_)
        if (c.widget == lastEntry_)
            c.show(history);
    for (const Bound &b : fields_)
        if (b.entry == lastEntry_) {
            const FieldDef &f = history.def().fields[size_t(b.field)];
            b.entry->setText(formatValue(b.picture, f.isText() ? QVariant(history.text(b.field)) : QVariant(history.number(b.field))));
            b.entry->setModified(true);
        }
}

} // namespace crx
