#pragma once

#include <QString>

class QWidget;

namespace tolvaren {

class BuiltForm;
namespace design {
struct Form;
}

// What every category button does: unload the form it sits on, show the
// target converter form (its load clears the conversion memory) and
// maximise it inside the main window.
void switchCategory(QWidget *button, const QString &targetForm);

// Wires every button of a built form whose design names a form to open.
void connectCategoryButtons(const design::Form &form, const BuiltForm &built);

} // namespace tolvaren
