#pragma once

#include <QFont>
#include <QList>
#include <QStringList>

#include <latch>
#include <thread>

namespace tolvaren {

// Gets the font system ready on a second thread while the main thread
// connects to the display and builds the first window, so that the main
// thread finds the work done instead of doing it before anything shows.
//
// What it does is all kept process-wide: fontconfig's configuration and
// font lists, Qt's font database and its font fallback lists. Results a
// thread keeps for itself (font engines, open font files) are dropped when
// it ends. Nothing it does changes what the program shows.
//
//   StartupWarmer warmer;                 // before the QApplication
//   QApplication app(argc, argv);
//   ... a guard that calls warmer.finish() before the QApplication goes
//   warmer.continueWith(fonts);           // the fonts the first window uses
class StartupWarmer {
  public:
    StartupWarmer();
    ~StartupWarmer();
    StartupWarmer(const StartupWarmer &) = delete;
    StartupWarmer &operator=(const StartupWarmer &) = delete;

    // Once the QApplication exists: fill Qt's font database and look up
    // `fonts` the way painting will. Call once, after the font
    // substitutions are installed: Qt does not guard their table against
    // a thread reading it while another changes it.
    void continueWith(const QList<QFont> &fonts);

    // Waits for the thread. Also what the destructor does; without
    // continueWith the thread stops after its first part.
    void finish();

  private:
    void run();

    std::latch m_applicationReady{1};
    bool m_released = false;
    bool m_cancelled = false;
    QStringList m_fonts;  // as QFont::toString(): the thread makes its own
    std::thread m_thread;
};

} // namespace tolvaren
