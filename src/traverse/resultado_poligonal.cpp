#include "traverse/resultado_poligonal.h"

#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"

namespace celvara {
namespace {

std::string ang(double v) { return sinMenosCero(formatear("%1.4lf", v)); }
std::string lon(double v) { return sinMenosCero(formatear("%1.3lf", v)); }

}  // namespace

CResultadoPoligonal::CResultadoPoligonal(FilasPoligonal filas, ReferenciaPoligonal referencia,
                                         ConfiguracionPoligonal configuracion, Avisos& avisos,
                                         EvaluadorErrores evaluador)
    : filas_(std::move(filas)),
      referencia_(std::move(referencia)),
      configuracion_(configuracion),
      avisos_(avisos),
      evaluador_(std::move(evaluador)) {}

const std::vector<std::string>& CResultadoPoligonal::pestanas() {
    static const std::vector<std::string> nombres{"Compens Angular ", "Compens Distancias ", "Compens Coordenadas ",
                                                  "Compens Altimétrica ", "Listado General "};
    return nombres;
}

bool CResultadoPoligonal::abrir() {
    resultado_.reset();
    if (filas_.empty()) {
        avisos_.mensaje(kSinDatosPoligonal);
        return false;
    }
    auto calculo = calcularPoligonal(filas_, referencia_, configuracion_, evaluador_);
    if (!calculo) {
        avisos_.mensaje(calculo.error);
        return false;
    }
    resultado_ = std::move(calculo.resultado);
    elegirPestana(General);
    return true;
}

void CResultadoPoligonal::elegirPestana(int pestana) {
    if (pestana < Angular || pestana > General) return;
    pestana_ = pestana;
    llenarRejilla();
}

namespace {

std::vector<std::string> titulos(int pestana) {
    switch (pestana) {
    case CResultadoPoligonal::Angular: return {"TRAMO", "Lecturas", "Angulo", "Desorientación", "AZIMUT", "C", "AZIMUT C"};
    case CResultadoPoligonal::Distancias: return {"TRAMO", "D1", "D2", "Difer", "Tol", "Dm", "Km", "DISTANCIA*K"};
    case CResultadoPoligonal::Coordenadas: return {"TRAMO", "Azimut", "Dist*k", "I.X", "I.Y", "Cx", "I.Xc", "CY", "I.Yc"};
    case CResultadoPoligonal::Altimetrica: return {"TRAMO", "Z1", "Z2", "Difer", "Tol", "I.Z", "C", "I.Zc"};
    default: return {"ESTACION", "X", "Y", "Z", "Desorientación"};
    }
}

}  // namespace

void CResultadoPoligonal::llenarRejilla() {
    std::vector<ColumnaRejilla> columnas;
    for (auto& t : titulos(pestana_)) {
        ColumnaRejilla c;
        c.titulo = std::move(t);
        c.editable = false;
        c.alineacion = columnas.empty() ? AlineacionColumna::Izquierda : AlineacionColumna::Derecha;
        columnas.push_back(std::move(c));
    }
    rejilla_.fijarColumnas(std::move(columnas));
    rejilla_.vaciar();
    if (!resultado_) return;
    const auto& res = *resultado_;
    const std::size_t listados = tramosListados(res);
    for (std::size_t k = 0; k < res.tramos.size(); ++k) {
        const auto& t = res.tramos[k];
        const std::string nombre = cp1252AUtf8(t.nombre);
        switch (pestana_) {
        case Angular:
            rejilla_.agregarFila({cp1252AUtf8(t.nombreAtras), ang(t.hAtras), "", "", "", "", ""});
            rejilla_.agregarFila({nombre, ang(t.hAdelante), ang(t.angulo), ang(t.desorientacion), ang(t.azimut),
                                sinMenosCero(formatear("%1.0lf", t.cAng)), ang(t.azimutC)});
            break;
        case Distancias:
            if (k < listados)
                rejilla_.agregarFila({nombre, lon(t.d1), lon(t.d2), lon(t.dDifer), lon(t.dTol), lon(t.dm),
                                    sinMenosCero(formatear("%1.9lf", t.km)), lon(t.distK)});
            break;
        case Coordenadas:
            if (k < listados)
                rejilla_.agregarFila({nombre, ang(t.azimutC), lon(t.distK), lon(t.ix), lon(t.iy), lon(t.cx), lon(t.ixc),
                                    lon(t.cy), lon(t.iyc)});
            break;
        case Altimetrica:
            if (k < listados)
                rejilla_.agregarFila({nombre, lon(t.z1), lon(t.z2), lon(t.zDifer), lon(t.zTol), lon(t.iz), lon(t.cz),
                                    lon(t.izc)});
            break;
        default:
            break;
        }
    }
    if (pestana_ == General)
        for (const auto& e : res.estaciones)
            rejilla_.agregarFila({cp1252AUtf8(e.nombre), lon(e.x), lon(e.y), lon(e.z), ang(e.desorientacion)});
}

std::string CResultadoPoligonal::resumen() const { return resultado_ ? textoResumenPoligonal(*resultado_) : ""; }

bool CResultadoPoligonal::imprimir(const std::filesystem::path& ruta) {
    if (!resultado_) return false;
    if (!anadirAFichero(ruta, informePoligonal(*resultado_))) {
        avisos_.mensaje("No se puede escribir el informe " + ruta.string());
        return false;
    }
    return true;
}

bool CResultadoPoligonal::grabar(CLibretaCampo& libreta) {
    if (!resultado_) return false;
    // Coordinates typed or computed before are often the better ones: never replaced unasked.
    if (const auto nombres = estacionesSobrescritas(libreta, *resultado_, referencia_); !nombres.empty()) {
        std::string lista;
        for (const auto& n : nombres) lista += (lista.empty() ? "" : ", ") + cp1252AUtf8(n);
        const std::string pregunta = (nombres.size() == 1 ? "La estación " + lista + " ya tiene coordenadas"
                                                          : "Las estaciones " + lista + " ya tienen coordenadas") +
                                     " distintas en la libreta.\n¿Sustituirlas por las de la poligonal?";
        if (avisos_.mensaje(pregunta, "Grabar (x,y,z,des)", Botones::SiNo, Icono::Pregunta) != Respuesta::Si)
            return false;
    }
    grabarPoligonalEnLibreta(libreta, *resultado_, referencia_, filas_);
    avisos_.mensaje("Coordenadas Grabadas");
    return true;
}

}  // namespace celvara
