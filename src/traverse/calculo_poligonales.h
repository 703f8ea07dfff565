// "CALCULO DE POLIGONALES": the traverse workbench. It holds one traverse
// (rows and reference), shows it as a grid of two lines per station, saves
// and loads it as a .POL file, writes its field sheet and checks it before
// the computation. The window asks for file names through the callbacks
// and runs the other dialogs; everything else happens here.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "manager/instrumentos.h"
#include "manager/rejilla_texto.h"
#include "traverse/fichero_pol.h"
#include "traverse/resultado_poligonal.h"

namespace celvara {

// The field sheet ("Imprimir..."), Windows-1252 bytes.
std::string estadilloPoligonal(const FilasPoligonal& filas, const ReferenciaPoligonal& ref);

class CCalculoPoligonales : public FuenteRejilla {
public:
    static constexpr std::size_t kCeldas = 21;
    enum Columna { Estacion = 0, Estacionamiento, Inst, Visado, HCd, HCi, VCd, VCi, DCd, DCi, Jalon, Instrumento,
                   Operador, Temperatura, Presion, Ppm, TipoDist, TipoVert, UnidadAng, CorrEsfRefr, CorrTempPres };

    CCalculoPoligonales(CDatosGenerales& ajustes, Avisos& avisos);

    // File names from the window: open, save as, field sheet. Empty: cancelled.
    std::function<std::optional<std::filesystem::path>()> pedirAbrir, pedirGrabar, pedirEstadillo;

    FilasPoligonal& filas() { return pol_.filas; }
    ReferenciaPoligonal& referencia() { return pol_.referencia; }
    const Poligonal& poligonal() const { return pol_; }
    const std::filesystem::path& ruta() const { return ruta_; }
    bool modificado() const { return modificado_; }
    void marcarModificado() { modificado_ = true; }
    std::string titulo() const;  // UTF-8

    // "Nuevo...", "Abrir...", "Grabar...", "Grabar como...". Each returns
    // whether it was carried out.
    bool nuevo();
    bool abrir();
    bool abrirFichero(const std::filesystem::path& ruta);
    bool grabar();
    bool grabarComo();
    // Closing: asks to save unsaved changes; false keeps the window open.
    bool puedeCerrar();

    // "Imprimir...": appends the field sheet; returns the file written.
    std::optional<std::filesystem::path> imprimir();

    // Type radio buttons and "Regla Bessel" boxes, into the reference.
    void fijarTipo(TipoPoligonal tipo);
    void fijarBessel(bool h, bool v, bool d);
    // Face-right columns hidden while their box is off.
    bool columnaOculta(std::size_t columna) const;

    // Rows typed by hand take the default station data of the settings.
    void insertarFila(std::size_t posicion);
    void borrarFila(std::size_t fila);

    // "Datos Auxiliares...": the row whose instrument-height cell is the
    // selected one; otherwise the message and nothing.
    std::optional<std::size_t> filaDeDatos(std::size_t fila, std::size_t columna);

    ConfiguracionPoligonal configuracion() const;
    void fijarConfiguracion(const ConfiguracionPoligonal& config, const DatosComplementarios& porDefecto);

    // "CALCULAR": the checks, the notes that the user may overrule, then the
    // computation. The opened result window's logic, or nothing.
    std::unique_ptr<CResultadoPoligonal> calcular();
    ListaInstrumentos instrumentos;  // for the tolerances; may stay empty

    // The grid: two lines per station.
    std::size_t numeroColumnas() const override { return kCeldas; }
    const ColumnaRejilla& columna(std::size_t c) const override;
    std::size_t numeroFilas() const override { return 2 * pol_.filas.size(); }
    std::string texto(std::size_t fila, std::size_t columna) const override;
    bool editable(std::size_t fila, std::size_t columna) const override;
    bool editar(std::size_t fila, std::size_t columna, std::string_view texto) override;

private:
    bool preguntarGuardar();
    bool grabarEn(const std::filesystem::path& ruta);

    CDatosGenerales& ajustes_;
    Avisos& avisos_;
    Poligonal pol_;
    std::filesystem::path ruta_;
    bool modificado_ = false;
    std::vector<ColumnaRejilla> columnas_;
};

// "REFERENCIAR POLIGONAL": the start and end stations, their coordinates
// and orientations, as texts the window edits.
class CReferenciarPoligonal {
public:
    struct Extremo {
        std::string estacion, x, y, z;  // UTF-8
        std::string referencia, acimut, lectura, desorientacion;
    };

    // `circulo` is the angle unit of the orientations (400 or 360).
    CReferenciarPoligonal(const CLibretaCampo& libreta, ReferenciaPoligonal& ref, Avisos& avisos, double circulo);

    Extremo partida, llegada;
    bool llegadaActiva() const { return ref_.tipoPoligonal() == TipoPoligonal::Encuadrada; }

    // A station name typed or chosen: its coordinates, or the message.
    bool elegirEstacion(Extremo& extremo, const std::string& nombre);
    // The set-ups of the extreme's station with their orientation.
    std::vector<std::string> estacionamientos(const Extremo& extremo) const;
    void elegirEstacionamiento(Extremo& extremo, std::size_t indice);
    // "Con Referencia": the azimuth to the reference station from the coordinates.
    bool elegirReferencia(Extremo& extremo, const std::string& nombre);
    // Orientation = Acimut - Lectura, one circle added when negative.
    void recalcular(Extremo& extremo) const;
    // "Aceptar".
    void aceptar();

private:
    const CLibretaCampo& libreta_;
    ReferenciaPoligonal& ref_;
    Avisos& avisos_;
    double circulo_;
};

}  // namespace celvara
