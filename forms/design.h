#pragma once

#include <span>
#include <string_view>

// Form designs as plain data: one line per control, positions and sizes in
// twips as drawn, so a form can be read beside its picture. The widget
// builder turns these into windows; nothing here knows about widgets.
namespace tolvaren::design {

struct Rgb {
    int r = -1, g = -1, b = -1;
    constexpr bool isSet() const { return r >= 0; }
    friend constexpr bool operator==(Rgb, Rgb) = default;
};
constexpr Rgb rgb(int r, int g, int b) { return {r, g, b}; }

struct Font {
    std::string_view face;  // empty: the form's default font
    double points = 0;
    bool bold = false;
    bool italic = false;
};

enum class Kind { Label, TextBox, ComboBox, ListBox, Button, Frame, PictureBox, Line };

struct Control {
    std::string_view name;
    Kind kind = Kind::Label;
    std::string_view text;
    // Twips from the top-left corner of the form or of the parent frame. A
    // line runs from (left, top) to (width, height) read as x2, y2.
    int left = 0, top = 0, width = 0, height = 0;
    int tabIndex = -1;  // -1: not in the tab order
    std::string_view parentName;
    Rgb foreColour;
    Rgb backColour;
    Font fontDesign;
    bool transparentBack = false;
    bool wordWrapped = false;
    bool isDefault = false;
    bool isCancel = false;
    int lineWidthPx = 1;
    std::span<const std::string_view> listItems;
    std::string_view pictureResource;  // a Qt resource path, ":/..."
    std::string_view opensForm;        // a category button: the form it opens
    std::string_view buddyName;        // a label: the control it describes
    std::string_view accessibleText;   // what the control is for, read out by screen readers

    // One-line builders, so a table row reads left to right.
    constexpr Control in(std::string_view frame) const { auto c = *this; c.parentName = frame; return c; }
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
    constexpr Control cancelButton() const { auto c = *this; c.isCancel = true; return c; }
    constexpr Control lineWidth(int px) const { auto c = *this; c.lineWidthPx = px; return c; }
    constexpr Control items(std::span<const std::string_view> v) const { auto c = *this; c.listItems = v; return c; }
    constexpr Control picture(std::string_view res) const { auto c = *this; c.pictureResource = res; return c; }
    constexpr Control opens(std::string_view form) const { auto c = *this; c.opensForm = form; return c; }
    constexpr Control buddy(std::string_view control) const { auto c = *this; c.buddyName = control; return c; }
    constexpr Control describe(std::string_view text) const { auto c = *this; c.accessibleText = text; return c; }
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

enum class Border {
    MdiChild,       // inside the main window, no buttons of its own
    FixedDialog,    // a modal top-level dialog with a close box only
    FixedWindow,    // a modal top-level window of fixed size
};

struct Form {
    std::string_view name;
    std::string_view caption;
    int clientWidth = 0, clientHeight = 0;  // twips
    Border border = Border::MdiChild;
    Rgb backColour{};
    SystemColour backSystem = SystemColour::None;
    std::string_view backgroundPicture{};  // drawn from the top-left corner
    Icon icon{};
    Font defaultFont{"MS Sans Serif", 8.25};
    std::span<const Control> controls{};
};

// The design of the form with this name, or nullptr.
const Form *form(std::string_view name);

// Menus of the main window, in order; a caption "-" is a separator.
struct MenuItem {
    std::string_view menuName;
    std::string_view menuCaption;
    std::string_view name;
    std::string_view caption;
};
std::span<const MenuItem> mainMenu();

} // namespace tolvaren::design
