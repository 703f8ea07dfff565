// Windows that fit a laptop: no window opens larger than the free area of
// its screen (task bars and docks left out), and each opens inside it.
#pragma once

#include <QObject>
#include <QSize>

class QApplication;
class QWidget;

namespace celvara::ui {

// The smallest screen the windows are laid out for: a 1024 × 700 laptop.
inline constexpr QSize kPantallaPortatil{1024, 700};
// Title bar and borders the window system adds around a window, when the
// window has no frame yet to measure.
inline constexpr QSize kMarcoVentana{16, 40};

// Shrinks a top-level window to its screen's free area (frame included),
// never below its minimum size, and moves it inside that area.
void encajarEnPantalla(QWidget& ventana);

// Every window of the application is fitted as it is first shown: the
// windows keep their preferred sizes for large screens.
void instalarEncajeVentanas(QApplication& aplicacion);

}  // namespace celvara::ui
