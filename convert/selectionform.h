#pragma once

#include "forms/formwidget.h"

namespace tolvaren {

// The welcome form: six buttons, one per measurement type. It has no load
// handler, so showing it leaves the conversion memory alone.
class SelectionForm : public FormWidget {
    Q_OBJECT
  public:
    explicit SelectionForm(const design::Form &design, QWidget *parent = nullptr);
};

} // namespace tolvaren
