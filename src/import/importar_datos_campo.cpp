#include "import/importar_datos_campo.h"

#include "import/detectar_formato.h"
#include "import/fusion_importacion.h"
#include "import/mensajes_importacion.h"

namespace celvara {

namespace {

// The messages of a read wait until it ends: a refused file then gives one
// message, and none is shown while the read (and its progress box) runs.
// A question cannot wait; what was kept goes before it.
class AvisosDeLectura : public Avisos {
public:
    explicit AvisosDeLectura(Avisos& destino) : destino_(destino) {}
    Respuesta mensaje(std::string_view texto, std::string_view titulo, Botones botones, Icono icono) override {
        if (botones != Botones::Aceptar) {
            mostrar();
            return destino_.mensaje(texto, titulo, botones, icono);
        }
        guardados_.push_back({std::string(texto), std::string(titulo), icono});
        return Respuesta::Aceptar;
    }
    void mostrar() {
        for (const auto& g : guardados_) destino_.mensaje(g.texto, g.titulo, Botones::Aceptar, g.icono);
        guardados_.clear();
    }
    void olvidar() { guardados_.clear(); }
    // Everything kept and `mas`, as one message.
    void mostrarJuntos(const std::vector<const char*>& mas) {
        std::string texto;
        for (const auto& g : guardados_) texto += (texto.empty() ? "" : "\n\n") + g.texto;
        for (const char* m : mas) texto += (texto.empty() ? "" : "\n\n") + std::string(m);
        if (!texto.empty())
            destino_.mensaje(texto, guardados_.empty() ? std::string() : guardados_.front().titulo, Botones::Aceptar,
                             guardados_.empty() ? Icono::Ninguno : guardados_.front().icono);
        guardados_.clear();
    }

private:
    struct Guardado {
        std::string texto, titulo;
        Icono icono;
    };
    Avisos& destino_;
    std::vector<Guardado> guardados_;
};

}  // namespace

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

ResultadoImportacion CImportarDatosCampo::detectarEImportar(
    const PedirFichero& pedirFichero, const std::function<void(const FormatoImportacion&)>& alElegir) {
    const FormatoImportacion& cualquiera = *formatoImportacion(seleccion_.value_or(0));
    const auto ruta = pedirFichero ? pedirFichero(cualquiera, "Todos los archivos (*.*) | *.*||") : std::nullopt;
    if (!ruta || ruta->empty()) return ResultadoImportacion::SinAccion;
    const DeteccionFormato d = detectarFormato(*ruta, ajustes_);
    if (!d.indice) {
        avisos_.mensaje(d.mensaje);
        return ResultadoImportacion::SinAccion;
    }
    seleccionar(d.indice);
    if (alElegir) alElegir(*formatoImportacion(*d.indice));
    return importarFichero(*ruta);
}

ResultadoImportacion CImportarDatosCampo::importarFichero(const std::filesystem::path& ruta) {
    if (!seleccion_ || ruta.empty()) return ResultadoImportacion::SinAccion;
    const FormatoImportacion& formato = *formatoImportacion(*seleccion_);
    listas_.liberar();
    const std::size_t antes = libreta_.contarEstacionamientos() + libreta_.estaciones.size();
    // What a direct reader may add: stations at the end, set-ups at the end of
    // a station's list. A failed or cancelled read is cut back to this.
    std::vector<std::size_t> estacionamientosAntes;
    for (const auto& e : libreta_.estaciones) estacionamientosAntes.push_back(e->estacionamientos.size());
    auto deshacer = [&] {
        libreta_.estaciones.resize(estacionamientosAntes.size());
        for (std::size_t i = 0; i < estacionamientosAntes.size(); ++i)
            libreta_.estaciones[i]->estacionamientos.resize(estacionamientosAntes[i]);
    };
    AvisosDeLectura avisosLectura(avisos_);
    ContextoImportacion contexto{listas_, libreta_, ajustes_, avisosLectura, formato.indice, 0, progreso_, false};
    Estado estado = formato.leer(contexto, ruta);
    if (contexto.cancelado) {
        avisosLectura.olvidar();
        deshacer();
        listas_.liberar();
        return ResultadoImportacion::SinAccion;
    }
    std::vector<const char*> rechazo;
    // A file that gives no station and no sighting is not this format's.
    if (estado == Estado::Exito &&
        (formato.directo ? libreta_.contarEstacionamientos() + libreta_.estaciones.size() == antes
                         : listas_.vacias())) {
        rechazo.push_back(mensajes::kFicheroSinDatos);
        estado = Estado::Fallo;
    }
    if (estado != Estado::Exito) {
        if (formato.directo) deshacer();
        if (formato.disponible) rechazo.push_back(mensajes::kFormatoNoCoincide);
        avisosLectura.mostrarJuntos(rechazo);
        listas_.liberar();
        return ResultadoImportacion::Fallo;
    }
    avisosLectura.mostrar();
    // A merge that runs out of memory ends silently, keeping what it added,
    // and the window stays open.
    std::vector<std::string> diferencias;
    const bool fusionado = formato.directo || fusionarImportacion(libreta_, ajustes_.datosPorDefecto, listas_,
                                                                  &diferencias, &contexto.omitidas);
    listas_.liberar();
    auto avisar = [&](const char* cabecera, const std::vector<std::string>& lineas) {
        if (lineas.empty()) return;
        std::string texto = cabecera;
        for (const auto& d : lineas) texto += "\n" + d;
        avisos_.mensaje(texto);
    };
    avisar(mensajes::kCoordenadasDistintas, diferencias);
    // Nothing of the file is dropped without saying so.
    avisar(mensajes::kResumenOmitidas, contexto.omitidas);
    return fusionado ? ResultadoImportacion::Cerrar : ResultadoImportacion::Fallo;
}

}  // namespace celvara
