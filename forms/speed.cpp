#include "forms/designs.h"

namespace tolvaren::design {

const Form &speedForm()
{
    static const Form f{.name = "speed"};
    return f;
}

} // namespace tolvaren::design
