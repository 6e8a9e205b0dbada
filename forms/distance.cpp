#include "forms/designs.h"

namespace tolvaren::design {

const Form &distanceForm()
{
    static const Form f{.name = "distance"};
    return f;
}

} // namespace tolvaren::design
