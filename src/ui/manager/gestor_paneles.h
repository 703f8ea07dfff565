// The two panes of the right-hand side that are not grids: the detail of a
// station and the header of a set-up. They only hold widgets; the main
// window fills them from the core and hands every keystroke back to it.
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabBar;

namespace celvara::ui {

class PanelEstacionQt : public QWidget {
    Q_OBJECT
public:
    explicit PanelEstacionQt(QWidget* padre = nullptr);

    QLineEdit* nombre;          // 1006, read-only
    QComboBox* tipo;            // 1086
    QLineEdit *x, *y, *z;       // 1007-1009
    QLineEdit *descripcion1, *descripcion2;  // 1010, 1011
    QPlainTextEdit* croquis;    // 1013
    QTabBar* pestanas;          // 1059
    QLabel* imagen;             // 1021
    QPushButton* elegirImagen;  // 1058
};

class CabeceraEstacionamientoQt : public QWidget {
    Q_OBJECT
public:
    explicit CabeceraEstacionamientoQt(QWidget* padre = nullptr);

    QLineEdit* nombre;          // 1002, read-only
    QLineEdit* estacion;        // 1003, read-only
    QLineEdit* altura;          // 1004
    QLineEdit* desorientacion;  // 1005
    QPushButton* datos;         // 1028
};

}  // namespace celvara::ui
