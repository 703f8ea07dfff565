// The project drawing: a plan of the stations, the sightings of the set-ups
// and the points of the open coordinate file with their numbers, north up.
// The wheel zooms about the cursor, dragging pans, a double click (or Home)
// fits the drawing to the window.
#pragma once

#include <QWidget>

#include "manager/gestor_dibujo.h"

namespace celvara::ui {

class PanelDibujo : public QWidget {
    Q_OBJECT
public:
    explicit PanelDibujo(QWidget* padre = nullptr);

    // Builds the drawing again from the book; the view is fitted the first
    // time and whenever `ajustarVista` asks.
    void fijarEntradas(const EntradasDibujo& entradas, bool ajustarVista = false);
    void ajustar();

    const EscenaPlano& escena() const { return escena_; }
    const VistaPlano& vistaPlano() const { return vista_; }

    QSize sizeHint() const override { return {400, 300}; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void dibujarEscala(class QPainter& p);
    void dibujarNorte(class QPainter& p);

    EscenaPlano escena_;
    VistaPlano vista_;
    bool ajustado_ = false;
    bool movidaPorUsuario_ = false;  // zoomed or panned since the last fit
    bool arrastrando_ = false;
    QPointF ultimo_;
};

}  // namespace celvara::ui
