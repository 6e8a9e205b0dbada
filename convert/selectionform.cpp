#include "convert/selectionform.h"

#include "convert/categoryswitch.h"

namespace tolvaren {

SelectionForm::SelectionForm(const design::Form &design, QWidget *parent) : FormWidget(design, parent)
{
    connectCategoryButtons(design, m_built);
}

} // namespace tolvaren
