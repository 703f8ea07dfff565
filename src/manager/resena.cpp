#include "manager/resena.h"

#include "fieldbook/codificacion.h"
#include "manager/gestor_documento.h"
#include "manager/gestor_seleccion.h"
#include "manager/historial.h"

namespace celvara {

namespace {

struct LimiteCampo {
    const char* nombre;
    std::string CamposResena::*campo;
    std::size_t capacidad;
};

const LimiteCampo kLimites[] = {
    {"Descripción 1", &CamposResena::descripcion1, decltype(Estacion::descripcion1)::capacidad},
    {"Descripción 2", &CamposResena::descripcion2, decltype(Estacion::descripcion2)::capacidad},
    {"Croquis", &CamposResena::croquis, decltype(Estacion::croquis)::capacidad},
    {"Foto", &CamposResena::ficheroFoto, decltype(Estacion::ficheroFoto)::capacidad},
    {"Fichero de croquis", &CamposResena::ficheroCroquis, decltype(Estacion::ficheroCroquis)::capacidad},
};

void escribirCampos(Estacion& e, const CamposResena& c) {
    e.tipo = c.tipo;
    e.descripcion1 = c.descripcion1;
    e.descripcion2 = c.descripcion2;
    e.croquis = c.croquis;
    e.ficheroFoto = c.ficheroFoto;
    e.ficheroCroquis = c.ficheroCroquis;
}

}  // namespace

CamposResena camposDe(const Estacion& e) {
    return {e.tipo, e.descripcion1.str(), e.descripcion2.str(), e.croquis.str(), e.ficheroFoto.str(),
            e.ficheroCroquis.str()};
}

std::string conFinesCrLf(std::string_view texto) {
    std::string r;
    r.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        if (c == '\r' || c == '\n') {
            r += "\r\n";
            if (c == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n') ++i;
        } else {
            r += c;
        }
    }
    return r;
}

CResena::CResena(CDocumentoObservaciones& documento, const Estacion& estacion)
    : documento_(documento), estacion_(estacion), campos_(camposDe(estacion)) {}

const CLibretaCampo& CResena::libreta() const { return documento_.libreta(); }

std::optional<std::string> CResena::error() const {
    for (const LimiteCampo& l : kLimites) {
        const std::string& texto = campos_.*l.campo;
        // A NUL would end the text early in the record.
        if (texto.size() > l.capacidad || texto.find('\0') != std::string::npos)
            return std::string(l.nombre) + ": admite como mucho " + std::to_string(l.capacidad) +
                   " caracteres (tiene " + std::to_string(texto.size()) + ")";
    }
    if (campos_.tipo < static_cast<int>(TipoBase::Feno) || campos_.tipo > static_cast<int>(TipoBase::Vertice))
        return "Tipo de señal no válido";
    return std::nullopt;
}

std::vector<Pagina> CResena::vistaPrevia(const EntornoListado& entorno) const {
    Estacion copia;
    copia.nombre = estacion_.nombre;
    copia.x = estacion_.x;
    copia.y = estacion_.y;
    copia.z = estacion_.z;
    escribirCampos(copia, campos_);
    SeleccionListado seleccion;
    seleccion.estacion = &copia;
    return {paginaListado(Listado::Resena, documento_.libreta(), seleccion, entorno, 1)};
}

bool CResena::aplicar() {
    if (const auto e = error()) {
        documento_.avisos().mensaje(*e, "Reseña", Botones::Aceptar, Icono::Stop);
        return false;
    }
    CLibretaCampo& libreta = documento_.libreta();
    const auto i = posicionDe(libreta, &estacion_);
    if (!i) return false;  // the station left the book meanwhile
    if (!cambiada()) return true;
    Estacion& destino = *libreta.estaciones[*i];
    auto paso = pasoCabecera("Reseña de " + cp1252AUtf8(destino.nombre.vista()), *i, destino);
    escribirCampos(destino, campos_);
    documento_.registrarPaso(std::move(paso));
    return true;
}

}  // namespace celvara
