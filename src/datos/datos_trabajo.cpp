#include "datos/datos_trabajo.h"

#include <array>
#include <cstdio>
#include <system_error>

#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"

namespace celvara {

namespace off = imagen::datosTrabajo;

namespace {

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
    d.empresa.aBytes(p + off::empresa);
    d.direccion.aBytes(p + off::direccion);
    d.provinciaEmpresa.aBytes(p + off::provinciaEmpresa);
    d.telefonos.aBytes(p + off::telefonos);
    d.titulo.aBytes(p + off::titulo);
    d.zona.aBytes(p + off::zona);
    d.terminoMunicipal.aBytes(p + off::terminoMunicipal);
    d.provinciaTrabajo.aBytes(p + off::provinciaTrabajo);
    d.cliente.aBytes(p + off::cliente);
    d.observaciones.aBytes(p + off::observaciones);
    d.codigo.aBytes(p + off::codigo);
    d.fechaInicio.aBytes(p + off::fechaInicio);
    d.fechaFin.aBytes(p + off::fechaFin);
    return s;
}

void leerImagenDatosTrabajo(const unsigned char* p, DatosTrabajo& d) {
    d.empresa.desdeBytes(p + off::empresa);
    d.direccion.desdeBytes(p + off::direccion);
    d.provinciaEmpresa.desdeBytes(p + off::provinciaEmpresa);
    d.telefonos.desdeBytes(p + off::telefonos);
    d.titulo.desdeBytes(p + off::titulo);
    d.zona.desdeBytes(p + off::zona);
    d.terminoMunicipal.desdeBytes(p + off::terminoMunicipal);
    d.provinciaTrabajo.desdeBytes(p + off::provinciaTrabajo);
    d.cliente.desdeBytes(p + off::cliente);
    d.observaciones.desdeBytes(p + off::observaciones);
    d.codigo.desdeBytes(p + off::codigo);
    d.fechaInicio.desdeBytes(p + off::fechaInicio);
    d.fechaFin.desdeBytes(p + off::fechaFin);
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
    return {d.empresa.str(),  d.direccion.str(),        d.provinciaEmpresa.str(), d.telefonos.str(),
            d.titulo.str(),   d.zona.str(),             d.terminoMunicipal.str(), d.provinciaTrabajo.str(),
            d.cliente.str(),  d.observaciones.str(),    d.codigo.str(),           d.fechaInicio.str(),
            d.fechaFin.str()};
}

DatosTrabajo datosTrabajoDeCampos(const CamposDatosTrabajo& c) {
    DatosTrabajo d;
    d.empresa = c.empresa;
    d.direccion = c.direccion;
    d.provinciaEmpresa = c.provinciaEmpresa;
    d.telefonos = c.telefonos;
    d.titulo = c.titulo;
    d.zona = c.zona;
    d.terminoMunicipal = c.terminoMunicipal;
    d.provinciaTrabajo = c.provinciaTrabajo;
    d.cliente = c.cliente;
    d.observaciones = c.observaciones;
    d.codigo = c.codigo;
    d.fechaInicio = c.fechaInicio;
    d.fechaFin = c.fechaFin;
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
