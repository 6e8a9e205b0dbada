#include "forms/designs.h"

namespace tolvaren::design {

const Form &timeForm()
{
    static const Form f{.name = "time"};
    return f;
}

} // namespace tolvaren::design
