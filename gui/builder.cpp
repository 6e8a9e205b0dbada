// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/builder.h"

#include "categories/category.h"
#include "forms/converters.h"
#include "forms/designs.h"
#include "forms/twips.h"
#include "gui/qtext.h"
#include "gui/workarounds/workarounds.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace tolvaren {

namespace {

using design::Control;
using design::Kind;

// Text boxes take text of any length; Qt's default stops at 32,767
// characters, which cuts a long pasted number short.
constexpr int kAnyLength = std::numeric_limits<int>::max();

QColor toColour(design::Rgb c) { return QColor(c.r, c.g, c.b); }

QRect twipsRect(const Control &c)
{
    return {twipsToPixels(c.left), twipsToPixels(c.top), twipsToPixels(c.width), twipsToPixels(c.height)};
}

// Every picture is a PNG, which Qt reads itself: told so, with guessing
// off, the reader goes straight to its PNG reader instead of first asking
// every image format plugin whether it reads the file too. Anything else
// comes out empty, and says so.
QImage readPicture(const QString &resource)
{
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull())
        qWarning("Cannot read picture %s: %s", reader.fileName().toLocal8Bit().constData(),
                 reader.errorString().toLocal8Bit().constData());
    return image;
}

// The picture as sharp as the text beside it on a screen of `ratio` device
// pixels a pixel: above 1 it is read from NAME@2x.png, drawn at twice
// the size (Qt looks for that name only for icons), and scaled to the
// screen's own ratio where that is not 2.
QImage readPicture(std::string_view resource, qreal ratio)
{
    if (ratio <= 1)
        return readPicture(qstr(resource));
    QString large = qstr(resource);
    large.insert(large.lastIndexOf(u'.'), QStringLiteral("@2x"));
    QImage image = readPicture(large);
    if (!qFuzzyCompare(ratio, 2.0))
        image = smoothlyScaled(image, (image.size().toSizeF() / 2.0 * ratio).toSize());
    image.setDevicePixelRatio(ratio);
    return image;
}

QFont toFont(const design::Font &f)
{
    QFont font(qstr(f.face));
    font.setPointSizeF(f.points);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    // Heavy faces named "... Black" keep their weight on the stand-in.
    if (f.face.ends_with(" Black"))
        font.setWeight(QFont::Black);
    return font;
}

// A straight line between two designed points, drawn in its own thin widget.
class LineWidget : public QWidget {
  public:
    LineWidget(const Control &c, QWidget *parent) : QWidget(parent), m_colour(toColour(c.foreColour))
    {
        const QPoint a(twipsToPixels(c.left), twipsToPixels(c.top));
        const QPoint b(twipsToPixels(c.width), twipsToPixels(c.height));
        m_width = c.lineWidthPx;
        const QRect box = QRect(a, b).normalized().adjusted(0, 0, m_width, m_width);
        setGeometry(box);
        m_from = a - box.topLeft();
        m_to = b - box.topLeft();
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        // A drawing, nothing a reader stops at.
        leaveOutForReaders(this);
    }

  protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(QPen(m_colour, m_width, Qt::SolidLine, Qt::FlatCap));
        // A wide line grows down (or right) from its designed row, as the
        // forms were drawn: a 2-pixel white line under a 1-pixel grey one
        // on the same row shows its lower half, and the two make an etched
        // groove. A pen centred on the row would lose that half above the
        // widget.
        const int shift = m_width / 2;
        const QPoint offset(m_from.x() == m_to.x() ? shift : 0, m_from.y() == m_to.y() ? shift : 0);
        p.drawLine(m_from + offset, m_to + offset);
    }

  private:
    QColor m_colour;
    int m_width = 1;
    QPoint m_from, m_to;
};

// The colours of a light desktop, which the forms were designed on, as
// Qt's light default palette has them: a designed text colour was chosen
// against these, and a text of no designed colour on a designed background
// was black.
const QColor kClassicText(0, 0, 0);
const QColor kClassicFace(0xef, 0xef, 0xef); // windows, frames and buttons
const QColor kClassicBox(0xff, 0xff, 0xff);  // text boxes and lists

bool showsText(const Control &c) { return c.kind != Kind::Line && c.kind != Kind::PictureBox; }

// Labels and frames paint no background of their own unless designed with
// one: their text is drawn on whatever lies behind them.
bool showsWhatIsBehind(const Control &c)
{
    return (c.kind == Kind::Label || c.kind == Kind::Frame) && (!c.backColour.isSet() || c.transparentBack);
}

// Each kind takes its colours in the roles it paints with, so that a
// frame's colours do not spill onto the buttons inside it. Colours come in
// pairs: a designed text colour is drawn on a designed background (the
// control's own, or the classic one where the design names none), and on
// a designed background a text of no designed colour is classic black. A
// control the design gives no colour on a background of the desktop's
// follows the desktop's scheme. `designedBehind`: what shows behind the
// control (its form or frame) is of a designed colour or picture.
void applyColours(const Control &c, QWidget *w, bool designedBehind)
{
    QPalette::ColorRole backRole = QPalette::Window;
    QPalette::ColorRole foreRole = QPalette::WindowText;
    switch (c.kind) {
    case Kind::TextBox:
    case Kind::ComboBox:
    case Kind::ListBox:
        backRole = QPalette::Base;
        foreRole = QPalette::Text;
        break;
    case Kind::Button:
        backRole = QPalette::Button;
        foreRole = QPalette::ButtonText;
        break;
    default: break;
    }
    const bool behind = showsWhatIsBehind(c);
    QPalette pal = w->palette();
    if (c.backColour.isSet()) {
        pal.setColor(backRole, toColour(c.backColour));
        w->setAutoFillBackground(backRole == QPalette::Window && !c.transparentBack);
    } else if (c.foreColour.isSet() && !behind) {
        pal.setColor(backRole, backRole == QPalette::Base ? kClassicBox : kClassicFace);
    }
    if (c.foreColour.isSet())
        pal.setColor(foreRole, toColour(c.foreColour));
    else if (showsText(c) && (behind ? designedBehind : c.backColour.isSet()))
        pal.setColor(foreRole, kClassicText);
    w->setPalette(pal);
}

// What a screen reader says of a control: the designed name and purpose.
// A picture is called by what it shows; a category button says which
// converter it opens.
void describe(const Control &c, QWidget *w)
{
    if (!c.accessible.name.empty())
        w->setAccessibleName(qstr(c.accessible.name));
    if (c.kind == Kind::PictureBox && c.accessible.name.empty())
        w->setAccessibleName(qstr(c.accessible.description));
    else if (!c.accessible.description.empty())
        w->setAccessibleDescription(qstr(c.accessible.description));
    if (c.opensCategory)
        if (const design::Form *target = design::converterForm(*c.opensCategory))
            w->setAccessibleDescription(QStringLiteral("Open the %1 converter").arg(qstr(target->caption).toLower()));
}

QWidget *makeControl(const Control &c, QWidget *parent)
{
    const QString text = qstr(c.text);
    switch (c.kind) {
    case Kind::Label: {
        auto *label = new QLabel(text, parent);
        label->setWordWrap(c.wordWrapped);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case Kind::TextBox: {
        auto *edit = new QLineEdit(text, parent);
        edit->setMaxLength(kAnyLength);
        edit->setCursorPosition(0);
        return edit;
    }
    case Kind::ComboBox: {
        auto *combo = new QComboBox(parent);
        combo->setEditable(true);
        // Typed text stays exactly as typed: no completion, nothing added
        // to the list, and the items keep their designed order.
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setDuplicatesEnabled(true);
        combo->lineEdit()->setMaxLength(kAnyLength);
        for (std::string_view item : c.listItems)
            combo->addItem(qstr(item));
        combo->setCurrentIndex(-1);
        combo->setEditText(text);
        return combo;
    }
    case Kind::ListBox: {
        auto *list = new QListWidget(parent);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        for (std::string_view item : c.listItems)
            list->addItem(qstr(item));
        // No current item either: Qt would make the first one current,
        // unsaid and unselected, when the list takes the focus, and Down
        // would then pick the second.
        list->setCurrentIndex(QModelIndex());
        return list;
    }
    case Kind::Button: {
        auto *button = new QPushButton(text, parent);
        button->setAutoDefault(c.isDefault);
        button->setDefault(c.isDefault);
        return button;
    }
    case Kind::Frame: return new QGroupBox(text, parent);
    case Kind::PictureBox: {
        auto *picture = new QLabel(parent);
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return picture;
    }
    case Kind::Line: return new LineWidget(c, parent);
    }
    return new QWidget(parent);
}

} // namespace

BuiltForm buildForm(const design::Form &form, QWidget *target)
{
    BuiltForm built;
    target->setWindowTitle(qstr(form.caption));
    target->resize(twipsToPixels(form.clientWidth), twipsToPixels(form.clientHeight));
    QFont defaultFont = toFont(form.defaultFont);
    target->setFont(defaultFont);
    // A form of no designed colour or picture behind a designed text colour
    // takes the classic background that colour was chosen against.
    const bool designedBack = form.backColour.isSet() || !form.backgroundPicture.empty();
    const bool classicBack = !designedBack && std::ranges::any_of(form.controls, [](const Control &c) {
        return c.parentName.empty() && showsWhatIsBehind(c) && c.foreColour.isSet();
    });
    if (form.backColour.isSet() || form.backSystem != design::SystemColour::None || classicBack) {
        QPalette pal = target->palette();
        pal.setColor(QPalette::Window, form.backColour.isSet() ? toColour(form.backColour)
                                       : classicBack           ? kClassicFace
                                                               : systemColour(form.backSystem));
        target->setPalette(pal);
        target->setAutoFillBackground(true);
    }
    // Whether a control shows a designed colour or picture behind it: its
    // frame's background, or else the form's.
    const auto designedBehind = [&](const Control &c) {
        for (const Control &frame : form.controls)
            if (!c.parentName.empty() && frame.name == c.parentName && !showsWhatIsBehind(frame))
                return true;
        return designedBack || classicBack;
    };
    if (!form.icon.large.empty())
        target->setWindowIcon(loadIcon(form.icon));

    // Frames first: their members are placed inside them.
    std::vector<const Control *> order;
    for (const Control &c : form.controls)
        order.push_back(&c);
    std::stable_sort(order.begin(), order.end(), [](const Control *a, const Control *b) {
        return (a->kind == Kind::Frame) > (b->kind == Kind::Frame);
    });

    // A design the builder cannot follow is a mistake in its table: the
    // program stops at once rather than show a form other than designed.
    const auto refuse = [&form](const Control &c, const char *fault, std::string_view other) {
        qFatal("Form %s: control %s %s %s", qPrintable(qstr(form.name)), qPrintable(qstr(c.name)), fault,
               qPrintable(qstr(other)));
    };
    QHash<QString, QWidget *> byName;
    QHash<QString, int> arrayIndex;
    std::vector<std::pair<int, QWidget *>> focusable;
    std::vector<QWidget *> graphical;
    for (const Control *c : order) {
        QWidget *parent = target;
        if (!c->parentName.empty()) {
            QWidget *frame = byName.value(qstr(c->parentName));
            if (!qobject_cast<QGroupBox *>(frame))
                refuse(*c, "sits in a frame the form does not have:", c->parentName);
            parent = frame;
        }
        const QString name = qstr(c->name);
        if (byName.contains(name) &&
            (c->arrayIndex < 0 || arrayIndex.value(name, -1) < 0 || arrayIndex.value(name) >= c->arrayIndex))
            refuse(*c, "repeats a name without a new array index:", c->name);
        arrayIndex.insert(name, c->arrayIndex);
        QWidget *w = makeControl(*c, parent);
        w->setObjectName(qstr(c->name));
        if (c->kind != Kind::Line)
            w->setGeometry(twipsRect(*c));
        if (!c->fontDesign.face.empty())
            w->setFont(toFont(c->fontDesign));
        applyColours(*c, w, designedBehind(*c));
        describe(*c, w);
        if (c->kind == Kind::Label || c->kind == Kind::Line)
            graphical.push_back(w);
        if (!byName.contains(name))
            byName.insert(name, w);
        if (c->role != design::Role::None) {
            if (QWidget *other = built.m_roles.value(c->role))
                refuse(*c, "plays a role another control plays already:", other->objectName().toStdString());
            built.m_roles.insert(c->role, w);
        }
        if (c->opensCategory) {
            auto *button = qobject_cast<QAbstractButton *>(w);
            if (!button)
                refuse(*c, "opens a type but is no button:", c->opensCategory->name);
            if (!design::converterForm(*c->opensCategory))
                refuse(*c, "opens a type that has no converter form:", c->opensCategory->name);
            built.m_categoryButtons.append({button, c->opensCategory});
        }
        if (c->kind == Kind::PictureBox && !c->pictureResource.empty())
            built.m_pictures.append({static_cast<QLabel *>(w), c->pictureResource});

        const bool takesFocus = c->kind == Kind::TextBox || c->kind == Kind::ComboBox || c->kind == Kind::ListBox ||
                                c->kind == Kind::Button || c->kind == Kind::PictureBox;
        if (takesFocus && c->tabIndex >= 0) {
            w->setFocusPolicy(c->kind == Kind::PictureBox ? Qt::TabFocus : Qt::StrongFocus);
            focusable.emplace_back(c->tabIndex, w);
        } else if (c->kind != Kind::Frame) {
            w->setFocusPolicy(Qt::NoFocus);
        }
    }

    // A label that names a control is its buddy, so screen readers read it
    // with that control.
    for (const Control &c : form.controls) {
        if (c.buddyName.empty())
            continue;
        auto *label = qobject_cast<QLabel *>(byName.value(qstr(c.name)));
        QWidget *buddy = byName.value(qstr(c.buddyName));
        if (!label || !buddy)
            refuse(c, "names a buddy the form does not have:", c.buddyName);
        label->setBuddy(buddy);
    }

    // Labels and lines are drawn on the form itself, beneath every control
    // that has a window of its own: a picture box covers a title label.
    for (auto it = graphical.crbegin(); it != graphical.crend(); ++it)
        (*it)->lower();

    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &[index, w] : focusable)
        built.m_tabOrder.push_back(w);
    for (qsizetype i = 1; i < built.m_tabOrder.size(); ++i)
        QWidget::setTabOrder(built.m_tabOrder[i - 1], built.m_tabOrder[i]);
    built.drawPictures(target->devicePixelRatioF());
    return built;
}

void BuiltForm::giveInitialFocus()
{
    if (m_focusGiven)
        return;
    m_focusGiven = true;
    if (QWidget *first = firstInTabOrder())
        first->setFocus(Qt::OtherFocusReason);
}

bool BuiltForm::moveFocus(bool forward) const
{
    QWidget *focus = QApplication::focusWidget();
    // An editable list's edit field holds the focus for the list.
    if (focus && !m_tabOrder.contains(focus) && qobject_cast<QComboBox *>(focus->parentWidget()))
        focus = focus->parentWidget();
    const qsizetype here = m_tabOrder.indexOf(focus);
    if (here < 0)
        return false;
    const qsizetype count = m_tabOrder.size();
    for (qsizetype step = 1; step <= count; ++step) {
        QWidget *next = m_tabOrder[(here + (forward ? step : count - step)) % count];
        if (next->isVisible() && next->isEnabled()) {
            next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void BuiltForm::drawPictures(qreal ratio) const
{
    for (const Picture &p : m_pictures)
        p.box->setPixmap(loadPicture(p.resource, ratio));
}

QPixmap loadPicture(std::string_view resource, qreal ratio) { return QPixmap::fromImage(readPicture(resource, ratio)); }

QIcon loadIcon(const design::Icon &icon)
{
    QIcon result;
    for (std::string_view image : {icon.large, icon.small})
        if (!image.empty())
            result.addPixmap(loadPicture(image));
    return result;
}

QColor systemColour(design::SystemColour colour)
{
    switch (colour) {
    // The palette Qt gives menus: a desktop theme sets it apart from the
    // windows' own.
    case design::SystemColour::Menu: return QApplication::palette("QMenu").color(QPalette::Window);
    // What Qt's MDI area paints behind its child windows by default.
    case design::SystemColour::AppWorkspace: return QApplication::palette("QMdiArea").color(QPalette::Dark);
    case design::SystemColour::None: break;
    }
    return QApplication::palette().color(QPalette::Window);
}

QImage backgroundPicture(const design::Form &form, qreal ratio)
{
    // Kept as read: the backgrounds are stored with 256 colours, one byte a
    // pixel, and drawn straight from that. A quarter of the memory of a
    // pixmap, for about 0.3 ms more on a repaint of the whole form (clipped
    // repaints cost next to nothing). Only at a ratio other than 1 or 2 is
    // the picture scaled, and kept in full colour.
    return form.backgroundPicture.empty() ? QImage() : readPicture(form.backgroundPicture, ratio);
}

} // namespace tolvaren
