// "CALCULO DE POLIGONALES": the traverse workbench. It holds one traverse
// (rows and reference), shows it as a grid of two lines per station, saves
// and loads it as a .POL file and checks it before the computation (its
// field sheet is a printed listing, output/listado_poligonal.h). The window asks for file names through the callbacks
// and runs the other dialogs; everything else happens here.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "datos/instrumentos.h"
#include "datos/rejilla_texto.h"
#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "traverse/fichero_pol.h"
#include "traverse/resultado_poligonal.h"

namespace celvara {

class CCalculoPoligonales : public FuenteRejilla {
public:
    static constexpr std::size_t kCeldas = 21;
    enum Columna { Estacion = 0, Estacionamiento, Inst, Visado, HCd, HCi, VCd, VCi, DCd, DCi, Jalon, Instrumento,
                   Operador, Temperatura, Presion, Ppm, TipoDist, TipoVert, UnidadAng, CorrEsfRefr, CorrTempPres };

    CCalculoPoligonales(CDatosGenerales& ajustes, Avisos& avisos);

    // File names from the window: open, save as. Empty: cancelled.
    std::function<std::optional<std::filesystem::path>()> pedirAbrir, pedirGrabar;

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
    // The entries of "Método de Compensación:", in `MetodoCompensacion` order.
    static constexpr std::array<const char*, 3> kMetodos{"Clasico / Distancias Prop Distancias Parciales",
                                                         "Clasico / Distancias Prop Coordenadas Parciales", "Sanguet"};
    // The method chosen in the window itself, kept in the settings.
    void fijarMetodo(std::uint32_t metodo);
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

// "BASE DATOS DE ESTACIONES": the field book's stations, one name a line
// (UTF-8), in the book's order.
class CElegirEstacion {
public:
    static constexpr const char* kTitulo = "BASE DATOS DE ESTACIONES";
    explicit CElegirEstacion(const CLibretaCampo& libreta);
    const std::vector<std::string>& lineas() const { return lineas_; }
    // The station of the chosen line; nothing when no line (-1) was chosen.
    const Estacion* elegir(int linea) const;

private:
    std::vector<const Estacion*> estaciones_;
    std::vector<std::string> lineas_;
};

// "BASE DE DATOS DE ESTACIONAMIENTOS": the set-ups of one station, a line
// each "%s    %s     %1.4lf     %1.3lf" with the set-up, its station, its
// orientation and its instrument height, the order of the other set-up lists.
class CElegirEstacionamiento {
public:
    static constexpr const char* kTitulo = "BASE DE DATOS DE ESTACIONAMIENTOS";
    static constexpr const char* kIndicacion = "Elegir el Estacionamiento con su Desorientación:";
    explicit CElegirEstacionamiento(const Estacion* estacion);  // none: no lines
    const std::vector<std::string>& lineas() const { return lineas_; }
    const Estacionamiento* elegir(int linea) const;

private:
    std::vector<const Estacionamiento*> estacionamientos_;
    std::vector<std::string> lineas_;
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

    // The pickers of the "..." buttons: the book's stations (station and
    // reference), and the set-ups of the extreme's station (none when the
    // station is not in the book).
    CElegirEstacion estaciones() const { return CElegirEstacion(libreta_); }
    CElegirEstacionamiento estacionamientos(const Extremo& extremo) const;

    // A station typed or chosen: its name and coordinates "%1.3lf", or the
    // message and nothing changed.
    bool elegirEstacion(Extremo& extremo, const std::string& nombre);
    bool elegirEstacion(Extremo& extremo, const Estacion& estacion);
    // "Desorientación": the chosen set-up's orientation "%1.4lf".
    void elegirEstacionamiento(Extremo& extremo, const Estacionamiento& s);
    // "Con Referencia": the azimuth from the extreme's coordinates to the
    // reference station's, in the angle unit, then the orientation.
    bool elegirReferencia(Extremo& extremo, const std::string& nombre);
    bool elegirReferencia(Extremo& extremo, const Estacion& referencia);
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
