#include "import/fusion_importacion.h"

#include <charconv>
#include <cstdint>

#include "fieldbook/numeros.h"
#include "import/texto_importacion.h"

namespace celvara {

std::string nombreEstacionamientoImportado(const Estacion& estacion) {
    std::int64_t k = 1;
    if (!estacion.estacionamientos.empty()) {
        const std::string_view anterior = estacion.estacionamientos.back()->nombre.vista();
        const auto parentesis = anterior.find('(');
        const std::string_view tras = importacion::desde(anterior, parentesis == std::string_view::npos
                                                                       ? anterior.size()
                                                                       : parentesis + 1);
        if (!tras.empty() && tras[0] >= '0' && tras[0] <= '9')
            k = 1 + std::int64_t{importacion::enteroSinSigno(tras)};
        else
            k = 1 + static_cast<std::int64_t>(estacion.estacionamientos.size());
    }
    // The set-up name field keeps 14 characters.
    return formatear("%s(%1lld)", estacion.nombre.c_str(), static_cast<long long>(k));
}

bool fusionarImportacion(CLibretaCampo& libreta, const DatosComplementarios& datosPorDefecto,
                         CListasImportacion& listas) {
    const auto& lecturas = listas.lecturas();
    std::size_t cursor = 0;
    bool correcto = true;
    for (const auto& registro : listas.estacionamientos()) {
        Estacion* estacion = libreta.buscarEstacion(registro.nombre.vista());
        if (!estacion) {
            estacion = crearEstacion(libreta.estaciones, {.nombre = registro.nombre.vista(),
                                                          .ficheroFoto = kFotoPorDefecto,
                                                          .ficheroCroquis = kFotoPorDefecto});
            if (!estacion) {
                correcto = false;
                break;
            }
        }
        const double desorientacion =
            textoANumero(registro.acimutEspalda.vista()) - textoANumero(registro.horizontalEspalda.vista());
        Estacionamiento* nuevo = crearEstacionamiento(
            estacion->estacionamientos, nullptr, nombreEstacionamientoImportado(*estacion),
            estacion->nombre.vista(), registro.alturaInstrumento, &datosPorDefecto, desorientacion);
        if (!nuevo) {
            correcto = false;
            break;
        }
        for (; cursor < lecturas.size(); ++cursor) {
            const LecturaImportada& l = lecturas[cursor];
            if (l.numero < registro.primera || l.numero > registro.ultima) break;
            // "%1d" of the number.
            char nombre[16];
            const auto fin = std::to_chars(nombre, nombre + sizeof nombre, l.numero).ptr;
            if (!crearLectura(nuevo->lecturas, std::nullopt, std::string_view(nombre, fin - nombre), l.jalon,
                              l.distancia, l.vertical, l.horizontal, l.texto.vista())) {
                correcto = false;
                break;
            }
        }
        if (!correcto) break;
    }
    listas.liberar();
    return correcto;
}

}  // namespace celvara
