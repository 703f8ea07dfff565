#include "import/importar_datos_campo.h"

#include "import/fusion_importacion.h"
#include "import/mensajes_importacion.h"

namespace celvara {

CImportarDatosCampo::CImportarDatosCampo(CDatosGenerales& ajustes, CLibretaCampo& libreta, std::uint8_t* bandera,
                                         Avisos& avisos)
    : ajustes_(ajustes), libreta_(libreta), bandera_(bandera), avisos_(avisos) {}

std::vector<std::string> CImportarDatosCampo::textosLista() const {
    std::vector<std::string> textos;
    for (const auto& f : tablaFormatos()) textos.emplace_back(f.texto);
    return textos;
}

void CImportarDatosCampo::seleccionar(std::optional<int> indice) {
    seleccion_ = indice && formatoImportacion(*indice) ? indice : std::nullopt;
}

void CImportarDatosCampo::elegirOrigen(OrigenDatos origen) { origen_ = origen; }

void CImportarDatosCampo::pulsarCfg() { avisos_.mensaje(mensajes::kConfiguracionNoDisponible); }

ResultadoImportacion CImportarDatosCampo::aceptar(const PedirFichero& pedirFichero, const Capturar& capturar) {
    if (!seleccion_) return ResultadoImportacion::SinAccion;
    const FormatoImportacion& formato = *formatoImportacion(*seleccion_);
    if (!formato.disponible) {
        avisos_.mensaje(mensajeFormatoNoDisponible(formato));
        return ResultadoImportacion::SinAccion;
    }
    if (origen_ == OrigenDatos::EstacionOLibreta) {
        if (!capturar) {
            avisos_.mensaje(mensajes::kDescargaNoDisponible);
            return ResultadoImportacion::SinAccion;
        }
        // The exchange file is read with the chosen format.
        const auto intercambio = capturar();
        if (!intercambio) return ResultadoImportacion::SinAccion;
        return importarFichero(*intercambio);
    }
    const auto ruta = pedirFichero ? pedirFichero(formato, filtroFormato(formato)) : std::nullopt;
    if (!ruta || ruta->empty()) return ResultadoImportacion::SinAccion;
    return importarFichero(*ruta);
}

ResultadoImportacion CImportarDatosCampo::importarFichero(const std::filesystem::path& ruta) {
    if (!seleccion_ || ruta.empty()) return ResultadoImportacion::SinAccion;
    const FormatoImportacion& formato = *formatoImportacion(*seleccion_);
    listas_.liberar();
    ContextoImportacion contexto{listas_, libreta_, ajustes_, avisos_, formato.indice, 0};
    if (formato.leer(contexto, ruta) != Estado::Exito) {
        if (formato.disponible) avisos_.mensaje(mensajes::kFormatoNoCoincide);
        listas_.liberar();
        return ResultadoImportacion::Fallo;
    }
    // A merge that runs out of memory ends silently, keeping what it added,
    // and the window stays open.
    const bool fusionado = formato.directo || fusionarImportacion(libreta_, ajustes_.datosPorDefecto, listas_);
    listas_.liberar();
    return fusionado ? ResultadoImportacion::Cerrar : ResultadoImportacion::Fallo;
}

}  // namespace celvara
