#include "shell/startupwarmer.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include <fontconfig/fontconfig.h>

namespace tolvaren {

StartupWarmer::StartupWarmer() : m_thread([this] { run(); }) {}

StartupWarmer::~StartupWarmer() { finish(); }

void StartupWarmer::continueWith(const QList<QFont> &fonts)
{
    if (m_released)
        return;
    // Fonts share their innards between copies; the thread gets fonts of
    // its own, made from their descriptions, so that nothing it does shows
    // in the main thread's fonts.
    for (const QFont &font : fonts)
        m_fonts.append(font.toString());
    m_released = true;
    m_applicationReady.count_down();
}

void StartupWarmer::finish()
{
    if (!m_released) {
        m_cancelled = true;
        m_released = true;
        m_applicationReady.count_down();
    }
    if (m_thread.joinable())
        m_thread.join();
}

void StartupWarmer::run()
{
    // Reading fontconfig's configuration files and font caches takes a few
    // milliseconds; it needs nothing from Qt, so it starts at once, beside
    // the QApplication's own start.
    FcInit();

    // Counting the latch down after writing m_fonts and m_cancelled, and
    // waiting for it here, orders those writes before these reads.
    m_applicationReady.wait();
    if (m_cancelled)
        return;

    // Qt's font database, filled from fontconfig's lists, and the fallback
    // list of every family the first window asks for (shared by all
    // threads); measuring a font goes through both, as painting will.
    QFontDatabase::families();
    for (const QString &description : std::as_const(m_fonts)) {
        QFont font;
        if (font.fromString(description))
            QFontMetrics(font).height();
    }
}

} // namespace tolvaren
