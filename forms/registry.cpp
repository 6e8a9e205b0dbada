#include "forms/designs.h"

#include <array>

namespace tolvaren::design {

const Form *form(std::string_view name)
{
    using Getter = const Form &(*)();
    static constexpr std::array<Getter, 10> all{&mainForm,   &selectionForm, &distanceForm, &massForm,
                                                &tempForm,   &volumeForm,    &speedForm,    &timeForm,
                                                &prefixForm, &aboutForm};
    for (Getter get : all)
        if (get().name == name)
            return &get();
    return nullptr;
}

} // namespace tolvaren::design
