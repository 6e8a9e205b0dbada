#include "categories/category.h"

#include <array>

namespace tolvaren {

namespace {
constexpr std::array<CategoryId, 6> order{CategoryId::Distance, CategoryId::Mass,  CategoryId::Temperature,
                                          CategoryId::Volume,   CategoryId::Speed, CategoryId::Time};
}

const Category &category(CategoryId id)
{
    switch (id) {
    case CategoryId::Distance: return distanceCategory();
    case CategoryId::Mass: return massCategory();
    case CategoryId::Temperature: return temperatureCategory();
    case CategoryId::Volume: return volumeCategory();
    case CategoryId::Speed: return speedCategory();
    case CategoryId::Time: return timeCategory();
    }
    return distanceCategory();
}

const Category *categoryByFormName(std::string_view formName)
{
    for (CategoryId id : order)
        if (category(id).formName == formName)
            return &category(id);
    return nullptr;
}

std::span<const CategoryId> allCategories() { return order; }

} // namespace tolvaren
