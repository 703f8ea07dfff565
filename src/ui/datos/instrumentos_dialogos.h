// The instrument windows, thin views over ListadoInstrumentos and
// EditorInstrumentos: "LISTADO DE ESTACIONES" (picks an instrument by name),
// "CARACTERISTICAS DE LAS ESTACIONES TOTALES" (edits the library) and
// "NOMBRE DEL INSTRUMENTO" (asks the name of a new one).
//
// Entry points for the main window and the windows that pick an instrument:
//   abrirListadoInstrumentos(padre, ajustes, mapa, &nombre)  -> true on OK
//   abrirEditorInstrumentos(padre, ajustes, mapa)
// The chosen name is Windows-1252, ready for DatosComplementarios::instrumento.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/rutas.h"
#include "manager/instrumentos_dialogos.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QCloseEvent;

namespace celvara::ui {

// "NOMBRE DEL INSTRUMENTO": one edit; the typed text on OK.
class DialogoNombreInstrumento : public QDialog {
    Q_OBJECT
public:
    explicit DialogoNombreInstrumento(QWidget* padre = nullptr);
    QString nombre() const;
    static std::optional<QString> pedir(QWidget* padre);

private:
    QLineEdit* nombre_ = nullptr;
};

// "CARACTERISTICAS DE LAS ESTACIONES TOTALES". Closing the window is "SALIR":
// it writes the library and stays open when that fails.
class DialogoEditorInstrumentos : public QDialog {
    Q_OBJECT
public:
    DialogoEditorInstrumentos(const CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                              QWidget* padre = nullptr);

    // The name dialog of "AÑADIR" and the file dialog of the photograph
    // button (a host path); tests put their own answers here.
    std::function<std::optional<QString>()> pedirNombre;
    std::function<std::optional<QString>()> pedirFoto;

    const EditorInstrumentos& logica() const { return logica_; }
    // Shows the instrument at that place of the library (the one chosen in the list).
    void elegirInicial(int indice);

    void anadir();
    void grabar();
    void borrar();
    void elegirFoto();
    void salir();

protected:
    void closeEvent(QCloseEvent* evento) override;
    void reject() override;

private:
    void mostrarNombres();
    void mostrarCampos();
    void leerCampos();
    void mostrarFoto();
    void elegir(int indice);

    EditorInstrumentos logica_;
    const MapaRutas& mapa_;
    bool cerrando_ = false;
    QComboBox* nombres_ = nullptr;
    std::array<QLineEdit*, 17> edits_{};
    QLabel* foto_ = nullptr;
};

// "LISTADO DE ESTACIONES".
class DialogoListadoInstrumentos : public QDialog {
    Q_OBJECT
public:
    DialogoListadoInstrumentos(const CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                               QWidget* padre = nullptr);

    // Runs the editor between letting the list go and loading it again;
    // tests replace it.
    std::function<void()> ejecutarEditor;
    // The row selected when "Editor..." was pressed: the editor opens on it.
    int filaAlEditor() const { return filaAlEditor_; }

    // The name handed back by OK (Windows-1252).
    std::optional<std::string> nombreElegido() const { return elegido_; }
    const ListadoInstrumentos& logica() const { return logica_; }

    void editor();
    void aceptar();

private:
    void mostrarNombres();
    void mostrarDescripcion();

    ListadoInstrumentos logica_;
    std::optional<std::string> elegido_;
    int filaAlEditor_ = -1;
    QListWidget* nombres_ = nullptr;
    std::array<QLabel*, 12> lineas_{};
};

// Opens the list modally; on OK with a selected instrument stores its name
// (when `nombreElegido` is given) and returns true.
bool abrirListadoInstrumentos(QWidget* padre, const CDatosGenerales& ajustes, const MapaRutas& mapa,
                              std::string* nombreElegido);
// Opens the editor modally.
void abrirEditorInstrumentos(QWidget* padre, const CDatosGenerales& ajustes, const MapaRutas& mapa);

}  // namespace celvara::ui
