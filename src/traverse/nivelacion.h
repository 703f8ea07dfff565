// The levelling window ("NIVELACION"): a geometric levelling line read with
// a level and a stadia rod, one row per set-up. The user types the wires of
// the back and forward rods; the row derives the middle readings and stadia
// distances, its height difference, the running sum and the elevation of the
// forward point from the start benchmark. Everything is computed from the
// texts the grid shows, so the columns add up as printed.
//
// Misclosure w = H_arrival(known) − H_arrival(computed), m. Tolerance
// T = k·√L, k in mm, L the length of the line in km (the sum of the stadia
// distances). The adjustment adds to each elevation the share of w that the
// stadia distance run so far bears to the whole line (equal shares per row
// when a row has no distance), so the adjusted arrival equals the known one.
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

namespace celvara {

namespace columna_nivelacion {
// Back rod 0–3, point name 4, forward rod 5–8, then the derived columns.
inline constexpr std::size_t supEspalda = 0, infEspalda = 1, medEspalda = 2, distEspalda = 3, punto = 4,
                             supFrente = 5, infFrente = 6, medFrente = 7, distFrente = 8, desnivel = 9, suma = 10,
                             cota = 11, cotaAjustada = 12, numero = 13;
}

inline constexpr std::size_t kFilasNivelacion = 30;  // rows of a new line

// The view switches "Ver Hilo Medio", "Ver Hilos Sup e Inf", "Ver Distancias".
enum class VistaNivelacion { HiloMedio, HilosSupInf, Distancias };
std::vector<std::size_t> columnasDeVista(VistaNivelacion vista);

// k of the tolerance in the side settings.
inline constexpr const char* kSeccionNivelacion = "Nivelacion";
inline constexpr const char* kClaveToleranciaK = "tolerancia_k_mm";
inline constexpr double kToleranciaKPorDefecto = 10.0;
double toleranciaK(const AjustesPropios& ajustes);
void guardarToleranciaK(AjustesPropios& ajustes, double kMm);

// The readings of one row as a line file holds them: texts, empty when not
// read. `linea` is the row's line in the file (0 when not from a file).
struct LecturasNivelacion {
    std::string punto;
    std::array<std::string, 3> espalda;  // upper, lower, middle wire
    std::array<std::string, 3> frente;
    int linea = 0;
    bool operator==(const LecturasNivelacion& o) const {
        return punto == o.punto && espalda == o.espalda && frente == o.frente;
    }
};

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
    const std::string& textoCotaSalida() const { return textoSalida_; }
    const std::string& textoCotaLlegada() const { return textoLlegada_; }
    // Typed heights: the start height recomputes every row.
    void fijarCotaSalida(std::string_view texto);
    void fijarCotaLlegada(std::string_view texto);

    // Elevation of the last row with a height difference.
    std::optional<double> cotaCalculadaLlegada() const;
    // Known arrival height − computed, while the arrival height is a known
    // one: typed, or the Z of a chosen station that has one (a station
    // without a height holds Z = 0); not one "recoge cota" put there.
    std::optional<double> errorCierre() const;
    // Sum of the stadia distances of the rows with a height difference, km.
    double longitudKm() const;
    // k·√L in metres.
    double tolerancia(double kMm) const;

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
    bool modificada() const { return modificada_; }
    void marcarGrabada() { modificada_ = false; }

    // One line per row with a height difference, "punto med_e dist_e med_f
    // dist_f dh suma cota" (middles, Δh, sum and elevation "%1.4lf",
    // distances "%1.2lf"), the adjusted elevation appended when adjusted.
    std::vector<std::string> lineasListado() const;
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

    bool tieneDesnivel(std::size_t fila) const;
    double valor(std::size_t fila, std::size_t columna) const;
    void derivarMira(std::size_t fila, std::size_t sup, std::size_t inf, std::size_t med, std::size_t dist);
    void calcularDesnivel(std::size_t fila);
    void recalcularDesde(std::size_t fila);
    void quitarAjuste();

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
