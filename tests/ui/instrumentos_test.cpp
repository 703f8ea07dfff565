// The instrument windows and "DATOS GENERALES" driven through their widgets
// under the offscreen platform, with the fixed data folder in a scratch C:.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/rutas.h"
#include "ui/manager/datos_trabajo_dialogo.h"
#include "ui/manager/instrumentos_dialogos.h"

using namespace celvara;
using namespace celvara::ui;

namespace {

// Records what would have been shown.
class AvisosGrabados : public Avisos {
public:
    Respuesta mensaje(std::string_view texto, std::string_view, Botones, Icono icono) override {
        textos << QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
        iconos.push_back(icono);
        return Respuesta::Aceptar;
    }
    QStringList textos;
    std::vector<Icono> iconos;
};

const QString kDanada = QStringLiteral("La Base de Datos de Instrumentos no Existe o esta Dañada");

QByteArray registro(const char* nombre, int aumentos) {
    QByteArray r(392, '\0');
    std::memcpy(r.data() + 4, nombre, std::strlen(nombre));
    r[72] = static_cast<char>(aumentos);
    return r;
}

void clic(QWidget* ventana, const char* boton) {
    auto* b = ventana->findChild<QPushButton*>(QString::fromUtf8(boton));
    QVERIFY2(b, boton);
    QTest::mouseClick(b, Qt::LeftButton);
}

}  // namespace

class PruebaInstrumentos : public QObject {
    Q_OBJECT

private:
    QString vestrum() const { return raiz_.path() + QStringLiteral("/trabajos/vestrum"); }
    QString biblioteca() const { return vestrum() + QStringLiteral("/instrumentos.apa"); }
    QByteArray leer(const QString& ruta) const {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void escribir(const QString& ruta, const QByteArray& datos) {
        QDir().mkpath(QFileInfo(ruta).path());
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(datos);
    }

    QTemporaryDir raiz_;
    std::unique_ptr<MapaRutas> mapa_;

private slots:
    void init() {
        QVERIFY(raiz_.isValid());
        QDir(raiz_.path()).removeRecursively();
        QDir().mkpath(raiz_.path());
        mapa_ = std::make_unique<MapaRutas>(raiz_.path().toStdString());
    }

    void anadirYSalirSinGrabarNoAnade() {
        escribir(biblioteca(), registro("LEICA TS06", 30));
        const QByteArray antes = leer(biblioteca());
        CDatosGenerales ajustes;
        AvisosGrabados avisos;
        DialogoEditorInstrumentos editor(ajustes, *mapa_, avisos);
        editor.pedirNombre = [] { return std::optional<QString>(QStringLiteral("NUEVA ESTACIÓN")); };
        editor.show();

        auto* nombres = editor.findChild<QComboBox*>(QStringLiteral("nombres"));
        QVERIFY(nombres);
        QCOMPARE(nombres->count(), 1);
        clic(&editor, "anadir");
        QCOMPARE(nombres->count(), 2);
        QCOMPARE(nombres->currentText(), QStringLiteral("NUEVA ESTACIÓN"));
        auto* numero = editor.findChild<QLineEdit*>(QStringLiteral("numero"));
        QVERIFY(numero->isReadOnly());
        QCOMPARE(numero->text(), QString());
        editor.findChild<QLineEdit*>(QStringLiteral("aumentos"))->setText(QStringLiteral("32"));

        clic(&editor, "salir");
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QVERIFY(!editor.isVisible());
        QCOMPARE(leer(biblioteca()), antes);
        QVERIFY(avisos.textos.isEmpty());
    }

    void anadirGrabarYSalirGuardaConAcentos() {
        escribir(biblioteca(), registro("LEICA TS06", 30));
        CDatosGenerales ajustes;
        AvisosGrabados avisos;
        DialogoEditorInstrumentos editor(ajustes, *mapa_, avisos);
        editor.pedirNombre = [] { return std::optional<QString>(QStringLiteral("ESTACIÓN")); };
        editor.show();
        clic(&editor, "anadir");
        editor.findChild<QLineEdit*>(QStringLiteral("aumentos"))->setText(QStringLiteral("26"));
        editor.findChild<QLineEdit*>(QStringLiteral("precision"))->setText(QStringLiteral("1,5"));
        clic(&editor, "grabar");
        clic(&editor, "salir");
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        const QByteArray bytes = leer(biblioteca());
        QCOMPARE(bytes.size(), 784);
        QCOMPARE(bytes.mid(392 + 4, 9), QByteArray("ESTACI\xD3N\0", 9));  // Windows-1252 in the record
        QCOMPARE(int(bytes[392 + 72]), 26);
        float precision = 0;
        std::memcpy(&precision, bytes.constData() + 392 + 92, 4);
        QCOMPARE(precision, 1.5f);
    }

    void salirQueFallaYLuegoFunciona() {
        CDatosGenerales ajustes;
        ajustes.ficheroInstrumentos = "c:\\trabajos\\nueva\\instrumentos.apa";
        AvisosGrabados avisos;
        DialogoEditorInstrumentos editor(ajustes, *mapa_, avisos);
        editor.pedirNombre = [] { return std::optional<QString>(QStringLiteral("X")); };
        editor.show();
        QCOMPARE(avisos.textos, QStringList{kDanada});

        clic(&editor, "anadir");
        editor.findChild<QLineEdit*>(QStringLiteral("aumentos"))->setText(QStringLiteral("30"));
        clic(&editor, "grabar");

        clic(&editor, "salir");
        QCOMPARE(avisos.textos.size(), 2);
        QCOMPARE(avisos.textos.back(), QString());
        QVERIFY(avisos.iconos.back() == Icono::Stop);
        QVERIFY(editor.isVisible());
        // Closing the window is "SALIR" too, and fails the same way.
        editor.close();
        QVERIFY(editor.isVisible());
        QCOMPARE(avisos.textos.size(), 3);
        QCOMPARE(editor.findChild<QComboBox*>(QStringLiteral("nombres"))->count(), 1);

        QVERIFY(QDir().mkpath(raiz_.path() + QStringLiteral("/trabajos/nueva")));
        clic(&editor, "salir");
        QVERIFY(!editor.isVisible());
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        const QByteArray bytes = leer(raiz_.path() + QStringLiteral("/trabajos/nueva/instrumentos.apa"));
        QCOMPARE(bytes.size(), 392);
        QCOMPARE(bytes[4], 'X');
        QCOMPARE(int(bytes[72]), 30);
    }

    void borrarYFoto() {
        escribir(biblioteca(), registro("A", 30) + registro("B", 26) + registro("A", 28));
        escribir(vestrum() + QStringLiteral("/ts.bmp"), QByteArray("no es una imagen"));
        CDatosGenerales ajustes;
        AvisosGrabados avisos;
        DialogoEditorInstrumentos editor(ajustes, *mapa_, avisos);
        const QString foto = vestrum() + QStringLiteral("/ts.bmp");
        editor.pedirFoto = [foto] { return std::optional<QString>(foto); };
        editor.show();
        auto* nombres = editor.findChild<QComboBox*>(QStringLiteral("nombres"));
        nombres->setCurrentIndex(1);
        emit nombres->activated(1);
        QCOMPARE(editor.findChild<QLineEdit*>(QStringLiteral("aumentos"))->text(), QStringLiteral("26"));
        clic(&editor, "foto");
        auto* ruta = editor.findChild<QLineEdit*>(QStringLiteral("ficheroFoto"));
        QVERIFY2(ruta->text().startsWith(QStringLiteral("C:\\")), qPrintable(ruta->text()));
        QVERIFY(ruta->text().endsWith(QStringLiteral("\\ts.bmp")));
        editor.pedirFoto = [] { return std::optional<QString>(); };
        clic(&editor, "foto");
        QCOMPARE(ruta->text(), QStringLiteral("c:\\trabajos\\vestrum\\foto0.bmp"));

        nombres->setCurrentIndex(2);
        emit nombres->activated(2);
        clic(&editor, "borrar");
        QCOMPARE(nombres->count(), 1);
        QCOMPARE(nombres->itemText(0), QStringLiteral("B"));
        clic(&editor, "salir");
        QCOMPARE(leer(biblioteca()).size(), 392);
    }

    void listadoMuestraEligeYVuelveDelEditor() {
        escribir(biblioteca(), registro("A", 30) + registro("B", 26));
        CDatosGenerales ajustes;
        AvisosGrabados avisos;
        DialogoListadoInstrumentos listado(ajustes, *mapa_, avisos);
        listado.show();
        auto* nombres = listado.findChild<QListWidget*>(QStringLiteral("nombres"));
        QCOMPARE(nombres->count(), 2);
        nombres->setCurrentRow(1);
        QCOMPARE(listado.findChild<QLabel*>(QStringLiteral("caracteristica0"))->text(), QStringLiteral("NOMBRE: B"));
        QCOMPARE(listado.findChild<QLabel*>(QStringLiteral("caracteristica1"))->text(), QStringLiteral("Aumentos: 26"));

        listado.ejecutarEditor = [this] { escribir(biblioteca(), registro("C", 33)); };
        clic(&listado, "editor");
        QCOMPARE(nombres->count(), 1);
        QCOMPARE(nombres->currentRow(), 0);
        QCOMPARE(listado.findChild<QLabel*>(QStringLiteral("caracteristica1"))->text(), QStringLiteral("Aumentos: 33"));
        clic(&listado, "aceptar");
        QCOMPARE(listado.result(), int(QDialog::Accepted));
        QVERIFY(listado.nombreElegido());
        QCOMPARE(*listado.nombreElegido(), std::string("C"));
        QVERIFY(avisos.textos.isEmpty());
    }

    void editorAbreEnElElegidoConLaMismaUnidad() {
        escribir(biblioteca(), registro("A", 30) + registro("B", 26));
        CDatosGenerales ajustes;
        AvisosGrabados avisos;
        DialogoListadoInstrumentos listado(ajustes, *mapa_, avisos);
        listado.show();
        listado.findChild<QListWidget*>(QStringLiteral("nombres"))->setCurrentRow(1);
        // The spherical level in minutes, as the editor's unit reads.
        QVERIFY(listado.findChild<QLabel*>(QStringLiteral("caracteristica10"))->text().endsWith(u'\''));
        int elegido = -1;
        QString aumentos;
        QTimer::singleShot(0, [&] {
            auto* editor = qobject_cast<DialogoEditorInstrumentos*>(QApplication::activeModalWidget());
            if (!editor) return;
            elegido = editor->findChild<QComboBox*>(QStringLiteral("nombres"))->currentIndex();
            aumentos = editor->findChild<QLineEdit*>(QStringLiteral("aumentos"))->text();
            editor->close();
        });
        clic(&listado, "editor");
        QCOMPARE(elegido, 1);
        QCOMPARE(aumentos, QStringLiteral("26"));
    }

    void listadoSinBiblioteca() {
        CDatosGenerales ajustes;
        AvisosGrabados avisos;
        DialogoListadoInstrumentos listado(ajustes, *mapa_, avisos);
        QCOMPARE(avisos.textos, QStringList{kDanada});
        QCOMPARE(listado.findChild<QListWidget*>(QStringLiteral("nombres"))->count(), 0);
        listado.show();
        clic(&listado, "aceptar");
        QVERIFY(!listado.nombreElegido());
    }

    void datosGeneralesSinFicheroCreaElRegistro() {
        QDir().mkpath(vestrum());
        CDatosGenerales ajustes;
        AvisosGrabados avisos;
        DialogoDatosTrabajo dialogo(ajustes, *mapa_, avisos);
        QCOMPARE(avisos.textos, QStringList{QStringLiteral("El fichero de Datos Informativos del Trabajo\nno Existe o esta Dañada")});
        dialogo.show();
        QCOMPARE(dialogo.findChild<QLineEdit*>(QStringLiteral("empresa"))->text(), QStringLiteral("EMPRESA"));
        QCOMPARE(dialogo.findChild<QLineEdit*>(QStringLiteral("direccion"))->text(), QStringLiteral("Dirección"));
        QCOMPARE(dialogo.findChild<QLineEdit*>(QStringLiteral("telefonos"))->text(), QStringLiteral("Teléfono"));
        dialogo.findChild<QLineEdit*>(QStringLiteral("titulo"))->setText(QStringLiteral("Parcela 14"));
        dialogo.findChild<QPlainTextEdit*>(QStringLiteral("observaciones"))->setPlainText(QStringLiteral("uno\ndos"));
        clic(&dialogo, "aceptar");
        QCOMPARE(dialogo.result(), int(QDialog::Accepted));
        const QByteArray bytes = leer(vestrum() + QStringLiteral("/datos_empresa.prt"));
        QCOMPARE(bytes.size(), 1513);
        QCOMPARE(bytes.mid(50, 10), QByteArray("Direcci\xF3n\0", 10));
        QCOMPARE(bytes.mid(180, 11), QByteArray("Parcela 14\0", 11));
        QCOMPARE(bytes.mid(460, 9), QByteArray("uno\r\ndos\0", 9));
    }

    void datosGeneralesCancelarNoEscribe() {
        QDir().mkpath(vestrum());
        CDatosGenerales ajustes;
        AvisosGrabados avisos;
        DialogoDatosTrabajo dialogo(ajustes, *mapa_, avisos);
        dialogo.show();
        clic(&dialogo, "cancelar");
        QVERIFY(!QFile::exists(vestrum() + QStringLiteral("/datos_empresa.prt")));
    }
};

QTEST_MAIN(PruebaInstrumentos)
#include "instrumentos_test.moc"
