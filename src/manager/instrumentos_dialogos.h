// What the instrument windows hold and do, without a screen: the list
// "LISTADO DE ESTACIONES" (picks an instrument by name) and the editor
// "CARACTERISTICAS DE LAS ESTACIONES TOTALES". The Qt views fill their
// widgets from these classes and call one method per button. Every text they
// hand over is Windows-1252, as in the record; messages go through Avisos.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "datos/instrumentos.h"
#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/rutas.h"

namespace celvara {

inline constexpr const char* kMensajeBaseInstrumentosDanada =
    "La Base de Datos de Instrumentos no Existe o esta Dañada";

// "LISTADO DE ESTACIONES".
class ListadoInstrumentos {
public:
    ListadoInstrumentos(const CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos);

    // Loads the library; on failure tells so and shows an empty list.
    void abrir();

    const std::vector<std::string>& nombres() const { return nombres_; }
    int seleccion() const { return seleccion_; }
    void elegir(int indice);
    // The "CARACTERISTICAS" lines of the selected instrument (none without one).
    std::vector<std::string> descripcion() const;

    // "Editor...": the list is let go while the editor owns the file, then
    // loaded again with its first entry selected.
    void antesDelEditor();
    void despuesDelEditor();

    // OK: the selected name, nothing when no entry is selected.
    std::optional<std::string> aceptar() const;

    const ListaInstrumentos& instrumentos() const { return lista_; }

private:
    void cargar();

    const CDatosGenerales& ajustes_;
    const MapaRutas& mapa_;
    Avisos& avisos_;
    ListaInstrumentos lista_;
    std::vector<std::string> nombres_;
    int seleccion_ = -1;
};

// The edit controls of the editor as the user sees them.
struct CamposInstrumento {
    std::string numero;               // 1032, read-only
    std::string marca;                // 1020
    std::string aumentos;             // 1021
    std::string errorH;               // 1033
    std::string errorV;               // 1034
    std::string alcance1Prisma;       // 1022
    std::string alcance3Prismas;      // 1023
    std::string precisionDistancia;   // 1024
    std::string ppm;                  // 1025
    std::string excentricidad;        // 1035
    std::string lecturaAngular;       // 1026
    std::string precisionH;           // 1027
    std::string precisionV;           // 1028
    std::string nivelEsferico;        // 1030
    std::string nivelTorico;          // 1029 "Compensa. Vertical:"
    std::string ejesCompensador;      // 1031
    std::string ficheroFoto;          // 1080

    friend bool operator==(const CamposInstrumento&, const CamposInstrumento&) = default;
};

// Shows a record: integers with "%d", reals with "%f".
CamposInstrumento camposDeInstrumento(const Instrumento& instrumento);
// Reads the controls back (decimal commas accepted, unreadable text is 0).
Instrumento instrumentoDeCampos(const CamposInstrumento& campos, std::string_view nombre);

// "CARACTERISTICAS DE LAS ESTACIONES TOTALES". Nothing reaches the file until
// "SALIR". The name list 1019 holds the library's names in order, followed by
// the name of a pending new instrument while there is one.
class EditorInstrumentos {
public:
    EditorInstrumentos(const CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos);

    // Loads the library (failure: message and an empty list). A file ending
    // in a broken record is told about, since "SALIR" will not keep it.
    void abrir();

    const std::vector<std::string>& nombres() const { return nombres_; }
    int seleccion() const { return seleccion_; }
    CamposInstrumento& campos() { return campos_; }
    const CamposInstrumento& campos() const { return campos_; }
    const std::optional<std::string>& pendiente() const { return pendiente_; }

    // Selecting a name shows its record (a pending name shows empty fields).
    void elegir(int indice);
    // Windows path of the picture to show: 1080, or the default photograph.
    std::string fotoMostrada() const;

    // "AÑADIR", given what the name dialog returned: a non-empty name clears
    // the fields, is listed and selected, and becomes the pending instrument
    // (replacing an earlier pending one that was never recorded).
    void anadir(const std::optional<std::string>& nombre);
    // "GRABAR": the pending instrument is appended with the fields' values,
    // or else the selected one takes them. False when there was neither.
    bool grabar();
    // "BORRAR": removes every instrument named as the selected entry.
    void borrar();
    // Photograph button: the chosen Windows path, or the default photograph
    // when the file dialog was cancelled.
    void elegirFoto(const std::optional<std::string>& rutaWindows);
    // "SALIR" and closing the window: writes the library. True when the
    // editor may close; on failure a stop box is shown and everything stays
    // in memory, so a second "SALIR" writes the same instruments again.
    bool salir();

    const ListaInstrumentos& instrumentos() const { return lista_; }

private:
    void rellenarNombres();
    bool esPendiente(int indice) const;

    const CDatosGenerales& ajustes_;
    const MapaRutas& mapa_;
    Avisos& avisos_;
    ListaInstrumentos lista_;
    std::vector<std::string> nombres_;
    int seleccion_ = -1;
    CamposInstrumento campos_;
    std::optional<std::string> pendiente_;
    // A library that exists but could not be read is not overwritten with an
    // empty one unless the user changed something.
    bool cargaFallida_ = false;
    bool cambiado_ = false;
};

}  // namespace celvara
