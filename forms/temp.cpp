#include "forms/designs.h"

namespace tolvaren::design {

const Form &tempForm()
{
    static const Form f{.name = "temp"};
    return f;
}

} // namespace tolvaren::design
