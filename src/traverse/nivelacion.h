// The levelling window ("NIVELACION"): the grid of a levelling line as the
// user types it, one row per set-up. Wires typed give the row's middle and
// distance, middles its height difference (calculo_nivelacion.h); every
// change recomputes the running columns from the grid's texts, so the
// columns add up as printed.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datos/rejilla_texto.h"
#include "fieldbook/ajustes_propios.h"
#include "fieldbook/libreta.h"
#include "traverse/calculo_nivelacion.h"
#include "traverse/fichero_nivelacion.h"
#include "traverse/nivelacion_gsi.h"

namespace celvara {

namespace columna_nivelacion {
// Back rod 0–3, point name 4, forward rod 5–8, then the derived columns and
// the leg's length typed where the stadia wires are missing.
inline constexpr std::size_t supEspalda = 0, infEspalda = 1, medEspalda = 2, distEspalda = 3, punto = 4,
                             supFrente = 5, infFrente = 6, medFrente = 7, distFrente = 8, desnivel = 9, suma = 10,
                             cota = 11, cotaAjustada = 12, longitud = 13, numero = 14;
}

inline constexpr std::size_t kFilasNivelacion = 30;  // rows of a new line

// The view switches "Ver Hilo Medio", "Ver Hilos Sup e Inf", "Ver Distancias".
enum class VistaNivelacion { HiloMedio, HilosSupInf, Distancias };
std::vector<std::size_t> columnasDeVista(VistaNivelacion vista);

// k of the tolerance in the side settings.
inline constexpr const char* kSeccionNivelacion = "Nivelacion";
inline constexpr const char* kClaveToleranciaK = "tolerancia_k_mm";
double toleranciaK(const AjustesPropios& ajustes);
void guardarToleranciaK(AjustesPropios& ajustes, double kMm);

class CNivelacion {
public:
    explicit CNivelacion(ListaEstaciones& estaciones);
    CNivelacion(const CNivelacion&) = delete;
    CNivelacion& operator=(const CNivelacion&) = delete;

    // The grid; its edits recompute the rows they affect.
    FuenteRejilla& rejilla() { return fuente_; }
    const RejillaTexto& tabla() const { return tabla_; }
    std::string texto(std::size_t fila, std::size_t columna) const { return tabla_.texto(fila, columna); }
    bool editar(std::size_t fila, std::size_t columna, std::string_view texto);
    void ver(VistaNivelacion vista, bool visible);
    void insertarFila(std::size_t posicion);
    void borrarFila(std::size_t fila);

    // Combos "ESTACION de Salida:" and "ESTACION de LLegada:" (names in
    // Windows-1252) and their heights, "%1.4lf".
    std::vector<std::string> nombresEstaciones() const;
    int indiceSalida() const { return salida_; }
    int indiceLlegada() const { return llegada_; }
    void elegirSalida(int indice);
    void elegirLlegada(int indice);
    // The stations kept beside a line file (UTF-8 names); a name not in the
    // book changes nothing.
    EstacionesLinea estacionesLinea() const;
    void elegirEstaciones(const EstacionesLinea& estaciones);
    const std::string& textoCotaSalida() const { return textoSalida_; }
    const std::string& textoCotaLlegada() const { return textoLlegada_; }
    // Typed heights: the start height recomputes every row. An arrival height
    // typed, or the Z of a chosen station that has one (not 0), is known and
    // gives a misclosure; one "<<-recoge cota->>" put there is not.
    void fijarCotaSalida(std::string_view texto);
    void fijarCotaLlegada(std::string_view texto);

    // The line as the grid holds it, and its computation with the
    // tolerance's k (the adjusted column while the grid shows it).
    EntradaNivelacion entrada(double kMm = kToleranciaKPorDefecto) const;
    ResultadoNivelacion resultado(double kMm = kToleranciaKPorDefecto) const;

    // "<<-recoge cota->>": false when no row has a height difference.
    bool recogerCota();
    // "Grabar": the arrival height into the arrival station's Z.
    bool grabarCota();
    // "Ajustar": false when there is no misclosure to distribute.
    bool ajustar();
    bool ajustada() const { return ajustada_; }

    // Line files and "Nuevo...".
    std::vector<LecturasNivelacion> lecturas() const;
    void cargar(const std::vector<LecturasNivelacion>& filas);
    void nuevo();
    // "Importar Datos...": a line recorded by a digital level. Its first back
    // point and last forward point are chosen among the book's stations by
    // name; a start point the book lacks takes the height the level recorded.
    // The line is new: it is unsaved until written to a line file.
    void importar(const LineaNivelacionGsi& linea);
    bool modificada() const { return modificada_; }
    void marcarGrabada() { modificada_ = false; }

    // "Informe": the report, Windows-1252 bytes.
    std::string informe(double kMm) const;

private:
    class Fuente : public FuenteRejilla {
    public:
        explicit Fuente(CNivelacion& n) : n_(n) {}
        std::size_t numeroColumnas() const override { return n_.tabla_.numeroColumnas(); }
        const ColumnaRejilla& columna(std::size_t c) const override { return n_.tabla_.columna(c); }
        std::size_t numeroFilas() const override { return n_.tabla_.numeroFilas(); }
        std::string texto(std::size_t f, std::size_t c) const override { return n_.tabla_.texto(f, c); }
        bool editar(std::size_t f, std::size_t c, std::string_view t) override { return n_.editar(f, c, t); }

    private:
        CNivelacion& n_;
    };

    double valor(std::size_t fila, std::size_t columna) const;
    void derivarMira(std::size_t fila, std::size_t sup, std::size_t inf, std::size_t med, std::size_t dist);
    void calcularDesnivel(std::size_t fila);
    // The running columns (and the adjusted one when asked) from the grid.
    void recalcular(bool ajustar = false);
    void quitarAjuste();
    std::string nombreEstacion(int indice) const;

    ListaEstaciones& estaciones_;
    RejillaTexto tabla_;
    Fuente fuente_{*this};
    int salida_ = -1;
    int llegada_ = -1;
    std::string textoSalida_;
    std::string textoLlegada_;
    bool llegadaConocida_ = false;
    bool ajustada_ = false;
    bool modificada_ = false;
};

}  // namespace celvara
