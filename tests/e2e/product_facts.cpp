// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Prints the facts of the product that the end-to-end suites check the
// real program against, from the designs themselves, so that the suites
// hold no copy of them: the version, the main window's caption and its
// outer size in pixels, each converter form's caption, and of each form
// (by caption) its units in list order, its picture's description and the
// captions of the buttons that open it from the welcome form and from the
// other converter forms; and the unit lists' and the output box's
// placeholders.
#include "categories/category.h"
#include "core/placeholders.h"
#include "forms/converters.h"
#include "forms/designs.h"
#include "forms/twips.h"

#include <cstdio>
#include <string>

int main()
{
    using namespace tolvaren::design;
    std::printf("version=%s\n", TOLVAREN_VERSION);
    std::printf("caption=%s\n", kMainCaption);
    std::printf("outer=%dx%d\n", tolvaren::twipsToPixels(mainOuterSize().width),
                tolvaren::twipsToPixels(mainOuterSize().height));
    std::string captions;
    for (const Converter &c : converters())
        captions += (captions.empty() ? "" : "|") + std::string(c.form.caption);
    std::printf("converters=%s\n", captions.c_str());
    std::printf("placeholders=%s|%s|%s\n", std::string(tolvaren::kFromPlaceholder).c_str(),
                std::string(tolvaren::kToPlaceholder).c_str(), std::string(tolvaren::kOutputPlaceholder).c_str());
    for (const Converter &c : converters()) {
        const std::string form(c.form.caption);
        std::string units;
        for (std::string_view unit : c.category.units)
            units += (units.empty() ? "" : "|") + std::string(unit);
        std::printf("%s.units=%s\n", form.c_str(), units.c_str());
        for (const Control &control : c.form.controls)
            if (control.kind == Kind::PictureBox)
                std::printf("%s.picture=%s\n", form.c_str(), std::string(control.accessible.description).c_str());
        for (const Control &button : welcomeForm().controls)
            if (button.opensCategory == &c.category)
                std::printf("%s.welcome=%s\n", form.c_str(), std::string(button.text).c_str());
        // The button that opens it on the first other converter form.
        for (const Converter &other : converters()) {
            if (&other == &c)
                continue;
            for (const Control &button : other.form.controls)
                if (button.opensCategory == &c.category)
                    std::printf("%s.button=%s\n", form.c_str(), std::string(button.text).c_str());
            break;
        }
    }
    for (const Control &control : welcomeForm().controls)
        if (control.kind == Kind::PictureBox)
            std::printf("%s.picture=%s\n", std::string(welcomeForm().caption).c_str(),
                        std::string(control.accessible.description).c_str());
}
