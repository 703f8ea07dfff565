// The tolerance windows, thin views over the core classes of
// traverse/tolerancias_dialogos.h: "GESTOR DE TOLERANCIAS Y ERRORES" (from
// "Tolerancias..." of the main window), "TOLERANCIAS POLIGONAL" (from
// "Tolerancias" of the traverse window) and "ERRORES y PESOS " (the
// weighting of the least-squares station).
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "fieldbook/avisos.h"
#include "fieldbook/rutas.h"
#include "traverse/tolerancias_dialogos.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace celvara::ui {

// The five work-parameter edits, the instrument edit with its button and
// the picture, shared by the two tolerance windows.
class CamposTolerancia : public QObject {
    Q_OBJECT
public:
    CamposTolerancia(QDialog* dialogo, ParametrosEnTexto& parametros, std::string& instrumento);
    QWidget* parametros() const { return parametros_; }
    QWidget* instrumento() const { return filaInstrumento_; }
    QLabel* dibujo() const { return dibujo_; }
    // Edits into the core texts (names back to Windows-1252).
    void leer();
    void mostrarInstrumento();

    // The instrument list (host of the "Instrumento" button); tests answer it.
    std::function<std::optional<std::string>()> pedirInstrumento;

private:
    ParametrosEnTexto& logica_;
    std::string& nombre_;
    std::array<QLineEdit*, 5> edits_{};
    QLineEdit* instrumento_ = nullptr;
    QWidget* parametros_ = nullptr;
    QWidget* filaInstrumento_ = nullptr;
    QLabel* dibujo_ = nullptr;
};

class DialogoGestorTolerancias : public QDialog {
    Q_OBJECT
public:
    DialogoGestorTolerancias(const CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                             Avisos& avisos, QWidget* padre = nullptr);
    CamposTolerancia& campos() { return *campos_; }
    static void abrir(QWidget* padre, const CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                      Avisos& avisos);

private:
    void leer();
    void calcular();
    void grabar();
    void estacionElegida(int indice);
    void estacionamientoElegido(int indice);
    void puntoElegido(int indice);
    void mostrarSeleccion();

    CGestorTolerancias logica_;
    CamposTolerancia* campos_ = nullptr;
    QComboBox* estacion_ = nullptr;
    QComboBox* ocupa_ = nullptr;
    QComboBox* punto_ = nullptr;
    QLineEdit *i_ = nullptr, *m_ = nullptr, *h_ = nullptr, *v_ = nullptr, *d_ = nullptr;
    std::array<QLabel*, 4> resultados_{};
};

class DialogoToleranciasPoligonal : public QDialog {
    Q_OBJECT
public:
    DialogoToleranciasPoligonal(CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                                QWidget* padre = nullptr);
    CamposTolerancia& campos() { return *campos_; }
    static void abrir(QWidget* padre, CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos);

private:
    void leer();
    void calcular();
    void grabar();

    CToleranciasPoligonal logica_;
    CamposTolerancia* campos_ = nullptr;
    QLineEdit* tramos_ = nullptr;
    QLineEdit* longitud_ = nullptr;
    std::array<QLabel*, 5> resultados_{};
};

class DialogoErroresPesos : public QDialog {
    Q_OBJECT
public:
    explicit DialogoErroresPesos(CDatosGenerales& ajustes, QWidget* padre = nullptr);
    // True on "Aceptar".
    static bool abrir(QWidget* padre, CDatosGenerales& ajustes);

private:
    void aceptar();

    CErroresPesos logica_;
    QCheckBox* conPesos_ = nullptr;
    QLineEdit* varianza_ = nullptr;
};

}  // namespace celvara::ui
