#include "forms/designs.h"

namespace tolvaren::design {

const Form &mainForm()
{
    static const Form f{.name = "main"};
    return f;
}

} // namespace tolvaren::design
