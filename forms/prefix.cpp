#include "forms/designs.h"

namespace tolvaren::design {

const Form &prefixForm()
{
    static const Form f{.name = "prefix"};
    return f;
}

} // namespace tolvaren::design
