// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// What must hold for every window's design, so that a slip in a table
// fails here rather than showing as a missing or misplaced control.
#include "categories/category.h"
#include "forms/converters.h"
#include "forms/designs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using namespace tolvaren;
using namespace tolvaren::design;

namespace {

std::vector<const Form *> everyForm()
{
    std::vector<const Form *> forms{&mainForm(), &welcomeForm(), &prefixForm(), &aboutForm()};
    for (const Converter &c : converters())
        forms.push_back(&c.form);
    return forms;
}

const Control *named(const Form &form, std::string_view name)
{
    const auto it =
        std::find_if(form.controls.begin(), form.controls.end(), [&](const Control &c) { return c.name == name; });
    return it == form.controls.end() ? nullptr : &*it;
}

// Each converter form opens each other type once and not its own; the
// welcome form opens every type once. A button's caption is the start of
// the caption of the form it opens ("Vol" opens "Volume").
TEST(Designs, CategoryButtonsOpenEveryOtherTypeOnce)
{
    std::vector<std::pair<const Form *, const Category *>> forms{{&welcomeForm(), nullptr}};
    for (const Converter &c : converters())
        forms.emplace_back(&c.form, &c.category);
    for (const auto &[form, own] : forms) {
        SCOPED_TRACE(std::string(form->name));
        std::map<const Category *, int> opened;
        const auto times = [&](const Category &c) { return opened.contains(&c) ? opened[&c] : 0; };
        for (const Control &c : form->controls) {
            if (!c.opensCategory)
                continue;
            ++opened[c.opensCategory];
            const Form *target = converterForm(*c.opensCategory);
            ASSERT_TRUE(target) << c.name << " opens a type that has no form";
            EXPECT_TRUE(target->caption.starts_with(c.text))
                << c.name << " \"" << c.text << "\" opens " << target->caption;
        }
        for (const Converter &c : converters())
            EXPECT_EQ(times(c.category), &c.category == own ? 0 : 1) << c.category.name;
    }
}

// The tab order holds every control that takes the keyboard, each in a
// place of its own (labels may hold places too); a name is a control's own
// unless the design makes an array of it; the frames and buddies named
// exist on the same form; a control lies within its form or frame,
// but for the title labels, which run past the form's edge as drawn and
// only need to show on it; no two controls that take the keyboard overlap
// in one form or frame, where one would hide the other.
TEST(Designs, TablesHoldTogether)
{
    for (const Form *form : everyForm()) {
        SCOPED_TRACE(std::string(form->name));
        std::vector<int> places;
        std::map<std::string_view, int> arrayIndex;
        std::vector<const Control *> keyed;
        for (const Control &c : form->controls) {
            SCOPED_TRACE(std::string(c.name));
            if (c.tabIndex >= 0)
                places.push_back(c.tabIndex);
            if (const auto seen = arrayIndex.find(c.name); seen != arrayIndex.end()) {
                EXPECT_TRUE(seen->second >= 0 && c.arrayIndex > seen->second) << "name repeated";
            }
            arrayIndex[c.name] = c.arrayIndex;
            const bool takesKeys = c.kind == Kind::TextBox || c.kind == Kind::ComboBox || c.kind == Kind::ListBox ||
                                   c.kind == Kind::Button || c.kind == Kind::PictureBox;
            EXPECT_TRUE(!takesKeys || c.tabIndex >= 0) << "no place in the tab order";
            for (const Control *other : keyed) {
                if (takesKeys && other->parentName == c.parentName) {
                    EXPECT_FALSE(c.left < other->left + other->width && other->left < c.left + c.width &&
                                 c.top < other->top + other->height && other->top < c.top + c.height)
                        << "lies on " << other->name << "(" << other->arrayIndex << ")";
                }
            }
            if (takesKeys)
                keyed.push_back(&c);
            if (!c.buddyName.empty()) {
                EXPECT_TRUE(named(*form, c.buddyName)) << "buddy " << c.buddyName;
            }
            int width = form->clientWidth, height = form->clientHeight;
            if (!c.parentName.empty()) {
                const Control *frame = named(*form, c.parentName);
                ASSERT_TRUE(frame && frame->kind == Kind::Frame) << "frame " << c.parentName;
                width = frame->width;
                height = frame->height;
            }
            const bool line = c.kind == Kind::Line;
            const int right = line ? std::max(c.left, c.width) : c.left + c.width;
            const int bottom = line ? std::max(c.top, c.height) : c.top + c.height;
            const bool inside = c.left >= 0 && c.top >= 0 && right <= width && bottom <= height;
            const bool shows = c.left < width && c.top < height && right > 0 && bottom > 0;
            EXPECT_TRUE(inside || (c.kind == Kind::Label && c.parentName.empty() && shows))
                << c.left << ", " << c.top << " to " << right << ", " << bottom << " in " << width << " x " << height;
        }
        std::sort(places.begin(), places.end());
        EXPECT_EQ(std::adjacent_find(places.begin(), places.end()), places.end())
            << "tab places " << ::testing::PrintToString(places);
    }
}

} // namespace
