#include "forms/designs.h"

namespace tolvaren::design {

const Form &volumeForm()
{
    static const Form f{.name = "volume"};
    return f;
}

} // namespace tolvaren::design
