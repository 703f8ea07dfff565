#include "datos/datos_trabajo.h"

#include <array>
#include <cstdio>
#include <system_error>

#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"

namespace celvara {

namespace off = imagen::datosTrabajo;

namespace {

// The record's fields, once: each with its offset in the image and its
// control in "DATOS GENERALES". Reading, writing and the controls all walk
// this one list, so they cannot drift apart.
template <typename Datos, typename Campos, typename Visita>
void recorrerCampos(Datos& d, Campos& c, Visita&& f) {
    f(d.empresa, c.empresa, off::empresa);
    f(d.direccion, c.direccion, off::direccion);
    f(d.provinciaEmpresa, c.provinciaEmpresa, off::provinciaEmpresa);
    f(d.telefonos, c.telefonos, off::telefonos);
    f(d.titulo, c.titulo, off::titulo);
    f(d.zona, c.zona, off::zona);
    f(d.terminoMunicipal, c.terminoMunicipal, off::terminoMunicipal);
    f(d.provinciaTrabajo, c.provinciaTrabajo, off::provinciaTrabajo);
    f(d.cliente, c.cliente, off::cliente);
    f(d.observaciones, c.observaciones, off::observaciones);
    f(d.codigo, c.codigo, off::codigo);
    f(d.fechaInicio, c.fechaInicio, off::fechaInicio);
    f(d.fechaFin, c.fechaFin, off::fechaFin);
}

}  // namespace

DatosTrabajo datosTrabajoPorDefecto() {
    DatosTrabajo d;
    d.empresa = "EMPRESA";
    d.direccion = utf8ACp1252("Dirección");
    d.provinciaEmpresa = "Provincia";
    d.telefonos = utf8ACp1252("Teléfono");
    return d;
}

std::string imagenDatosTrabajo(const DatosTrabajo& d) {
    std::string s(off::tamano, '\0');
    auto* p = reinterpret_cast<unsigned char*>(s.data());
    CamposDatosTrabajo ninguno;
    recorrerCampos(d, ninguno, [p](const auto& campo, const std::string&, std::size_t o) { campo.aBytes(p + o); });
    return s;
}

void leerImagenDatosTrabajo(const unsigned char* p, DatosTrabajo& d) {
    CamposDatosTrabajo ninguno;
    recorrerCampos(d, ninguno, [p](auto& campo, const std::string&, std::size_t o) { campo.desdeBytes(p + o); });
}

bool leerDatosTrabajo(DatosTrabajo& datos, const std::filesystem::path& ruta) {
    LectorFichero f(ruta);
    if (!f.abierto()) return false;
    std::array<unsigned char, off::tamano> bytes;
    if (!f.leerExacto(bytes.data(), bytes.size()) || f.error()) return false;
    leerImagenDatosTrabajo(bytes.data(), datos);
    return true;
}

bool escribirDatosTrabajo(const DatosTrabajo& datos, const std::filesystem::path& ruta) {
    EscritorAtomico f(ruta);
    if (!f.abierto()) return false;
    const std::string imagen = imagenDatosTrabajo(datos);
    const bool ok = f.escribir(imagen.data(), imagen.size());
    return f.confirmar() && ok;
}

std::filesystem::path rutaDatosTrabajo(const CDatosGenerales& ajustes, const MapaRutas& mapa) {
    return mapa.aAnfitrion(cp1252AUtf8(ajustes.ficheroDatosTrabajo.vista()));
}

std::string observacionesParaVista(std::string_view registro) {
    std::string s;
    s.reserve(registro.size());
    for (std::size_t i = 0; i < registro.size(); ++i) {
        if (registro[i] == '\r' && i + 1 < registro.size() && registro[i + 1] == '\n') continue;
        s.push_back(registro[i]);
    }
    return s;
}

std::string observacionesParaRegistro(std::string_view vista) {
    std::string s;
    s.reserve(vista.size() + vista.size() / 16);
    for (std::size_t i = 0; i < vista.size(); ++i) {
        if (vista[i] == '\n' && (i == 0 || vista[i - 1] != '\r')) s.push_back('\r');
        s.push_back(vista[i]);
    }
    return s;
}

CamposDatosTrabajo camposDeDatosTrabajo(const DatosTrabajo& d) {
    CamposDatosTrabajo c;
    recorrerCampos(d, c, [](const auto& campo, std::string& control, std::size_t) { control = campo.str(); });
    return c;
}

DatosTrabajo datosTrabajoDeCampos(const CamposDatosTrabajo& c) {
    DatosTrabajo d;
    recorrerCampos(d, c, [](auto& campo, const std::string& control, std::size_t) { campo = control; });
    return d;
}

EdicionDatosTrabajo::EdicionDatosTrabajo(const CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos)
    : ajustes_(ajustes), mapa_(mapa), avisos_(avisos) {}

void EdicionDatosTrabajo::abrir() {
    DatosTrabajo datos;
    if (!leerDatosTrabajo(datos, rutaDatosTrabajo(ajustes_, mapa_))) {
        avisos_.mensaje("El fichero de Datos Informativos del Trabajo\nno Existe o esta Dañada", "",
                        Botones::Aceptar, Icono::Stop);
        datos = datosTrabajoPorDefecto();
    }
    campos_ = camposDeDatosTrabajo(datos);
}

std::string EdicionDatosTrabajo::logo() const {
    return ajustes_.ficheroLogoEmpresa.vacio() ? std::string(kLogoPorDefecto) : ajustes_.ficheroLogoEmpresa.str();
}

bool EdicionDatosTrabajo::aceptar() {
    if (!escribirDatosTrabajo(datosTrabajoDeCampos(campos_), rutaDatosTrabajo(ajustes_, mapa_))) {
        avisos_.mensaje("Error al grabar los datos");
        return false;
    }
    return true;
}

}  // namespace celvara
