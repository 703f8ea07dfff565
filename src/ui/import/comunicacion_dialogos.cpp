#include "ui/import/comunicacion_dialogos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "fieldbook/codificacion.h"
#include "ui/comun/dialogo_fichero_qt.h"
#include "ui/serie/puerto_serie.h"

namespace celvara::ui {

namespace {

constexpr const char* kTituloCaptura = "Comunicación";
constexpr char kLetrasParidad[] = {'N', 'E', 'O', 'S', 'M'};
constexpr ControlFlujo kControles[] = {ControlFlujo::Ninguno, ControlFlujo::XonXoff, ControlFlujo::Hardware};

QString qs(std::string_view t) { return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())); }

std::string rellenar(std::string formato, std::initializer_list<std::string> valores) {
    std::size_t desde = 0;
    for (const std::string& v : valores) {
        const auto p = formato.find("%s", desde);
        if (p == std::string::npos) break;
        formato.replace(p, 2, v);
        desde = p + v.size();
    }
    return formato;
}

QComboBox* lista(QWidget* padre, const QStringList& textos) {
    auto* c = new QComboBox(padre);
    c->addItems(textos);
    return c;
}

}  // namespace

// ---- "Protocolo de Comunicaciones"

DialogoProtocoloComunicaciones::DialogoProtocoloComunicaciones(const ProtocoloComunicaciones& p,
                                                               const MapaRutas& mapa, QWidget* padre)
    : QDialog(padre), mapa_(mapa), protocoloTipo_(p.protocolo) {
    setWindowTitle(QStringLiteral("Protocolo de Comunicaciones"));

    // The ports the system finds, by the name it gives them; any other
    // name or path may be typed.
    puerto_ = new QComboBox(this);
    puerto_->setEditable(true);
    puerto_->addItems(puertosSerieDelSistema());
    puerto_->setCurrentText(QString::fromStdString(p.puerto.puerto));

    baudios_ = lista(this, {QStringLiteral("38400"), QStringLiteral("19200"), QStringLiteral("9600"),
                            QStringLiteral("4800"), QStringLiteral("2400"), QStringLiteral("1200"),
                            QStringLiteral("600"), QStringLiteral("300")});
    const QString baud = QString::number(p.puerto.baudios);
    if (baudios_->findText(baud) < 0) baudios_->addItem(baud);
    baudios_->setCurrentText(baud);

    paridad_ = lista(this, {QStringLiteral("Ninguna"), QStringLiteral("Par"), QStringLiteral("Impar"),
                            QStringLiteral("Espacio"), QStringLiteral("Marca")});
    for (int i = 0; i < 5; ++i)
        if (kLetrasParidad[i] == p.puerto.paridad) paridad_->setCurrentIndex(i);

    bitsDatos_ = lista(this, {QStringLiteral("8"), QStringLiteral("7"), QStringLiteral("6")});
    bitsDatos_->setCurrentIndex(std::max(0, bitsDatos_->findText(QString::number(p.puerto.bitsDatos))));
    bitsParada_ = lista(this, {QStringLiteral("1"), QStringLiteral("2")});
    bitsParada_->setCurrentIndex(p.puerto.bitsParada == 2 ? 1 : 0);
    // Only what the port can do: DTR/DSR is not offered.
    control_ = lista(this, {QStringLiteral("Ninguno"), QStringLiteral("XON/XOFF"), QStringLiteral("RTS/CTS")});
    for (int i = 0; i < 3; ++i)
        if (kControles[i] == p.puerto.control) control_->setCurrentIndex(i);
    // Only the plain character capture exists.
    tipo_ = lista(this, {QStringLiteral("ASCII"), QStringLiteral("XMODEM"), QStringLiteral("XMODEMCRC"),
                         QStringLiteral("YMODEM"), QStringLiteral("YMODEMBATCH"), QStringLiteral("ZMODEM")});
    tipo_->setEnabled(false);

    ruta_ = new QLineEdit(qs(cp1252AUtf8(p.ficheroIntercambio)), this);
    ruta_->setReadOnly(true);
    generar_ = new QCheckBox(QStringLiteral("Gerenar Fichero Intercambio"), this);
    generar_->setChecked(p.generarFichero);
    fichero_ = new QPushButton(QStringLiteral("Fichero"), this);
    fichero_->setEnabled(p.generarFichero);

    auto* formulario = new QFormLayout;
    formulario->addRow(QStringLiteral("Puerto de Entrada"), puerto_);
    formulario->addRow(QStringLiteral("Baudios"), baudios_);
    formulario->addRow(QStringLiteral("Paridad"), paridad_);
    formulario->addRow(QStringLiteral("Bits de Datos"), bitsDatos_);
    formulario->addRow(QStringLiteral("Bits de Parada"), bitsParada_);
    formulario->addRow(QStringLiteral("Control de Flujo"), control_);
    formulario->addRow(QStringLiteral("Tipo de Protocolo"), tipo_);
    auto* filaFichero = new QHBoxLayout;
    filaFichero->addWidget(generar_);
    filaFichero->addWidget(fichero_);

    auto* botones = new QDialogButtonBox(this);
    botones->addButton(QStringLiteral("Aceptar"), QDialogButtonBox::AcceptRole);
    botones->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    auto* capa = new QVBoxLayout(this);
    capa->addLayout(formulario);
    capa->addWidget(ruta_);
    capa->addLayout(filaFichero);
    capa->addWidget(botones);

    connect(generar_, &QCheckBox::toggled, fichero_, &QPushButton::setEnabled);
    connect(fichero_, &QPushButton::clicked, this, &DialogoProtocoloComunicaciones::elegirFichero);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void DialogoProtocoloComunicaciones::elegirFichero() {
    if (pedirFichero) {
        if (const auto elegido = pedirFichero(); elegido && !elegido->empty())
            ruta_->setText(qs(cp1252AUtf8(mapa_.aWindows(*elegido))));
        return;
    }
    // The exchange file's own folder, shown as C:\...
    PeticionFichero p;
    p.guardar = true;
    p.extension = "txt";
    p.nombreInicial = ruta_->text().trimmed().toStdString();
    p.filtro = "Archivos de Texto (*.TXT) |*.TXT|Todos los archivos (*.*) |*.*||";
    if (const auto r = pedirFicheroQt(this, mapa_, p); r && !r->empty()) ruta_->setText(qs(*r));
}

ProtocoloComunicaciones DialogoProtocoloComunicaciones::protocolo() const {
    ProtocoloComunicaciones p;
    p.ficheroIntercambio = utf8ACp1252(ruta_->text().toStdString());
    p.generarFichero = generar_->isChecked();
    p.puerto.puerto = puerto_->currentText().trimmed().toStdString();
    p.puerto.baudios = baudios_->currentText().toInt();
    p.puerto.paridad = kLetrasParidad[std::clamp(paridad_->currentIndex(), 0, 4)];
    p.puerto.bitsDatos = bitsDatos_->currentText().toInt();
    p.puerto.bitsParada = bitsParada_->currentIndex() + 1;
    p.puerto.control = kControles[std::clamp(control_->currentIndex(), 0, 2)];
    p.protocolo = protocoloTipo_;
    return p;
}

// ---- "Comunicación"

DialogoComunicacion::DialogoComunicacion(const ParametrosPuerto& parametros, std::filesystem::path fichero,
                                         std::uint8_t* bandera, Avisos& avisos, QWidget* padre)
    : QDialog(padre), avisos_(avisos), puerto_(std::make_unique<PuertoSerie>()), nombrePuerto_(parametros.puerto) {
    setWindowTitle(qs(kTituloCaptura));
    estado_ = new QLabel(qs(mensajes::kPuertoAbierto), this);
    contador_ = new QLabel(QStringLiteral("Línea :"), this);
    linea_ = new QLabel(this);
    linea_->setMinimumWidth(420);
    linea_->setTextFormat(Qt::PlainText);
    terminar_ = new QPushButton(QStringLiteral("Terminar"), this);
    terminar_->setDefault(true);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(estado_);
    capa->addWidget(contador_);
    capa->addWidget(linea_);
    capa->addWidget(terminar_, 0, Qt::AlignRight);
    connect(terminar_, &QPushButton::clicked, this, &DialogoComunicacion::terminar);

    if (!puerto_->abrir(parametros)) {
        estado_->setText(qs(mensajes::kPuertoNoExiste));
        puertoFallido_ = true;
        return;
    }
    if (bandera) *bandera = 0;
    captura_ = std::make_unique<CapturaSerie>(std::move(fichero), parametros.bitsDatos);
    if (!captura_->abierta()) {
        // Nothing can be kept: the port is of no use.
        puerto_->cerrar();
        puertoFallido_ = true;
        const std::string texto = rellenar(mensajes::kFicheroIntercambioNoCreado, {captura_->fichero().string()});
        captura_.reset();
        estado_->setText(qs(texto));
        avisos_.mensaje(texto, kTituloCaptura, Botones::Aceptar, Icono::Stop);
        return;
    }
    connect(puerto_.get(), &PuertoSerie::recibido, this, &DialogoComunicacion::recibir);
    connect(puerto_.get(), &PuertoSerie::fallo, this, &DialogoComunicacion::falloLinea);
}

DialogoComunicacion::~DialogoComunicacion() = default;

void DialogoComunicacion::recibir(const QByteArray& datos) {
    if (!captura_) return;
    if (captura_->recibir(std::string_view(datos.constData(), static_cast<std::size_t>(datos.size()))) > 0) {
        char texto[32];
        std::snprintf(texto, sizeof texto, "Línea: %ld", static_cast<long>(captura_->lineas()));
        contador_->setText(QString::fromUtf8(texto));
    }
    const std::string& actual = captura_->lineaActual().empty() ? captura_->ultimaLinea() : captura_->lineaActual();
    linea_->setText(qs(cp1252AUtf8(actual)));
}

void DialogoComunicacion::falloLinea(const QString& motivo) {
    estado_->setText(QStringLiteral("Puerto cerrado."));
    avisos_.mensaje(rellenar(mensajes::kErrorPuerto, {nombrePuerto_, motivo.toStdString()}), kTituloCaptura,
                    Botones::Aceptar, Icono::Stop);
}

void DialogoComunicacion::terminar() {
    puerto_->cerrar();
    if (!captura_) {
        QDialog::reject();
        return;
    }
    const FinCaptura fin = captura_->terminar();
    if (fin == FinCaptura::Escrito) {
        escrito_ = true;
        accept();
        return;
    }
    if (fin == FinCaptura::SinLineas)
        avisos_.mensaje(mensajes::kSinLineas, kTituloCaptura, Botones::Aceptar, Icono::Exclamacion);
    else
        avisos_.mensaje(rellenar(mensajes::kFicheroIntercambioNoGrabado, {captura_->fichero().string()}),
                        kTituloCaptura, Botones::Aceptar, Icono::Stop);
    QDialog::reject();
}

void DialogoComunicacion::reject() {
    captura_.reset();
    puerto_->cerrar();
    QDialog::reject();
}

std::optional<std::filesystem::path> ejecutarComunicacion(QWidget* padre, const ProtocoloComunicaciones& protocolo,
                                                          const MapaRutas& mapa, std::uint8_t* bandera,
                                                          Avisos& avisos) {
    const auto fichero = mapa.aAnfitrion(protocolo.ficheroUsado());
    DialogoComunicacion dialogo(protocolo.puerto, fichero, bandera, avisos, padre);
    dialogo.exec();
    if (!dialogo.escrito()) return std::nullopt;
    return fichero;
}

}  // namespace celvara::ui
