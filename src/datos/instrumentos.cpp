#include "datos/instrumentos.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "fieldbook/bytes.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"

namespace celvara {

namespace {

namespace off = imagen::instrumento;

// The record's fields, once, each with its offset in the image: reading and
// writing both walk this one list, so they cannot drift apart.
template <typename Registro, typename Visita>
void recorrerCampos(Registro& i, Visita&& f) {
    f(i.numero, off::numero);
    f(i.nombre, off::nombre);
    f(i.marca, off::marca);
    f(i.aumentos, off::aumentos);
    f(i.errorH, off::errorH);
    f(i.errorV, off::errorV);
    f(i.alcance1Prisma, off::alcance1Prisma);
    f(i.alcance3Prismas, off::alcance3Prismas);
    f(i.precisionDistanciaMm, off::precisionDistanciaMm);
    f(i.precisionDistanciaPpm, off::precisionDistanciaPpm);
    f(i.excentricidad, off::excentricidad);
    f(i.lecturaAngular, off::lecturaAngular);
    f(i.precisionH, off::precisionH);
    f(i.precisionV, off::precisionV);
    f(i.nivelEsferico, off::nivelEsferico);
    f(i.nivelTorico, off::nivelTorico);
    f(i.ejesCompensador, off::ejesCompensador);
    f(i.ficheroFoto, off::ficheroFoto);
}

void escribirCampo(std::int32_t v, const unsigned char*, unsigned char* destino) { bytes::escribirI32(destino, v); }
void escribirCampo(float v, const unsigned char*, unsigned char* destino) { bytes::escribirF32(destino, v); }
// A text field is taken from the kept image while it still reads as the
// field's text, so that the bytes after its terminator survive.
template <std::size_t N>
void escribirCampo(const TextoFijo<N>& texto, const unsigned char* leida, unsigned char* destino) {
    if (leida) {
        TextoFijo<N> antes;
        antes.desdeBytes(leida);
        if (antes == texto) return;  // the image bytes are already in place
    }
    texto.aBytes(destino);
}

void leerCampo(std::int32_t& v, const unsigned char* origen) { v = bytes::leerI32(origen); }
void leerCampo(float& v, const unsigned char* origen) { v = bytes::leerF32(origen); }
template <std::size_t N>
void leerCampo(TextoFijo<N>& texto, const unsigned char* origen) {
    texto.desdeBytes(origen);
}

}  // namespace

void escribirInstrumento(const Instrumento& i, unsigned char* p) {
    const unsigned char* leida = i.imagenLeida ? i.imagenLeida->data() : nullptr;
    if (leida)
        std::memcpy(p, leida, off::tamano);
    else
        std::memset(p, 0, off::tamano);
    recorrerCampos(i, [&](const auto& campo, std::size_t o) {
        escribirCampo(campo, leida ? leida + o : nullptr, p + o);
    });
    // List links mean nothing in a file.
    bytes::escribirU32(p + off::enlaces, 0);
    bytes::escribirU32(p + off::enlaces + 4, 0);
}

Instrumento leerInstrumento(const unsigned char* p) {
    Instrumento i;
    recorrerCampos(i, [p](auto& campo, std::size_t o) { leerCampo(campo, p + o); });
    i.imagenLeida.emplace();
    std::memcpy(i.imagenLeida->data(), p, off::tamano);
    return i;
}

Estado cargarInstrumentos(ListaInstrumentos& lista, const std::filesystem::path& ruta, Avisos& avisos,
                          std::size_t* bytesSobrantes) {
    lista.clear();
    if (bytesSobrantes) *bytesSobrantes = 0;
    LectorFichero f(ruta, true);
    if (!f.abierto()) return Estado::Fallo;
    std::vector<unsigned char> lote;
    try {
        lote.resize(kInstrumentosPorLote * off::tamano);
    } catch (const std::bad_alloc&) {
        avisos.mensaje("No hay memoria para tantos\nINSTRUMENTOS.");
        return Estado::Fallo;
    }
    try {
        for (;;) {
            const std::size_t leidos = f.leer(lote.data(), lote.size());
            const std::size_t registros = leidos / off::tamano;
            for (std::size_t r = 0; r < registros; ++r) lista.push_back(leerInstrumento(lote.data() + r * off::tamano));
            if (leidos < lote.size()) {
                if (bytesSobrantes) *bytesSobrantes = leidos % off::tamano;
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        lista.clear();
        avisos.mensaje("No hay memoria para tantos\nINSTRUMENTOS.");
        return Estado::Fallo;
    }
    if (f.error()) {
        lista.clear();
        if (bytesSobrantes) *bytesSobrantes = 0;
        return Estado::Fallo;
    }
    return Estado::Exito;
}

Estado guardarInstrumentos(const ListaInstrumentos& lista, const std::filesystem::path& ruta) {
    EscritorAtomico f(ruta);
    if (!f.abierto()) return Estado::Fallo;
    std::vector<unsigned char> lote(kInstrumentosPorLote * off::tamano);
    bool ok = true;
    for (std::size_t inicio = 0; ok && inicio < lista.size(); inicio += kInstrumentosPorLote) {
        const std::size_t n = std::min(kInstrumentosPorLote, lista.size() - inicio);
        for (std::size_t r = 0; r < n; ++r) escribirInstrumento(lista[inicio + r], lote.data() + r * off::tamano);
        ok = f.escribir(lote.data(), n * off::tamano);
    }
    return f.confirmar() && ok ? Estado::Exito : Estado::Fallo;
}

Instrumento* crearInstrumento(ListaInstrumentos& lista, const Instrumento& valores, Avisos& avisos) {
    try {
        Instrumento& nuevo = lista.emplace_back(valores);
        nuevo.imagenLeida.reset();
        return &nuevo;
    } catch (const std::bad_alloc&) {
        avisos.mensaje("\nfalta memoria");
        return nullptr;
    }
}

void actualizarInstrumento(Instrumento& instrumento, const Instrumento& valores) {
    instrumento = valores;
    instrumento.imagenLeida.reset();
}

const Instrumento* buscarInstrumento(const ListaInstrumentos& lista, std::string_view nombre) {
    for (const auto& i : lista)
        if (i.nombre == nombre) return &i;
    return nullptr;
}

const Instrumento* buscarInstrumentoOPrimero(const ListaInstrumentos& lista, std::string_view nombre) {
    if (const Instrumento* i = buscarInstrumento(lista, nombre)) return i;
    return lista.empty() ? nullptr : &lista.front();
}

std::string mensajeInstrumentoAusente(std::string_view instrumento, std::string_view estacionamiento) {
    return "El instrumento «" + cp1252AUtf8(instrumento) + "» del estacionamiento «" + cp1252AUtf8(estacionamiento) +
           "» no está en la librería de instrumentos";
}

const Instrumento* EleccionInstrumento::de(std::string_view instrumento, std::string_view estacionamiento) {
    if (!lista_) return nullptr;
    if (const Instrumento* i = buscarInstrumento(*lista_, instrumento)) return i;
    const Instrumento* estandar = buscarInstrumento(*lista_, kInstrumentoEstandar);
    if (estandar && estandar_) return estandar;
    const std::string texto = mensajeInstrumentoAusente(instrumento, estacionamiento);
    if (!preguntar || !estandar) {
        avisos_.mensaje(texto, "", Botones::Aceptar, Icono::Stop);
        return nullptr;
    }
    if (avisos_.mensaje(texto + "\n¿Calcular esta vez con el instrumento «" + kInstrumentoEstandar + "»?", "",
                        Botones::SiNo, Icono::Pregunta) != Respuesta::Si)
        return nullptr;
    estandar_ = true;
    return estandar;
}

std::vector<std::string> describirInstrumento(const Instrumento& i) {
    return {
        formatear("NOMBRE: %s", i.nombre.c_str()),
        formatear("Aumentos: %d", i.aumentos),
        formatear("Distancia Maxima 1P: %d", i.alcance1Prisma),
        formatear("Precisi\xF3n Distancias: %0.1f+-%0.1f mm", static_cast<double>(i.precisionDistanciaMm),
                  static_cast<double>(i.precisionDistanciaPpm)),
        formatear("Lectura Angular: %.0f cc", static_cast<double>(i.lecturaAngular)),
        formatear("Prec Angular H: %.0f cc", static_cast<double>(i.precisionH)),
        formatear("Prec Angular V: %.0f cc", static_cast<double>(i.precisionV)),
        formatear("Error H: %.0f cc", static_cast<double>(i.errorH)),
        formatear("Error V: %.0f cc", static_cast<double>(i.errorV)),
        formatear("Sensibilidad Nivel Torico: %d cc", i.nivelTorico),
        // Minutes, as the editor shows it ("Nivel Esferico:" ... ').
        formatear("Sensibilidad Nivel Esferico: %d '", i.nivelEsferico),
        formatear("COMPENSADOR: %d ejes", i.ejesCompensador),
    };
}

std::filesystem::path rutaInstrumentos(const CDatosGenerales& ajustes, const MapaRutas& mapa) {
    return mapa.aAnfitrion(cp1252AUtf8(ajustes.ficheroInstrumentos.vista()));
}

}  // namespace celvara
