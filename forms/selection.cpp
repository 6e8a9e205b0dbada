#include "forms/designs.h"

namespace tolvaren::design {

const Form &selectionForm()
{
    static const Form f{.name = "selection"};
    return f;
}

} // namespace tolvaren::design
