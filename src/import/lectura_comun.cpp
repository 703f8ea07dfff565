#include "import/lectura_comun.h"

#include <limits>

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"
#include "import/lector_lineas.h"
#include "import/mensajes_importacion.h"
#include "import/texto_importacion.h"

namespace celvara::importacion {

Estado recorrerLineas(const std::filesystem::path& ruta, const std::function<Paso(std::string& linea)>& tratar) {
    LectorLineas lector;
    if (!lector.abrir(ruta)) return Estado::Fallo;
    std::string linea;
    linea.reserve(LectorLineas::kLongitudMaxima);
    do {
        if (lector.leerLinea(linea) != Estado::Exito) return Estado::Fallo;
        if (linea.empty()) continue;
        switch (tratar(linea)) {
            case Paso::Seguir: break;
            case Paso::Parar: return Estado::Exito;
            case Paso::Fallo: return Estado::Fallo;
        }
    } while (!lector.fin());
    return Estado::Exito;
}

EstacionamientoImportado* nuevoEstacionamiento(ContextoImportacion& contexto) {
    auto* e = contexto.listas.crearEstacionamiento();
    if (!e) contexto.avisos.mensaje(mensajes::kSinMemoriaCalculo);
    return e;
}

EstacionamientoImportado* nuevoEstacionamiento(ContextoImportacion& contexto, std::string_view nombre,
                                               double alturaInstrumento) {
    auto* e = nuevoEstacionamiento(contexto);
    if (!e) return nullptr;
    e->nombre = nombre;
    e->alturaInstrumento = alturaInstrumento;
    e->primera = e->ultima = kSinLecturas;
    return e;
}

LecturaImportada* nuevaLectura(ContextoImportacion& contexto, const ValoresLectura& v) {
    auto* l = contexto.listas.crearLectura();
    if (!l) {
        contexto.avisos.mensaje(mensajes::kSinMemoriaCalculo);
        return nullptr;
    }
    l->numero = v.numero;
    l->jalon = v.jalon;
    l->distancia = v.distancia;
    l->vertical = v.vertical;
    l->horizontal = v.horizontal;
    l->texto = cortar(v.texto, CListasImportacion::kTextoMaximo);
    return l;
}

bool agruparConsecutiva(ContextoImportacion& contexto, std::int32_t numero) {
    auto* actual = contexto.listas.estacionamientoActual();
    if (!actual) return false;
    if (actual->sinLecturas()) {
        actual->primera = actual->ultima = numero;
        return true;
    }
    // In 64 bits: the last number may be the int32 maximum.
    if (static_cast<std::int64_t>(numero) == static_cast<std::int64_t>(actual->ultima) + 1) {
        actual->ultima = numero;
        return true;
    }
    const std::string nombre = actual->nombre.str();
    const double altura = actual->alturaInstrumento;
    auto* nuevo = nuevoEstacionamiento(contexto, nombre, altura);
    if (!nuevo) return false;
    nuevo->primera = nuevo->ultima = numero;
    return true;
}

void avisarLineaNoReconocida(ContextoImportacion& contexto, std::string_view linea) {
    contexto.avisos.mensaje(formatear(mensajes::kLineaNoReconocida, cp1252AUtf8(linea).c_str()));
}

std::int32_t numeroDeNombre(ContextoImportacion& contexto, std::string_view nombre) {
    nombre = recortar(nombre);
    if (!nombre.empty() && nombre[0] >= '0' && nombre[0] <= '9') return enteroSinSigno(nombre);
    if (contexto.contador < std::numeric_limits<std::int32_t>::max()) ++contexto.contador;
    return contexto.contador;
}

}  // namespace celvara::importacion
