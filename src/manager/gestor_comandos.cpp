#include "manager/gestor_comandos.h"

#include <map>

namespace celvara {

namespace {

using A = Accion;
using C = Comando;

const EntradaMenu kSeparador{};

EntradaMenu entrada(std::string_view texto, Comando id, Accion accion) { return EntradaMenu{texto, id, accion, {}}; }
EntradaMenu submenu(std::string_view texto, std::vector<EntradaMenu> hijos) {
    return EntradaMenu{texto, C::Ninguno, A::Ninguna, std::move(hijos)};
}

std::vector<EntradaMenu> construirMenuPrincipal() {
    return {
        submenu("Archivo",
                {
                    entrada("Nuevo...", C::Nuevo, A::Nuevo),
                    entrada("Abrir...", C::Abrir, A::Abrir),
                    entrada("Grabar...", C::Grabar, A::Grabar),
                    entrada("Grabar como...", C::GrabarComo, A::GrabarComo),
                    kSeparador,
                    submenu("Importar",
                            {
                                entrada("Todos FORMATOS....", C::ImportarTodos, A::ImportarTodos),
                                kSeparador,
                                entrada("Fichero RAD v4.0", C::ImportarRad, A::ImportarRad),
                                entrada("Fichero OBS v5.5", C::ImportarObs, A::ImportarObs),
                                entrada("Fichero Ascii Topcal (clásico)", C::ImportarTopcal, A::ImportarTopcal),
                                entrada("Fichero Ascii Topcal (+ comentarios)", C::ImportarTopcalComentarios,
                                        A::ImportarTopcalComentarios),
                            }),
                    entrada("Exportar puntos...", C::ExportarPuntos, A::ExportarPuntos),
                    entrada("Importar puntos...", C::ImportarPuntos, A::ImportarPuntos),
                    kSeparador,
                    entrada("Generar Informe Resumen..", C::InformeResumen, A::InformeResumen),
                    entrada("Imprimir Tabla Desorientaciones", C::ImprimirTablaDesorientaciones,
                            A::ImprimirTablaDesorientaciones),
                    entrada("Dibujar Proyecto ...", C::DibujarProyecto, A::DibujarProyecto),
                    kSeparador,
                    entrada("Salir", C::Salir, A::Salir),
                }),
        submenu("Estaciones",
                {
                    entrada("Insertar...", C::InsertarEstacion, A::InsertarEstacion),
                    entrada("Añadir al Final...", C::AnadirEstacion, A::AnadirEstacion),
                    entrada("Añadir Modo Estadillo..", C::AnadirEstacionNombre, A::AnadirEstacionNombre),
                    entrada("Borrar", C::BorrarEstacion, A::BorrarEstacion),
                    kSeparador,
                    entrada("Unir Todos los Estacionamientos", C::UnirTodosEstacionamientos,
                            A::UnirTodosEstacionamientos),
                    kSeparador,
                    entrada("Recoger Coordenadas de un *.CRD", C::RecogerCoordenadasCrd, A::RecogerCoordenadasCrd),
                    entrada("Recoger Coordenadas de ACAD...", C::RecogerCoordenadasAcad, A::RecogerCoordenadasAcad),
                    entrada("Importar de CRD ...", C::ImportarEstacionesCrd, A::ImportarEstacionesCrd),
                    entrada("Exportar  a  CRD ...", C::ExportarEstacionesCrd, A::ExportarEstacionesCrd),
                    kSeparador,
                    entrada("Imprimir Listado Bases...", C::ImprimirListadoBases, A::ImprimirListadoBases),
                    entrada("Imprimir Reseñas Bases...", C::ImprimirResenaBase, A::ImprimirResenaBase),
                    entrada("Reseñas...", C::Resenas, A::Resenas),
                }),
        submenu("Estacionamientos",
                {
                    entrada("Añadir...", C::AnadirEstacionamiento, A::AnadirEstacionamiento),
                    entrada("Borrar", C::BorrarEstacionamiento, A::BorrarEstacionamiento),
                    kSeparador,
                    entrada("Cambiar de Estación...", C::CambiarEstacion, A::CambiarEstacion),
                    entrada("Unir Dos Estacionamientos...", C::UnirDosEstacionamientos, A::UnirDosEstacionamientos),
                    kSeparador,
                    entrada("Imprimir Estadillo Lecturas", C::ImprimirEstadilloLecturas,
                            A::ImprimirEstadilloLecturas),
                }),
        submenu("Lecturas",
                {
                    entrada("Insertar...", C::InsertarLectura, A::InsertarLectura),
                    entrada("Añadir al Final...", C::AnadirLectura, A::AnadirLectura),
                    entrada("Borrar", C::BorrarLectura, A::BorrarLectura),
                    kSeparador,
                    entrada("Opciones de Lecturas...", C::OpcionesLecturas, A::OpcionesLecturas),
                }),
        submenu("CALCULAR",
                {
                    entrada("Cálculo Desorientación Todas...", C::DesorientacionTodas, A::DesorientacionTodas),
                    entrada("Cálculo Desorientación Individual...", C::DesorientacionIndividual,
                            A::DesorientacionIndividual),
                    kSeparador,
                    entrada("Calculo \"RADIACION\"...", C::Radiacion, A::Radiacion),
                    kSeparador,
                    entrada("Cálculo Conjunto MMCC...", C::EstacionMmcc, A::EstacionMmcc),
                    entrada("Cálculo Independiente...", C::EstacionIndependiente, A::EstacionIndependiente),
                    entrada("Tabla Cálculo...", C::TablaCalculo, A::TablaCalculo),
                    kSeparador,
                    entrada("Poligonales - Redes", C::Poligonales, A::Poligonales),
                    entrada("Ajuste de Red...", C::AjusteRed, A::AjusteRed),
                    entrada("Cierre Poligonos", C::CierrePoligonos, A::Poligonales),
                    entrada("Cálculo Nivelación", C::Nivelacion, A::Nivelacion),
                    kSeparador,
                    entrada("Tolerancias...", C::Tolerancias, A::Tolerancias),
                    entrada("Errores y Pesos...", C::ErroresPesos, A::ErroresPesos),
                    submenu("HERRAMIENTAS",
                            {
                                entrada("Corregir-Modificar Lecturas", C::CorregirLecturas, A::CorregirLecturas),
                                entrada("Tolerancias", C::ToleranciasHerramientas, A::Tolerancias),
                                entrada("Recalculo: Helmert 2D + h", C::RecalculoHelmert, A::RecalculoHelmert),
                                entrada("Refinamiento Puntos", C::RefinamientoPuntos, A::RefinamientoPuntos),
                                entrada("Editor de Coordenadas", C::EditorCoordenadas, A::EditorCoordenadas),
                            }),
                }),
        submenu("Configuración",
                {
                    entrada("Configurar", C::Configurar, A::Configurar),
                    entrada("Datos del Trabajo", C::DatosTrabajo, A::DatosTrabajo),
                    entrada("Listado Instrumentos", C::ListadoInstrumentos, A::ListadoInstrumentos),
                    kSeparador,
                    entrada("Actualizar", C::Actualizar, A::Actualizar),
                }),
        submenu("Ayuda", {entrada("Manual de Celvara", C::ManualCelvara, A::Ayuda),
                           entrada("Acerca de Celvara...", C::AcercaDe, A::AcercaDe)}),
    };
}

std::vector<BotonBarra> construirBarra() {
    return {
        {C::BarraNuevo, "Nuevo", A::Nuevo},
        {C::BarraAbrir, "Abrir", A::Abrir},
        {C::BarraGrabar, "Grabar", A::Grabar},
        {C::BarraImportar, "Importar Datos de Campo", A::ImportarTodos},
        {C::BarraImprimirEstadillos, "Imprimir Estadillos", A::ImprimirListadoBases},
        {},
        {C::BarraConfiguracion, "Configuración", A::Configurar},
        {C::BarraCabeceraTrabajo, "Cabecera Trabajo", A::DatosTrabajo},
        {C::BarraLibreriaInstrumentos, "Librería Instrumentos", A::ListadoInstrumentos},
        {C::BarraTolerancias, "", A::Tolerancias},
        {},
        {C::BarraInsertar, "Insertar", A::AnadirEstacionNombre},
        {C::BarraInsertarEstacion, "Insertar Estación", A::InsertarEstacion},
        {C::BarraAnadirEstacion, "Añadir Estación", A::AnadirEstacion},
        {C::BarraBorrarEstacion, "Borrar Estación", A::BorrarEstacion},
        {},
        {C::BarraCrearEstacionamiento, "Crear Estacionamiento", A::AnadirEstacionamiento},
        {C::BarraBorrarEstacionamiento, "Borrar Estacionamiento", A::BorrarEstacionamiento},
        {},
        {C::BarraInsertarLectura, "Insertar Lectura", A::InsertarLectura},
        {C::BarraAnadirLectura, "Añadir Lectura", A::AnadirLectura},
        {C::BarraBorrarLectura, "Borrar Lectura", A::BorrarLectura},
        {},
        {C::BarraDesorientacion, "Cálculo Desorientación", A::DesorientacionTodas},
        {C::BarraRadiacion, "Cálculo Radiación", A::Radiacion},
        {C::BarraEstacion, "Cálculo XYZ Estación", A::EstacionMmcc},
        {},
        {C::BarraPoligonales, "Poligonales", A::Poligonales},
        {C::BarraNivelacion, "Nivelación", A::Nivelacion},
        {},
        {C::BarraAyuda, "Ayuda", A::Ayuda},
    };
}

std::vector<EntradaMenu> construirEmergentes() {
    return {
        submenu("Estaciones",
                {
                    entrada("Insertar Estación", C::EmergenteInsertarEstacion, A::InsertarEstacion),
                    entrada("Añadir Estación", C::EmergenteAnadirEstacion, A::AnadirEstacion),
                    kSeparador,
                    entrada("Recoger XYZ de un *.CRD", C::EmergenteRecogerCrd, A::RecogerCoordenadasCrd),
                    entrada("Recoger XYZ de ACAD...", C::EmergenteRecogerAcad, A::RecogerCoordenadasAcad),
                    kSeparador,
                    entrada("Insertar Bases de un *.CRD", C::EmergenteImportarCrd, A::ImportarEstacionesCrd),
                    entrada("Exportar Bases a un *.CRD", C::EmergenteExportarCrd, A::ExportarEstacionesCrd),
                    kSeparador,
                    entrada("Imprimir Listado de Bases...", C::EmergenteListadoBases, A::ImprimirListadoBases),
                }),
        submenu("Estación",
                {
                    entrada("Añadir Estacionamiento", C::EmergenteAnadirEstacionamiento, A::AnadirEstacionamiento),
                    entrada("Borrar Estación", C::EmergenteBorrarEstacion, A::BorrarEstacion),
                    entrada("Unir Todos los Estacionamientos", C::EmergenteUnirTodos, A::UnirTodosEstacionamientos),
                    kSeparador,
                    entrada("Calcular Coordenadas..", C::EmergenteCalcularCoordenadas, A::EstacionMmcc),
                    entrada("Recoger XYZ de ACAD", C::EmergenteRecogerAcad, A::RecogerCoordenadasAcad),
                    entrada("Recoger XYZ de un *.CRD", C::EmergenteRecogerCrdEstacion,
                            A::RecogerCoordenadasCrdEstacion),
                    kSeparador,
                    entrada("Imprimir Estadillo Base", C::EmergenteResenaBase, A::ImprimirResenaBase),
                }),
        submenu("Estacionamiento",
                {
                    entrada("Insertar Lectura", C::EmergenteInsertarLectura, A::InsertarLectura),
                    entrada("Añadir Lectura", C::EmergenteAnadirLectura, A::AnadirLectura),
                    entrada("Borrar Estacionamiento", C::EmergenteBorrarEstacionamiento, A::BorrarEstacionamiento),
                    kSeparador,
                    entrada("Calcular Desorientación", C::EmergenteDesorientacion, A::DesorientacionIndividual),
                    entrada("Cambiar a Otra Estación", C::EmergenteCambiarEstacion, A::CambiarEstacion),
                    entrada("Unir dos Estacionamientos", C::EmergenteUnirDos, A::UnirDosEstacionamientos),
                    entrada("Opciones de Lecturas", C::EmergenteOpcionesLecturas, A::OpcionesLecturas),
                    kSeparador,
                    entrada("Imprimir Estadillo de Lecturas", C::EmergenteEstadilloLecturas,
                            A::ImprimirEstadilloLecturas),
                }),
        submenu("Fichero de coordenadas",
                {
                    entrada("Exportar puntos...", C::ExportarPuntos, A::ExportarPuntos),
                    entrada("Importar puntos...", C::ImportarPuntos, A::ImportarPuntos),
                }),
    };
}

void anotar(std::map<Comando, Accion>& mapa, Comando id, Accion accion) { mapa.emplace(id, accion); }

void anotarMenu(std::map<Comando, Accion>& mapa, const std::vector<EntradaMenu>& entradas) {
    for (const auto& e : entradas) {
        if (e.id != C::Ninguno) anotar(mapa, e.id, e.accion);
        anotarMenu(mapa, e.submenu);
    }
}

std::map<Comando, Accion> construirAcciones() {
    std::map<Comando, Accion> mapa;
    anotarMenu(mapa, menuPrincipal());
    for (const auto& b : barraHerramientas())
        if (b.id != C::Ninguno) anotar(mapa, b.id, b.accion);
    for (int estado : {1, 2, 3, 5}) anotarMenu(mapa, menuEmergente(estado).submenu);
    anotar(mapa, C::Deshacer, A::Deshacer);
    anotar(mapa, C::Rehacer, A::Rehacer);
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

std::optional<Accion> accionDeComando(Comando id) {
    static const std::map<Comando, Accion> acciones = construirAcciones();
    const auto it = acciones.find(id);
    if (it == acciones.end()) return std::nullopt;
    return it->second;
}

bool accionPropiaDelGestor(Accion accion) {
    switch (accion) {
        case Accion::Ninguna:
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
