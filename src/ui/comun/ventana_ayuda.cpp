#include "ui/comun/ventana_ayuda.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

namespace celvara::ui {

namespace {

const QString kRaiz = QStringLiteral("qrc:/manual/");

QString leerPagina(const QString& fichero) {
    QFile f(QStringLiteral(":/manual/") + fichero);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Lower case without accents, so "nivelacion" finds "Nivelación".
QString plegar(const QString& texto) {
    QString r;
    const QString d = texto.normalized(QString::NormalizationForm_D);
    r.reserve(d.size());
    for (const QChar c : d)
        if (c.category() != QChar::Mark_NonSpacing) r.append(c);
    return r.toCaseFolded();
}

// The window classes of the program and the page that explains each; a
// window missing here (a message box, a file dialog) takes its parent's.
const std::map<QString, QString>& paginasDeVentanas() {
    static const std::map<QString, QString> mapa = [] {
        const std::pair<const char*, std::vector<const char*>> grupos[] = {
            {"gestor.html", {"VentanaGestor", "DialogoInsertarDato", "VentanaDibujo"}},
            {"configuracion.html",
             {"DialogoConfiguracion", "DialogoDatosTrabajo", "DialogoListadoInstrumentos", "DialogoEditorInstrumentos",
              "DialogoNombreInstrumento"}},
            {"importar.html", {"DialogoImportarDatosCampo", "DialogoProtocoloComunicaciones", "DialogoComunicacion"}},
            {"desorientacion.html", {"DialogoDesorientacion", "DialogoDesorientaciones"}},
            {"radiacion.html", {"DialogoRadiacion", "DialogoConfigurarCalculo", "DialogoReduccionElipsoide"}},
            {"estacion.html",
             {"DialogoEstacionMmcc", "DialogoEstacionSemi", "DialogoResultadoEstacion", "DialogoTablaCalculo",
              "DialogoMatrices"}},
            {"red.html", {"DialogoAjusteRed"}},
            {"poligonales.html",
             {"DialogoCalculoPoligonales", "DialogoRecogerObservaciones", "DialogoReferenciarPoligonal",
              "DialogoConfigurarPoligonal", "DialogoDatosEstacionPoligonal", "DialogoResultadoPoligonal"}},
            {"nivelacion.html", {"DialogoNivelacion"}},
            {"tolerancias.html", {"DialogoGestorTolerancias", "DialogoToleranciasPoligonal", "DialogoErroresPesos"}},
            {"correcciones.html",
             {"DialogoCorrecciones", "DialogoCambiarEstacion", "DialogoUnirEstacionamientos", "DialogoOpcionesLecturas",
              "DialogoVisualesRepetidas", "DialogoDatosComplementarios"}},
            {"herramientas.html", {"DialogoHelmert", "DialogoRefinamiento", "DialogoEditorCoordenadas"}},
            {"puntos.html", {"DialogoExportarPuntos", "DialogoImportarPuntos", "DialogoRecogerDxf"}},
            {"listados.html", {"DialogoImprimir", "DialogoResena"}},
        };
        std::map<QString, QString> m;
        for (const auto& [pagina, clases] : grupos)
            for (const char* clase : clases) m.emplace(QString::fromLatin1(clase), QString::fromLatin1(pagina));
        return m;
    }();
    return mapa;
}

QString claseSinEspacio(const QWidget* w) {
    const QString clase = QString::fromLatin1(w->metaObject()->className());
    return clase.mid(clase.lastIndexOf(QLatin1Char(':')) + 1);
}

class AyudaContextual : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override {
        if (e->type() != QEvent::ShortcutOverride && e->type() != QEvent::KeyPress) return false;
        const auto* tecla = static_cast<QKeyEvent*>(e);
        auto* w = qobject_cast<QWidget*>(objeto);
        if (tecla->key() != Qt::Key_F1 || tecla->modifiers() != Qt::NoModifier || !w) return false;
        // Taking the override keeps any shortcut from F1, so the key arrives here.
        e->accept();
        // An open menu hands the manual to the window it belongs to.
        QWidget* ventana = w->window();
        while (ventana->windowType() == Qt::Popup && ventana->parentWidget()) ventana = ventana->parentWidget()->window();
        if (e->type() == QEvent::KeyPress && !qobject_cast<VentanaAyuda*>(ventana))
            VentanaAyuda::abrir(ventana, paginaDeVentana(w));
        return true;
    }
};

}  // namespace

QPointer<VentanaAyuda> VentanaAyuda::abierta_;

VentanaAyuda::VentanaAyuda(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("ventanaAyuda"));
    setWindowTitle(QStringLiteral("Manual de Celvara"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    buscar_ = new QLineEdit(this);
    buscar_->setObjectName(QStringLiteral("buscar"));
    buscar_->setPlaceholderText(QStringLiteral("Buscar palabra..."));
    buscar_->setClearButtonEnabled(true);
    lista_ = new QListWidget(this);
    lista_->setObjectName(QStringLiteral("paginas"));
    texto_ = new QTextBrowser(this);
    texto_->setObjectName(QStringLiteral("texto"));
    texto_->setOpenExternalLinks(true);

    auto* indice = new QPushButton(QStringLiteral("Índice"), this);
    auto* atras = new QPushButton(QStringLiteral("< Atrás"), this);
    auto* adelante = new QPushButton(QStringLiteral("Adelante >"), this);
    auto* anterior = new QPushButton(QStringLiteral("Anterior"), this);
    auto* siguiente = new QPushButton(QStringLiteral("Siguiente"), this);
    anterior->setObjectName(QStringLiteral("anterior"));
    siguiente->setObjectName(QStringLiteral("siguiente"));
    anterior->setToolTip(QStringLiteral("La palabra buscada, antes en la página"));
    siguiente->setToolTip(QStringLiteral("La palabra buscada, después en la página"));
    for (QPushButton* b : {indice, atras, adelante, anterior, siguiente}) b->setAutoDefault(false);

    auto* izquierda = new QWidget(this);
    auto* columna = new QVBoxLayout(izquierda);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->addWidget(buscar_);
    auto* pasos = new QHBoxLayout;
    pasos->addWidget(anterior);
    pasos->addWidget(siguiente);
    columna->addLayout(pasos);
    columna->addWidget(lista_);
    auto* division = new QSplitter(Qt::Horizontal, this);
    division->addWidget(izquierda);
    division->addWidget(texto_);
    division->setStretchFactor(1, 1);
    division->setSizes({220, 680});
    auto* botones = new QHBoxLayout;
    botones->addWidget(indice);
    botones->addWidget(atras);
    botones->addWidget(adelante);
    botones->addStretch(1);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(botones);
    todo->addWidget(division, 1);

    connect(indice, &QPushButton::clicked, this, [this] { mostrar(QString::fromLatin1(kPaginaIndice)); });
    connect(atras, &QPushButton::clicked, texto_, &QTextBrowser::backward);
    connect(adelante, &QPushButton::clicked, texto_, &QTextBrowser::forward);
    connect(texto_, &QTextBrowser::backwardAvailable, atras, &QPushButton::setEnabled);
    connect(texto_, &QTextBrowser::forwardAvailable, adelante, &QPushButton::setEnabled);
    connect(anterior, &QPushButton::clicked, this, [this] { saltar(true); });
    connect(siguiente, &QPushButton::clicked, this, [this] { saltar(false); });
    connect(buscar_, &QLineEdit::textChanged, this, &VentanaAyuda::listar);
    connect(buscar_, &QLineEdit::returnPressed, this, [this] { saltar(false); });
    connect(lista_, &QListWidget::currentRowChanged, this, [this](int fila) {
        QListWidgetItem* item = lista_->item(fila);
        if (!item) return;
        mostrar(item->data(Qt::UserRole).toString());
        if (!buscar_->text().trimmed().isEmpty()) saltar(false);
    });
    atras->setEnabled(false);
    adelante->setEnabled(false);

    cargarPaginas();
    listar(QString());
}

void VentanaAyuda::cargarPaginas() {
    // The contents first, then the pages in the order it links them, then any other.
    QStringList orden{QString::fromLatin1(kPaginaIndice)};
    static const QRegularExpression enlace(QStringLiteral("href=\"([a-z0-9_]+\\.html)"));
    for (const auto& m : enlace.globalMatch(leerPagina(orden.front())))
        if (!orden.contains(m.captured(1))) orden << m.captured(1);
    for (const QString& f : QDir(QStringLiteral(":/manual")).entryList({QStringLiteral("*.html")}, QDir::Files))
        if (!orden.contains(f)) orden << f;
    static const QRegularExpression h1(QStringLiteral("<h1>(.*?)</h1>"));
    for (const QString& f : orden) {
        const QString html = leerPagina(f);
        if (html.isEmpty()) continue;
        QTextDocument doc;
        doc.setHtml(html);
        const auto m = h1.match(html);
        QTextDocument titulo;
        titulo.setHtml(m.hasMatch() ? m.captured(1) : f);
        paginas_.push_back({f, titulo.toPlainText(), plegar(doc.toPlainText())});
    }
}

QStringList VentanaAyuda::buscar(const QString& texto) const {
    const QStringList palabras = plegar(texto).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QStringList r;
    for (const Pagina& p : paginas_) {
        bool todas = true;
        for (const QString& w : palabras) todas = todas && p.texto.contains(w);
        if (todas) r << p.fichero;
    }
    return r;
}

void VentanaAyuda::listar(const QString& texto) {
    const QSignalBlocker bloqueo(lista_);
    lista_->clear();
    for (const QString& f : buscar(texto)) {
        const auto p = std::find_if(paginas_.begin(), paginas_.end(), [&](const Pagina& x) { return x.fichero == f; });
        auto* item = new QListWidgetItem(p->titulo, lista_);
        item->setData(Qt::UserRole, f);
        if (f == pagina()) lista_->setCurrentItem(item);
    }
}

void VentanaAyuda::saltar(bool atras) {
    // The first word searched, found with or without its accents.
    const QStringList palabras = plegar(buscar_->text()).split(QRegularExpression(QStringLiteral("\\s+")),
                                                               Qt::SkipEmptyParts);
    if (palabras.isEmpty()) return;
    static const std::pair<QChar, QString> variantes[] = {
        {u'a', QStringLiteral("[aá]")}, {u'e', QStringLiteral("[eé]")}, {u'i', QStringLiteral("[ií]")},
        {u'o', QStringLiteral("[oó]")}, {u'u', QStringLiteral("[uúü]")}, {u'n', QStringLiteral("[nñ]")}};
    QString patron;
    for (const QChar c : palabras.front()) {
        const auto v = std::find_if(std::begin(variantes), std::end(variantes), [&](const auto& x) { return x.first == c; });
        patron += v != std::end(variantes) ? v->second : QRegularExpression::escape(QString(c));
    }
    const QRegularExpression palabra(patron, QRegularExpression::CaseInsensitiveOption);
    const QTextDocument::FindFlags banderas = atras ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (texto_->find(palabra, banderas)) return;
    // Past the end (or the start): round again from the other side.
    QTextCursor c = texto_->textCursor();
    c.movePosition(atras ? QTextCursor::End : QTextCursor::Start);
    texto_->setTextCursor(c);
    texto_->find(palabra, banderas);
}

QString VentanaAyuda::pagina() const {
    return texto_->source().fileName();
}

void VentanaAyuda::mostrar(const QString& pagina) {
    const QString f = QFile::exists(QStringLiteral(":/manual/") + pagina) ? pagina : QString::fromLatin1(kPaginaIndice);
    if (this->pagina() != f) texto_->setSource(QUrl(kRaiz + f));
}

VentanaAyuda* VentanaAyuda::abierta() {
    return abierta_.data();
}

VentanaAyuda* VentanaAyuda::abrir(QWidget* padre, const QString& pagina) {
    if (!abierta_) abierta_ = new VentanaAyuda(padre);
    VentanaAyuda* v = abierta_.data();
    // A window opened by exec() blocks every window but its own children:
    // the manual goes under the window it is asked from.
    if (v->parentWidget() != padre) {
        const QRect donde = v->geometry();
        v->setParent(padre, v->windowFlags());
        if (donde.isValid()) v->setGeometry(donde);
    }
    v->setAttribute(Qt::WA_DeleteOnClose);
    v->mostrar(pagina);
    v->show();
    v->raise();
    v->activateWindow();
    return v;
}

QString paginaDeVentana(const QWidget* ventana) {
    const auto& mapa = paginasDeVentanas();
    for (const QWidget* w = ventana ? ventana->window() : nullptr; w;
         w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
        const auto it = mapa.find(claseSinEspacio(w));
        if (it != mapa.end()) return it->second;
    }
    return QString::fromLatin1(kPaginaGestor);
}

void instalarAyudaContextual(QObject* dueno) {
    qApp->installEventFilter(new AyudaContextual(dueno));
}

}  // namespace celvara::ui
