#include "forms/designs.h"

namespace tolvaren::design {

const Form &aboutForm()
{
    static const Form f{.name = "about"};
    return f;
}

} // namespace tolvaren::design
