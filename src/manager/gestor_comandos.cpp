#include "manager/gestor_comandos.h"

#include <map>

namespace celvara {

namespace {

const EntradaMenu kSeparador{};

EntradaMenu entrada(std::string_view texto, int id) { return EntradaMenu{texto, id, {}}; }
EntradaMenu submenu(std::string_view texto, std::vector<EntradaMenu> hijos) {
    return EntradaMenu{texto, 0, std::move(hijos)};
}

std::vector<EntradaMenu> construirMenuPrincipal() {
    return {
        submenu("Archivo",
                {
                    entrada("Nuevo...", 32785),
                    entrada("Abrir...", 32786),
                    entrada("Grabar...", 32787),
                    entrada("Grabar como...", 32788),
                    kSeparador,
                    submenu("Importar",
                            {
                                entrada("Todos FORMATOS....", 32909),
                                kSeparador,
                                entrada("Fichero RAD v4.0", 32992),
                                entrada("Fichero OBS v5.5", 33052),
                                entrada("Fichero Ascii Topcal (clásico)", 32908),
                                entrada("Fichero Ascii Topcal (+ comentarios)", 33053),
                            }),
                    entrada("Exportar puntos...", kComandoExportarPuntos),
                    entrada("Importar puntos...", kComandoImportarPuntos),
                    kSeparador,
                    entrada("Generar Informe Resumen..", 33016),
                    entrada("Imprimir Tabla Desorientaciones", 32879),
                    entrada("Dibujar Proyecto ...", 32858),
                    kSeparador,
                    entrada("Salir", 32859),
                }),
        submenu("Estaciones",
                {
                    entrada("Insertar...", 32919),
                    entrada("Añadir al Final...", 32795),
                    entrada("Añadir Modo Estadillo..", 32950),
                    entrada("Borrar", 32796),
                    kSeparador,
                    entrada("Unir Todos los Estacionamientos", 33054),
                    kSeparador,
                    entrada("Recoger Coordenadas de un *.CRD", 33019),
                    entrada("Recoger Coordenadas de ACAD...", 32995),
                    entrada("Importar de CRD ...", 32871),
                    entrada("Exportar  a  CRD ...", 32877),
                    kSeparador,
                    entrada("Imprimir Listado Bases...", 32878),
                    entrada("Imprimir Reseñas Bases...", 32994),
                    entrada("Reseñas...", 32947),
                }),
        submenu("Estacionamientos",
                {
                    entrada("Añadir...", 32798),
                    entrada("Borrar", 32799),
                    kSeparador,
                    entrada("Cambiar de Estación...", 32869),
                    entrada("Unir Dos Estacionamientos...", 32870),
                    kSeparador,
                    entrada("Imprimir Estadillo Lecturas", 32880),
                }),
        submenu("Lecturas",
                {
                    entrada("Insertar...", 32921),
                    entrada("Añadir al Final...", 32801),
                    entrada("Borrar", 32802),
                    kSeparador,
                    entrada("Opciones de Lecturas...", 32911),
                }),
        submenu("CALCULAR",
                {
                    entrada("Cálculo Desorientación Todas...", 33022),
                    entrada("Cálculo Desorientación Individual...", 32837),
                    kSeparador,
                    entrada("Calculo \"RADIACION\"...", 32838),
                    kSeparador,
                    entrada("Cálculo Conjunto MMCC...", 32991),
                    entrada("Cálculo Independiente...", 32839),
                    entrada("Tabla Cálculo...", 32790),
                    kSeparador,
                    entrada("Poligonales - Redes", 32940),
                    entrada("Ajuste de Red...", 33120),
                    entrada("Cierre Poligonos", 32840),
                    entrada("Cálculo Nivelación", 32943),
                    kSeparador,
                    entrada("Tolerancias...", 33062),
                    entrada("Errores y Pesos...", 33064),
                    submenu("HERRAMIENTAS",
                            {
                                entrada("Corregir-Modificar Lecturas", 32913),
                                entrada("Tolerancias", 32988),
                                entrada("Recalculo: Helmert 2D + h", 32916),
                                entrada("Refinamiento Puntos", 32990),
                                entrada("Editor de Coordenadas", 32803),
                            }),
                }),
        submenu("Configuración",
                {
                    entrada("Configurar", 32987),
                    entrada("Datos del Trabajo", 32918),
                    entrada("Listado Instrumentos", 32917),
                    kSeparador,
                    entrada("Actualizar", 32922),
                }),
        submenu("Ayuda", {entrada("Acerca de Celvara...", kComandoAcercaDe)}),
    };
}

std::vector<BotonBarra> construirBarra() {
    return {
        {32952, "Nuevo"},
        {32951, "Abrir"},
        {32953, "Grabar"},
        {33025, "Importar Datos de Campo"},
        {32982, "Imprimir Estadillos"},
        {},
        {32989, "Configuración"},
        {32977, "Cabecera Trabajo"},
        {32976, "Librería Instrumentos"},
        {33063, ""},
        {},
        {32980, "Insertar"},
        {32970, "Insertar Estación"},
        {32972, "Añadir Estación"},
        {32971, "Borrar Estación"},
        {},
        {32957, "Crear Estacionamiento"},
        {32959, "Borrar Estacionamiento"},
        {},
        {32973, "Insertar Lectura"},
        {32974, "Añadir Lectura"},
        {32975, "Borrar Lectura"},
        {},
        {32962, "Cálculo Desorientación"},
        {32963, "Cálculo Radiación"},
        {32964, "Cálculo XYZ Estación"},
        {},
        {32965, "Poligonales"},
        {32969, "Nivelación"},
        {},
        {32979, "Ayuda"},
    };
}

std::vector<EntradaMenu> construirEmergentes() {
    return {
        submenu("Estaciones",
                {
                    entrada("Insertar Estación", 32996),
                    entrada("Añadir Estación", 32997),
                    kSeparador,
                    entrada("Recoger XYZ de un *.CRD", 33020),
                    entrada("Recoger XYZ de ACAD...", 33004),
                    kSeparador,
                    entrada("Insertar Bases de un *.CRD", 32998),
                    entrada("Exportar Bases a un *.CRD", 32999),
                    kSeparador,
                    entrada("Imprimir Listado de Bases...", 33001),
                }),
        submenu("Estación",
                {
                    entrada("Añadir Estacionamiento", 33003),
                    entrada("Borrar Estación", 33005),
                    entrada("Unir Todos los Estacionamientos", 33055),
                    kSeparador,
                    entrada("Calcular Coordenadas..", 33007),
                    entrada("Recoger XYZ de ACAD", 33004),
                    entrada("Recoger XYZ de un *.CRD", 33021),
                    kSeparador,
                    entrada("Imprimir Estadillo Base", 33006),
                }),
        submenu("Estacionamiento",
                {
                    entrada("Insertar Lectura", 33008),
                    entrada("Añadir Lectura", 33009),
                    entrada("Borrar Estacionamiento", 33010),
                    kSeparador,
                    entrada("Calcular Desorientación", 33014),
                    entrada("Cambiar a Otra Estación", 33012),
                    entrada("Unir dos Estacionamientos", 33013),
                    entrada("Opciones de Lecturas", 33011),
                    kSeparador,
                    entrada("Imprimir Estadillo de Lecturas", 33015),
                }),
        submenu("Fichero de coordenadas",
                {
                    entrada("Exportar puntos...", kComandoExportarPuntos),
                    entrada("Importar puntos...", kComandoImportarPuntos),
                }),
    };
}

std::map<int, Accion> construirAcciones() {
    using A = Accion;
    const std::pair<A, std::vector<int>> filas[] = {
        {A::Nuevo, {32785, 32952}},
        {A::Abrir, {32786, 32951}},
        {A::Grabar, {32787, 32953}},
        {A::GrabarComo, {32788}},
        {A::ImportarTodos, {32909, 33025}},
        {A::ImportarRad, {32992}},
        {A::ImportarObs, {33052}},
        {A::ImportarTopcal, {32908}},
        {A::ImportarTopcalComentarios, {33053}},
        {A::DibujarProyecto, {32858}},
        {A::Salir, {32859}},
        {A::Configurar, {32987, 32989}},
        {A::DatosTrabajo, {32918, 32977}},
        {A::ListadoInstrumentos, {32917, 32976}},
        {A::Tolerancias, {33062, 33063}},
        {A::ErroresPesos, {33064}},
        {A::TablaCalculo, {32790}},
        {A::InformeResumen, {33016}},
        {A::Actualizar, {32922}},
        {A::ImprimirTablaDesorientaciones, {32879}},
        {A::InsertarEstacion, {32919, 32996, 32970}},
        {A::AnadirEstacion, {32795, 32997, 32972}},
        {A::AnadirEstacionNombre, {32950, 32980}},
        {A::BorrarEstacion, {32796, 33005, 32971}},
        {A::UnirTodosEstacionamientos, {33054, 33055}},
        {A::RecogerCoordenadasCrd, {33019, 33020}},
        {A::RecogerCoordenadasCrdEstacion, {33021}},
        {A::RecogerCoordenadasAcad, {32995, 33004}},
        {A::ImportarEstacionesCrd, {32871, 32998}},
        {A::ExportarEstacionesCrd, {32877, 32999}},
        {A::ImprimirListadoBases, {32878, 33001, 32982}},
        {A::ImprimirResenaBase, {32994, 33006}},
        {A::AnadirEstacionamiento, {32798, 33003, 32957}},
        {A::BorrarEstacionamiento, {32799, 33010, 32959}},
        {A::CambiarEstacion, {32869, 33012}},
        {A::UnirDosEstacionamientos, {32870, 33013}},
        {A::ImprimirEstadilloLecturas, {32880, 33015}},
        {A::InsertarLectura, {32921, 33008, 32973}},
        {A::AnadirLectura, {32801, 33009, 32974}},
        {A::BorrarLectura, {32802, 32975}},
        {A::OpcionesLecturas, {32911, 33011}},
        {A::CorregirLecturas, {32913}},
        {A::DesorientacionTodas, {33022, 32962}},
        {A::DesorientacionIndividual, {32837, 33014}},
        {A::EstacionMmcc, {32991, 33007, 32964}},
        {A::EstacionIndependiente, {32839}},
        {A::Poligonales, {32940, 32965, 32840}},
        {A::Nivelacion, {32943, 32969}},
        {A::AjusteRed, {33120}},
        {A::Radiacion, {32838, 32963}},
        {A::AcercaDe, {kComandoAcercaDe}},
        {A::ExportarPuntos, {kComandoExportarPuntos}},
        {A::ImportarPuntos, {kComandoImportarPuntos}},
        {A::SinAccion, {32916, 32988, 32803, 32990, 32947, 32979}},
    };
    std::map<int, Accion> mapa;
    for (const auto& [accion, ids] : filas)
        for (int id : ids) mapa.emplace(id, accion);
    return mapa;
}

}  // namespace

const std::vector<EntradaMenu>& menuPrincipal() {
    static const std::vector<EntradaMenu> menu = construirMenuPrincipal();
    return menu;
}

const std::vector<BotonBarra>& barraHerramientas() {
    static const std::vector<BotonBarra> barra = construirBarra();
    return barra;
}

const EntradaMenu& menuEmergente(int estado) {
    static const std::vector<EntradaMenu> menus = construirEmergentes();
    static const EntradaMenu vacio{};
    if (estado >= 1 && estado <= 3) return menus[static_cast<std::size_t>(estado - 1)];
    if (estado == 5) return menus[3];  // a coordinate file
    return vacio;
}

std::optional<Accion> accionDeComando(int id) {
    static const std::map<int, Accion> acciones = construirAcciones();
    const auto it = acciones.find(id);
    if (it == acciones.end()) return std::nullopt;
    return it->second;
}

bool accionPropiaDelGestor(Accion accion) {
    switch (accion) {
        case Accion::SinAccion:
        case Accion::Nuevo:
        case Accion::Abrir:
        case Accion::Grabar:
        case Accion::GrabarComo:
        case Accion::ImportarObs:
        case Accion::Salir:
        case Accion::Configurar:
        case Accion::InformeResumen:
        case Accion::Actualizar:
        case Accion::InsertarEstacion:
        case Accion::AnadirEstacion:
        case Accion::AnadirEstacionNombre:
        case Accion::BorrarEstacion:
        case Accion::UnirTodosEstacionamientos:
        case Accion::RecogerCoordenadasAcad:
        case Accion::AnadirEstacionamiento:
        case Accion::BorrarEstacionamiento:
        case Accion::InsertarLectura:
        case Accion::AnadirLectura:
        case Accion::BorrarLectura:
        case Accion::DibujarProyecto:
        case Accion::AcercaDe:
        case Accion::Deshacer:
        case Accion::Rehacer:
            return true;
        default:
            return false;
    }
}

}  // namespace celvara
