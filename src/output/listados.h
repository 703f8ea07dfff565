// The four printed listings of the field book laid out on A4 pages: the
// stations, the description sheet of one station, the field sheet of one
// set-up and the orientation table. Every page carries the company header of
// the job data.
#pragma once

#include <filesystem>
#include <optional>

#include "datos/datos_trabajo.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"
#include "fieldbook/rutas.h"
#include "output/pagina.h"

namespace celvara {

// In the order of the "QUE IMPRIMIR :" list.
enum class Listado : int { Bases = 0, Resena = 1, Estadillo = 2, Desorientaciones = 3 };
inline constexpr int kNumeroListados = 4;

inline constexpr int kFilasBases = 30;
inline constexpr int kFilasEstadillo = 36;
inline constexpr int kFilasDesorientaciones = 30;

// What every page needs besides the book.
struct EntornoListado {
    std::optional<DatosTrabajo> empresa;  // none: the job data file could not be read
    std::filesystem::path logo;           // host path of the company picture; empty: none
    // Maps the stations' picture paths to host paths; none leaves their
    // frames empty.
    const MapaRutas* mapa = nullptr;
};

// The job data and company picture named by the settings.
EntornoListado entornoListado(const CDatosGenerales& ajustes, const MapaRutas& mapa);

// The station of the description sheet and the set-up of the field sheet.
struct SeleccionListado {
    const Estacion* estacion = nullptr;
    const Estacionamiento* estacionamiento = nullptr;
};

// max(1, ceil(rows / rows per page)); one for the description sheet.
int paginasListado(Listado listado, const CLibretaCampo& libreta, SeleccionListado seleccion);

// Page `pagina` (from 1) of a listing. Without the station or set-up it
// needs, a listing is the header alone.
Pagina paginaListado(Listado listado, const CLibretaCampo& libreta, SeleccionListado seleccion,
                     const EntornoListado& entorno, int pagina);

// "Página: p de N".
std::string textoPaginaListado(int pagina, int paginas);

// For listings made elsewhere: the company header every page carries, and
// the frame of the table listings.
void cabeceraListado(Pagina& pagina, const EntornoListado& entorno);
Rectangulo marcoListado();

}  // namespace celvara
