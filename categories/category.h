#pragma once

#include "convert/pairrule.h"

#include <span>
#include <string_view>
#include <vector>

namespace tolvaren {

enum class CategoryId { Distance, Mass, Temperature, Volume, Speed, Time };

// Everything that makes one measurement type: its units in list order, its
// table of pair rules in the order they are tested, the message shown for
// incomplete data, and which controls of its form play which role.
struct Category {
    CategoryId id;
    std::string_view formName;
    std::span<const std::string_view> units;
    std::vector<PairRule> rules;
    std::string_view incompleteMessage;
    std::string_view inputBox;
    std::string_view fromList;
    std::string_view toList;
    std::string_view outputBox;
};

const Category &distanceCategory();
const Category &massCategory();
const Category &temperatureCategory();
const Category &volumeCategory();
const Category &speedCategory();
const Category &timeCategory();

const Category &category(CategoryId id);
// The category whose form has this name, or nullptr.
const Category *categoryByFormName(std::string_view formName);

// Every category, once each, in the order of the category ids.
std::span<const CategoryId> allCategories();

} // namespace tolvaren
