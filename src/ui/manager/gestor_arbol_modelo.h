// The tree of the main window as a Qt model read straight from the field
// book: two bold roots "Estaciones" and "Coordenadas", the stations with
// their set-ups, the coordinate files. Nodes are addressed by index, so a
// book of thousands of stations costs nothing until a branch is opened.
#pragma once

#include <QAbstractItemModel>

#include "manager/gestor_observaciones.h"

namespace celvara::ui {

class ModeloArbolGestor : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit ModeloArbolGestor(CGestorObservaciones& gestor, QObject* padre = nullptr);

    // The book changed: read everything again.
    void recargar();

    NodoArbol nodo(const QModelIndex& indice) const;
    QModelIndex indice(const NodoArbol& nodo) const;
    QModelIndex raizEstaciones() const { return index(0, 0); }
    QModelIndex raizCoordenadas() const { return index(1, 0); }

    QModelIndex index(int fila, int columna, const QModelIndex& padre = {}) const override;
    QModelIndex parent(const QModelIndex& indice) const override;
    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int rol) override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

signals:
    void renombrado();

private:
    CGestorObservaciones& gestor_;
};

}  // namespace celvara::ui
