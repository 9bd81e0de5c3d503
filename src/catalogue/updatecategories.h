// The category form: one field, the category's name.
#pragma once

#include "formwindow.h"

namespace crx {

class UpdateCategories : public FormWindow
{
    Q_OBJECT
public:
    explicit UpdateCategories(FileSet &files, QWidget *parent = nullptr);
    QLineEdit *nameField() const { return name_; }

private:
    QLineEdit *name_;
};

} // namespace crx
