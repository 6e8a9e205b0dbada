#include "forms/designs.h"

namespace tolvaren::design {

const Form &massForm()
{
    static const Form f{.name = "mass"};
    return f;
}

} // namespace tolvaren::design
