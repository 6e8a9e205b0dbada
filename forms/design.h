// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <span>
#include <string_view>

// Form designs as plain data: one line per control, positions and sizes in
// twips as drawn, so a form can be read beside its picture. The widget
// builder turns these into windows; nothing here knows about widgets.
namespace tolvaren {
struct Category;
}

namespace tolvaren::design {

struct Rgb {
    int r = -1, g = -1, b = -1;
    constexpr bool isSet() const { return r >= 0; }
};
constexpr Rgb rgb(int r, int g, int b) { return {r, g, b}; }

struct Font {
    std::string_view face; // empty: the form's default font
    double points = 0;
    bool bold = false;
    bool italic = false;
};

enum class Kind { Label, TextBox, ComboBox, ListBox, Button, Frame, PictureBox, Line };

// What a working control does for its window; the window finds it by this.
enum class Role { None, Input, From, To, Output, Convert, Clear, Prefix, PrefixCaption, Go, Close, Ok };

// What a screen reader says of a control: its name and what it is for.
struct Accessible {
    std::string_view name;
    std::string_view description;
};

// The converter forms' working controls are described alike on every form.
constexpr Accessible converterRoleText(Role role)
{
    switch (role) {
    case Role::Input: return {"Input value", "The number to convert"};
    case Role::From: return {"Convert from unit", "The unit the input value is in; pick one or type it"};
    case Role::To: return {"Convert to unit", "The unit to convert to; pick one or type it"};
    case Role::Output: return {"Result", "The converted value"};
    case Role::Convert: return {"", "Convert the input value to the chosen unit"};
    case Role::Clear: return {"", "Clear the form and the conversion memory"};
    default: return {};
    }
}

struct Control {
    std::string_view name;
    // Controls that share a name form an array, each with its own index;
    // -1 for a control whose name is its own.
    int arrayIndex = -1;
    Kind kind = Kind::Label;
    std::string_view text;
    // Twips from the top-left corner of the form or of the parent frame. A
    // line runs from (left, top) to (width, height) read as x2, y2.
    int left = 0, top = 0, width = 0, height = 0;
    int tabIndex = -1; // -1: not in the tab order
    std::string_view parentName;
    Rgb foreColour;
    Rgb backColour;
    Font fontDesign;
    bool transparentBack = false;
    bool wordWrapped = false;
    bool isDefault = false;
    Role role = Role::None;
    int lineWidthPx = 1;
    std::span<const std::string_view> listItems;
    std::string_view pictureResource;        // a Qt resource path, ":/..."
    const Category *opensCategory = nullptr; // a category button: the type it opens
    std::string_view buddyName;              // a label: the control it describes
    Accessible accessible;                   // read out by screen readers

    // One-line builders, so a table row reads left to right.
    // clang-format off
    constexpr Control in(std::string_view frame) const { auto c = *this; c.parentName = frame; return c; }
    constexpr Control element(int index) const { auto c = *this; c.arrayIndex = index; return c; }
    constexpr Control fore(Rgb v) const { auto c = *this; c.foreColour = v; return c; }
    constexpr Control back(Rgb v) const { auto c = *this; c.backColour = v; return c; }
    constexpr Control font(std::string_view face, double pt, bool bold = false, bool italic = false) const
    {
        auto c = *this;
        c.fontDesign = {face, pt, bold, italic};
        return c;
    }
    constexpr Control transparent() const { auto c = *this; c.transparentBack = true; return c; }
    constexpr Control wrap() const { auto c = *this; c.wordWrapped = true; return c; }
    constexpr Control defaultButton() const { auto c = *this; c.isDefault = true; return c; }
    constexpr Control lineWidth(int px) const { auto c = *this; c.lineWidthPx = px; return c; }
    constexpr Control items(std::span<const std::string_view> v) const { auto c = *this; c.listItems = v; return c; }
    constexpr Control picture(std::string_view res) const { auto c = *this; c.pictureResource = res; return c; }
    constexpr Control opens(const Category &category) const { auto c = *this; c.opensCategory = &category; return c; }
    constexpr Control buddy(std::string_view control) const { auto c = *this; c.buddyName = control; return c; }
    constexpr Control describe(std::string_view text) const { auto c = *this; c.accessible.description = text; return c; }
    constexpr Control named(std::string_view name, std::string_view text) const
    {
        auto c = *this;
        c.accessible = {name, text};
        return c;
    }
    // clang-format on

    // A converter form's working control, described as on every converter form.
    constexpr Control as(Role r) const
    {
        auto c = *this;
        c.role = r;
        if (c.accessible.name.empty() && c.accessible.description.empty())
            c.accessible = converterRoleText(r);
        return c;
    }
};

constexpr Control control(std::string_view name, Kind kind, std::string_view text, int left, int top, int width,
                          int height, int tabIndex = -1)
{
    Control c;
    c.name = name;
    c.kind = kind;
    c.text = text;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.tabIndex = tabIndex;
    return c;
}

// A background in one of the desktop's own colours rather than a fixed one.
enum class SystemColour { None, AppWorkspace, Menu };

// A window's icon: one picture in two images, 32 x 32 and 16 x 16 pixels.
struct Icon {
    std::string_view large{}, small{};
};

// The frame of a modal window; the forms inside the main window take theirs
// from it.
enum class Border {
    FixedDialog, // a modal top-level dialog with a close box only
    FixedWindow, // a modal top-level window of fixed size
};

struct Form {
    std::string_view name;
    std::string_view caption;
    int clientWidth = 0, clientHeight = 0; // twips
    Border border = Border::FixedDialog;
    Rgb backColour{};
    SystemColour backSystem = SystemColour::None;
    std::string_view backgroundPicture{}; // drawn from the top-left corner
    Icon icon{};
    Font defaultFont{"MS Sans Serif", 8.25};
    std::span<const Control> controls{};
};

// A menu or a menu item: its design name and its caption ("-" for a
// separator line).
struct MenuItem {
    std::string_view name;
    std::string_view caption;
};

// The main window's menus, in the order they are shown. The main window
// gives each command its slot.
struct MainMenus {
    MenuItem file, prefixConverter, fileLine1, refreshMemory, originalSize, fileLine2, exit;
    MenuItem help, helpTopics, about;
};

} // namespace tolvaren::design
