// "INSERTAR DATO": the name of a new station, or of a new set-up (then the
// second label reads "SUBESTACION").
#pragma once

#include <QDialog>

class QLineEdit;

namespace celvara::ui {

class DialogoInsertarDato : public QDialog {
    Q_OBJECT
public:
    DialogoInsertarDato(bool estacionamiento, const QString& textoInicial, QWidget* padre = nullptr);
    QString texto() const;
    QLineEdit* edicion() const { return edicion_; }

private:
    QLineEdit* edicion_;
};

}  // namespace celvara::ui
