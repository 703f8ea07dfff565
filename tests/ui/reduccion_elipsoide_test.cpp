// The reduction-factor window: "Calc" shows R / (R + h), "Aceptar" hands the
// factor to the caller, "Cancelar" hands nothing.
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "ui/calc/reduccion_elipsoide_dialogo.h"

using celvara::CDatosGenerales;
using celvara::ui::DialogoReduccionElipsoide;

class PruebaReduccionElipsoide : public QObject {
    Q_OBJECT
private slots:
    void abreConElRadioDeLosAjustes() {
        CDatosGenerales ajustes;
        ajustes.radioTerrestre = 6378000;
        DialogoReduccionElipsoide d(ajustes);
        QCOMPARE(d.windowTitle(), QStringLiteral("Cálculo del F. Reduc de Distancias al Elipsoide"));
        QCOMPARE(d.findChild<QLineEdit*>("radio")->text(), QStringLiteral("6378000.000"));
        QVERIFY(d.findChild<QLineEdit*>("factor")->text().isEmpty());
    }

    void calcYAceptar() {
        CDatosGenerales ajustes;
        DialogoReduccionElipsoide d(ajustes);
        auto* radio = d.findChild<QLineEdit*>("radio");
        radio->clear();
        QTest::keyClicks(radio, "6378000");
        QTest::keyClicks(d.findChild<QLineEdit*>("altura"), "600");
        QTest::mouseClick(d.findChild<QPushButton*>("calc"), Qt::LeftButton);
        QCOMPARE(d.findChild<QLineEdit*>("factor")->text(), QStringLiteral("0.9999059355"));
        QTest::mouseClick(d.findChild<QPushButton*>("aceptar"), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.factor(), 0.9999059355);
    }

    void aceptarTomaElFactorEditado() {
        CDatosGenerales ajustes;
        DialogoReduccionElipsoide d(ajustes);
        QTest::keyClicks(d.findChild<QLineEdit*>("factor"), "0,99987");
        QTest::mouseClick(d.findChild<QPushButton*>("aceptar"), Qt::LeftButton);
        QCOMPARE(d.factor(), 0.99987);
    }

    void cancelarNoDevuelveNada() {
        CDatosGenerales ajustes;
        QTimer::singleShot(0, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<DialogoReduccionElipsoide*>(w)) {
                    QTest::keyClicks(d->findChild<QLineEdit*>("altura"), "600");
                    QTest::mouseClick(d->findChild<QPushButton*>("calc"), Qt::LeftButton);
                    QTest::mouseClick(d->findChild<QPushButton*>("cancelar"), Qt::LeftButton);
                }
        });
        QVERIFY(!DialogoReduccionElipsoide::pedirFactor(ajustes).has_value());
    }

    void pedirFactorDevuelveElCalculado() {
        CDatosGenerales ajustes;
        QTimer::singleShot(0, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<DialogoReduccionElipsoide*>(w)) {
                    QTest::keyClicks(d->findChild<QLineEdit*>("altura"), "1000");
                    QTest::mouseClick(d->findChild<QPushButton*>("calc"), Qt::LeftButton);
                    QTest::mouseClick(d->findChild<QPushButton*>("aceptar"), Qt::LeftButton);
                }
        });
        const auto factor = DialogoReduccionElipsoide::pedirFactor(ajustes);
        QVERIFY(factor.has_value());
        QCOMPARE(*factor, 0.9998432452);  // 6378388 / 6379388 to ten decimals
    }
};

QTEST_MAIN(PruebaReduccionElipsoide)
#include "reduccion_elipsoide_test.moc"
