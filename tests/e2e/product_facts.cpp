// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Prints the facts of the product that the end-to-end suites check the
// real program against, from the designs themselves, so that the suites
// hold no copy of them: the version, the main window's caption and its
// outer size in pixels, and each converter form's caption.
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
}
