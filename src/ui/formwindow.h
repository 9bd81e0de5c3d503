// The window of an update form: entry fields bound to the fields of one
// file, OK, Cancel and Help, field checks, the ditto command, placement and
// resizing. Each form of the program is one of these with its own fields.
#pragma once

#include "formsession.h"
#include "resizing.h"

#include <QDialog>
#include <QList>
#include <functional>
#include <optional>
#include <vector>

class QLineEdit;
class QPushButton;

class QCheckBox;
class QPlainTextEdit;

namespace crx {

class NumberSpin;

class FileSet;

class FormWindow : public QDialog
{
    Q_OBJECT
public:
    struct Titles {
        QString insert;
        QString change;
    };
    enum class DittoKey { Grave, Apostrophe };

    FormWindow(FileSet &files, FileId file, const QString &name, Titles titles, QSize designedSize,
               DittoKey ditto = DittoKey::Grave, QWidget *parent = nullptr);
    ~FormWindow() override;

    // A field's own check, run as the person leaves it and again at OK: true when it passes
    // (a failing check shows its message).
    using Check = std::function<bool(const QString &text)>;

    // An entry with its prompt at the designed place, bound to a field under a picture; on a
    // page of a tab sheet when page is given.
    QLineEdit *addField(const QString &prompt, const QString &field, const QString &picture, QRect prompt_,
                        QRect entry, Check check = {}, QWidget *page = nullptr);

    // A control of another kind (combo, spin, check box, memo, options) that the form binds
    // itself: show puts a record's value into it; take puts its value into the buffer and,
    // when checking, runs its rules (false: the control keeps the focus, OK stops).
    using Show = std::function<void(const Record &)>;
    using Take = std::function<bool(bool check)>;
    void addControl(QWidget *control, Show show, Take take);
    // The controls of that kind the forms have in common: a spin of so many digits (blank when
    // zero, if asked; with a range name, a value above highest gives message 10), a check box
    // (1 when ticked) and a memo that refuses typing beyond its width.
    NumberSpin *addSpin(const QString &prompt, const QString &field, int digits, bool blankWhenZero,
                        QRect promptPlace, QRect place, QWidget *page = nullptr, const QString &rangeName = {},
                        int highest = 0);
    QCheckBox *addCheck(const QString &text, const QString &field, QRect place, QWidget *page = nullptr);
    QPlainTextEdit *addMemo(const QString &field, QRect place, QWidget *page = nullptr);

    // The help page Help opens, when it is not the one named after the form.
    void setHelpContext(const QString &topic) { helpContext_ = topic; }

    // A form that compares the record (the wizards) asks before it is left with changes.
    void setComparesRecord(bool compares) { comparesRecord_ = compares; }
    // Whether Cancel would give up work: the record differs from the one read, or from the
    // one the form showed when rememberShown() was last called.
    virtual bool holdsChanges();
    // The record as the form shows it now (its controls' starting values taken) is what
    // Cancel compares with.
    void rememberShown();
    // Cancel was pressed (and, when asked, confirmed): what the form gives up as it closes.
    virtual void givingUp() {}

    // A check that the number typed lies between low and high, else message 10 with the prompt.
    static Check rangeCheck(const QString &prompt, qint64 low, qint64 high);
    // A check that the text typed is the value of a record of another file (looked up by
    // `key`, opened through the use counts for the check), else message 11 with the prompt.
    Check lookupCheck(const QString &prompt, FileId file, const QString &key);

    // The opening steps; false when no window is to be shown (a delete, a refused request, a failed insert).
    virtual bool prepare();
    // Calls the form as a caller does: prepare, then run it modally, or, when it leaves the
    // others usable, until it closes with the program's other windows still taking input.
    virtual Response call();
    // The form leaves the program's other windows usable while it is open (songs can be dragged
    // into it from a song list); the list that calls it waits, disabled.
    void setOthersUsable(bool usable) { othersUsable_ = usable; }
    bool othersUsable() const { return othersUsable_; }

    // A ditto button: copies the history value into the entry that had the focus last.
    QPushButton *addDittoButton(QRect place);
    // Ditto works only in the controls of these fields (object names); in every one when unset.
    void setDittoFields(QStringList fields) { dittoFields_ = std::move(fields); }

    // A navigation button: saves as OK does, then closes and asks the list to move.
    void navigate(Navigation move);

    QPushButton *okButton() const { return ok_; }
    QPushButton *cancelButton() const { return cancel_; }
    QPushButton *helpButton() const { return help_; }
    FormSession &session() { return session_; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void done(int result) override;
    void accept() override;
    // Shows the buffer's values in every field and control again.
    void load();
    // Puts what stands in every field and control into the buffer, without checking it.
    void takeTyped();
    // Puts them into the buffer with their checks, as OK does; false (the failing control
    // shown) when one refuses.
    bool takeChecked();
    // OK's own steps, after the values typed are in the buffer and before they are checked.
    virtual void beforeValidation() {}
    // The record was written: the form closes (a wizard that goes on with another record
    // starts it here instead).
    virtual void completed();
    // Ends the record in hand as written and starts a new insert in the same window; false
    // when the new record could not be added.
    bool startInsert();
    void reject() override;
    void selectFirst();
    // Runs a control's rules as the person leaves it (an entry, or a spin box) for another
    // control of the form, not for Cancel; when they refuse, the control is shown again.
    void checkOnLeave(QWidget *entry, std::function<bool()> rules, QWidget *control);
    // Shows a control whose check failed: its tab page brought forward, the control focused
    // and its text selected.
    void showField(QWidget *control);
    // A button that checks every field itself (as OK does): leaving a field for it runs no
    // check of its own, so a refusal is said once.
    void checksEveryField(QWidget *button) { checksAll_ << button; }

private:
    bool othersUsable_ = false;
    struct Bound {
        QLineEdit *entry;
        int field;
        QString picture;
        Check check;
    };
    struct Control {
        QWidget *widget;
        Show show;
        Take take;
    };
    bool store(const Bound &bound, bool check = true);
    void ditto();

    FileSet &files_;
    FormSession session_;
    Titles titles_;
    QSize designed_;
    std::vector<Bound> fields_;
    std::vector<Control> controls_;
    QPushButton *ok_;
    QPushButton *cancel_;
    QPushButton *help_;
    QString helpContext_;
    ControlLayout layout_;
    bool prepared_ = false;
    bool placed_ = false;  // the design is placed for the window's font
    bool leaving_ = false; // a control's rules are running as the person leaves it
    std::optional<Record> shown_;
    QList<QWidget *> checksAll_;
    bool comparesRecord_ = false;
    QWidget *lastEntry_ = nullptr;
    QStringList dittoFields_;
};

} // namespace crx
