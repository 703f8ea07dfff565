#include "ui/manager/gestor_arbol_modelo.h"

#include <QApplication>
#include <QFont>
#include <QStyle>

#include "fieldbook/codificacion.h"

namespace celvara::ui {

namespace {

// What an index's internal id says about its parent.
constexpr quintptr kRaiz = 0;             // the two roots
constexpr quintptr kHijoEstaciones = 1;   // a station, under "Estaciones"
constexpr quintptr kHijoCoordenadas = 2;  // a file, under "Coordenadas"
constexpr quintptr kPrimerEstacionamiento = 3;  // a set-up of station (id - 3)

QString deCp1252(std::string_view texto) { return QString::fromStdString(cp1252AUtf8(texto)); }

}  // namespace

ModeloArbolGestor::ModeloArbolGestor(CGestorObservaciones& gestor, QObject* padre)
    : QAbstractItemModel(padre), gestor_(gestor) {}

void ModeloArbolGestor::recargar() {
    beginResetModel();
    endResetModel();
}

QModelIndex ModeloArbolGestor::index(int fila, int columna, const QModelIndex& padre) const {
    if (columna != 0 || fila < 0 || fila >= rowCount(padre)) return {};
    if (!padre.isValid()) return createIndex(fila, 0, kRaiz);
    switch (padre.internalId()) {
        case kRaiz:
            return createIndex(fila, 0, padre.row() == 0 ? kHijoEstaciones : kHijoCoordenadas);
        case kHijoEstaciones:
            return createIndex(fila, 0, kPrimerEstacionamiento + static_cast<quintptr>(padre.row()));
        default:
            return {};
    }
}

QModelIndex ModeloArbolGestor::parent(const QModelIndex& i) const {
    if (!i.isValid()) return {};
    switch (i.internalId()) {
        case kRaiz: return {};
        case kHijoEstaciones: return createIndex(0, 0, kRaiz);
        case kHijoCoordenadas: return createIndex(1, 0, kRaiz);
        default: return createIndex(static_cast<int>(i.internalId() - kPrimerEstacionamiento), 0, kHijoEstaciones);
    }
}

int ModeloArbolGestor::rowCount(const QModelIndex& padre) const {
    const auto& estaciones = gestor_.libreta().estaciones;
    if (!padre.isValid()) return 2;
    switch (padre.internalId()) {
        case kRaiz:
            return padre.row() == 0 ? static_cast<int>(estaciones.size())
                                    : static_cast<int>(gestor_.ficherosCoordenadas().size());
        case kHijoEstaciones: {
            const auto e = static_cast<std::size_t>(padre.row());
            return e < estaciones.size() ? static_cast<int>(estaciones[e]->estacionamientos.size()) : 0;
        }
        default:
            return 0;
    }
}

int ModeloArbolGestor::columnCount(const QModelIndex&) const { return 1; }

NodoArbol ModeloArbolGestor::nodo(const QModelIndex& i) const {
    if (!i.isValid()) return {};
    const auto& estaciones = gestor_.libreta().estaciones;
    const auto fila = static_cast<std::size_t>(i.row());
    switch (i.internalId()) {
        case kRaiz: return fila == 0 ? NodoArbol::raizEstaciones() : NodoArbol::raizCoordenadas();
        case kHijoEstaciones:
            return fila < estaciones.size() ? NodoArbol::deEstacion(estaciones[fila].get()) : NodoArbol{};
        case kHijoCoordenadas: return NodoArbol::deFichero(fila);
        default: {
            const auto e = static_cast<std::size_t>(i.internalId() - kPrimerEstacionamiento);
            if (e >= estaciones.size() || fila >= estaciones[e]->estacionamientos.size()) return {};
            return NodoArbol::deEstacionamiento(estaciones[e].get(), estaciones[e]->estacionamientos[fila].get());
        }
    }
}

QModelIndex ModeloArbolGestor::indice(const NodoArbol& n) const {
    const auto& estaciones = gestor_.libreta().estaciones;
    auto filaEstacion = [&](const Estacion* e) -> int {
        for (std::size_t i = 0; i < estaciones.size(); ++i)
            if (estaciones[i].get() == e) return static_cast<int>(i);
        return -1;
    };
    switch (n.tipo) {
        case TipoNodo::RaizEstaciones: return raizEstaciones();
        case TipoNodo::RaizCoordenadas: return raizCoordenadas();
        case TipoNodo::FicheroCoordenadas: return index(static_cast<int>(n.fichero), 0, raizCoordenadas());
        case TipoNodo::Estacion: {
            const int f = filaEstacion(n.estacion);
            return f < 0 ? QModelIndex() : index(f, 0, raizEstaciones());
        }
        case TipoNodo::Estacionamiento: {
            const int f = filaEstacion(n.estacion);
            if (f < 0) return {};
            const auto& lista = n.estacion->estacionamientos;
            for (std::size_t j = 0; j < lista.size(); ++j)
                if (lista[j].get() == n.estacionamiento)
                    return index(static_cast<int>(j), 0, index(f, 0, raizEstaciones()));
            return {};
        }
        default: return {};
    }
}

QVariant ModeloArbolGestor::data(const QModelIndex& i, int rol) const {
    if (!i.isValid()) return {};
    const NodoArbol n = nodo(i);
    switch (rol) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            switch (n.tipo) {
                case TipoNodo::RaizEstaciones: return QStringLiteral("Estaciones");
                case TipoNodo::RaizCoordenadas: return QStringLiteral("Coordenadas");
                case TipoNodo::Estacion: return deCp1252(n.estacion->nombre.vista());
                case TipoNodo::Estacionamiento: return deCp1252(n.estacionamiento->nombre.vista());
                case TipoNodo::FicheroCoordenadas:
                    return n.fichero < gestor_.ficherosCoordenadas().size()
                               ? QString::fromStdString(gestor_.ficherosCoordenadas()[n.fichero])
                               : QString();
                default: return {};
            }
        case Qt::FontRole:
            if (i.internalId() == kRaiz) {
                QFont f;
                f.setBold(true);
                return f;
            }
            return {};
        case Qt::DecorationRole: {
            QStyle* estilo = QApplication::style();
            switch (n.tipo) {
                case TipoNodo::RaizEstaciones:
                case TipoNodo::RaizCoordenadas: return estilo->standardIcon(QStyle::SP_DirIcon);
                case TipoNodo::FicheroCoordenadas: return estilo->standardIcon(QStyle::SP_FileIcon);
                default: return {};
            }
        }
        default:
            return {};
    }
}

bool ModeloArbolGestor::setData(const QModelIndex& i, const QVariant& valor, int rol) {
    if (rol != Qt::EditRole) return false;
    const bool hecho = gestor_.ediciones().renombrar(nodo(i), valor.toString().toUtf8().toStdString());
    if (hecho) {
        emit dataChanged(i, i);
        emit renombrado();
    }
    return hecho;
}

Qt::ItemFlags ModeloArbolGestor::flags(const QModelIndex& i) const {
    if (!i.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const TipoNodo t = nodo(i).tipo;
    if (t == TipoNodo::Estacion || t == TipoNodo::Estacionamiento) f |= Qt::ItemIsEditable;
    return f;
}

}  // namespace celvara::ui

