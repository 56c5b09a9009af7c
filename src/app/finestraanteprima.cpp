#include "app/finestraanteprima.h"

#include "app/vistapagine.h"
#include "report/report.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The toolkit's own texts and pictures for a preview, so that this window
// reads and looks as the toolkit's preview does.
QString testoToolkit(const char *testo)
{
    return QCoreApplication::translate("QPrintPreviewDialog", testo);
}

QIcon iconaToolkit(const char *tema, const char *risorsa)
{
    QIcon riserva;
    if (risorsa) {
        const QString base = QStringLiteral(":/qt-project.org/dialogs/qprintpreviewdialog/images/%1-%2.png");
        for (int lato : {24, 32}) {
            const QString file = base.arg(QLatin1String(risorsa)).arg(lato);
            if (QFile::exists(file))
                riserva.addFile(file, QSize(lato, lato));
        }
    }
    return QIcon::fromTheme(QLatin1String(tema), riserva);
}

QString testoZoom(double zoom)
{
    return QLocale().toString(zoom * 100, 'f', 1) + QLatin1Char('%');
}

} // namespace

QAction *FinestraAnteprima::azione(const QString &testo, const char *nome, const char *tema, const char *risorsa)
{
    QAction *a = m_barra->addAction(testo);
    a->setObjectName(QLatin1String(nome));
    if (tema)
        a->setIcon(iconaToolkit(tema, risorsa));
    return a;
}

FinestraAnteprima::FinestraAnteprima(const Report &report, const QString &titolo, QWidget *proprietario)
    : QDialog(proprietario)
{
    setObjectName(QStringLiteral("dlgAnteprima"));
    setWindowTitle(titolo);
    setModal(true);

    m_barra = new QToolBar(this);
    m_barra->setObjectName(QStringLiteral("barraAnteprima"));
    m_vista = new VistaPagine(report, this);

    m_larghezza = azione(testoToolkit("Fit width"), "actAdattaLarghezza", "zoom-fit-width", "zoom-fit-width");
    m_pagina = azione(testoToolkit("Fit page"), "actAdattaPagina", "zoom-fit-page", "zoom-fit-page");
    auto *adatta = new QActionGroup(this);
    adatta->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction *a : {m_larghezza, m_pagina}) {
        a->setCheckable(true);
        adatta->addAction(a);
    }
    m_barra->addSeparator();

    m_zoom = new QComboBox(m_barra);
    m_zoom->setObjectName(QStringLiteral("cmbZoom"));
    m_zoom->setEditable(true);
    m_zoom->setInsertPolicy(QComboBox::NoInsert);
    m_zoom->setMinimumContentsLength(7);
    for (double z : {0.125, 0.25, 0.5, 1.0, 1.25, 1.5, 2.0, 4.0, 8.0})
        m_zoom->addItem(testoZoom(z), z);
    m_barra->addWidget(m_zoom);
    QAction *riduci = azione(testoToolkit("Zoom out"), "actRiduci", "zoom-out", "zoom-out");
    QAction *ingrandisci = azione(testoToolkit("Zoom in"), "actIngrandisci", "zoom-in", "zoom-in");
    m_barra->addSeparator();

    m_prima = azione(testoToolkit("First page"), "actPrimaPagina", "go-first", "go-first");
    m_precedente = azione(testoToolkit("Previous page"), "actPaginaPrecedente", "go-previous", "go-previous");
    m_numero = new QLineEdit(m_barra);
    m_numero->setObjectName(QStringLiteral("txtPagina"));
    m_numero->setAlignment(Qt::AlignRight);
    m_numero->setValidator(new QIntValidator(1, std::max(1, m_vista->numeroPagine()), m_numero));
    const int cifre = int(QString::number(m_vista->numeroPagine()).size());
    m_numero->setFixedWidth(m_numero->minimumSizeHint().width() +
                            m_numero->fontMetrics().horizontalAdvance(QString(cifre, QLatin1Char('8'))));
    m_barra->addWidget(m_numero);
    m_di = new QLabel(QStringLiteral(" / %1 ").arg(m_vista->numeroPagine()), m_barra);
    m_di->setObjectName(QStringLiteral("lblPagine"));
    m_barra->addWidget(m_di);
    m_successiva = azione(testoToolkit("Next page"), "actPaginaSuccessiva", "go-next", "go-next");
    m_ultima = azione(testoToolkit("Last page"), "actUltimaPagina", "go-last", "go-last");
    m_barra->addSeparator();

    actStampa = azione(testoToolkit("Print"), "actStampa", "document-print", "printer");
    m_barra->addSeparator();
    actSchermoIntero = azione(QStringLiteral("Schermo intero"), "actSchermoIntero", nullptr);
    actSchermoIntero->setCheckable(true);
    actChiudi = azione(QStringLiteral("Chiudi"), "actChiudi", nullptr);

    auto *colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->setSpacing(0);
    colonna->addWidget(m_barra);
    colonna->addWidget(m_vista, 1);

    connect(m_larghezza, &QAction::triggered, m_vista, &VistaPagine::adattaLarghezza);
    connect(m_pagina, &QAction::triggered, m_vista, &VistaPagine::adattaPagina);
    // A zoom chosen by hand ends the fitting.
    const auto aMano = [adatta] {
        if (QAction *a = adatta->checkedAction())
            a->setChecked(false);
    };
    connect(riduci, &QAction::triggered, this, [this, aMano] {
        aMano();
        m_vista->riduci();
    });
    connect(ingrandisci, &QAction::triggered, this, [this, aMano] {
        aMano();
        m_vista->ingrandisci();
    });
    connect(m_zoom, &QComboBox::activated, this, [this, aMano](int indice) {
        aMano();
        m_vista->impostaZoom(m_zoom->itemData(indice).toDouble());
    });
    connect(m_zoom->lineEdit(), &QLineEdit::editingFinished, this, [this, aMano] {
        QString testo = m_zoom->lineEdit()->text().trimmed();
        testo.remove(QLatin1Char('%'));
        bool ok = false;
        const double percento = QLocale().toDouble(testo, &ok);
        if (ok && percento > 0) {
            aMano();
            m_vista->impostaZoom(percento / 100);
        }
        aggiornaZoom(m_vista->zoom());
    });
    connect(m_prima, &QAction::triggered, this, [this] { m_vista->vaiAPagina(0); });
    connect(m_precedente, &QAction::triggered, this, [this] { m_vista->vaiAPagina(m_vista->paginaCorrente() - 1); });
    connect(m_successiva, &QAction::triggered, this, [this] { m_vista->vaiAPagina(m_vista->paginaCorrente() + 1); });
    connect(m_ultima, &QAction::triggered, this, [this] { m_vista->vaiAPagina(m_vista->numeroPagine() - 1); });
    connect(m_numero, &QLineEdit::returnPressed, this, [this] { m_vista->vaiAPagina(m_numero->text().toInt() - 1); });
    connect(m_vista, &VistaPagine::paginaCambiata, this, &FinestraAnteprima::aggiornaPagina);
    connect(m_vista, &VistaPagine::zoomCambiato, this, &FinestraAnteprima::aggiornaZoom);
    connect(actSchermoIntero, &QAction::toggled, this, [this](bool intero) {
        setWindowState(intero ? Qt::WindowFullScreen : Qt::WindowMaximized);
    });
    connect(actChiudi, &QAction::triggered, this, &QDialog::reject);

    aggiornaPagina(m_vista->paginaCorrente());
    aggiornaZoom(m_vista->zoom());
    m_vista->setFocus();
}

FinestraAnteprima::~FinestraAnteprima()
{
    // While the toolkit takes the window apart, the zoom box's editor loses
    // the focus and the box reports its text as a choice, and the view may
    // report a page or a zoom: by then this window's own part is gone, so
    // its handlers must not hear them.
    m_zoom->lineEdit()->disconnect(this);
    m_zoom->disconnect(this);
    m_vista->disconnect(this);
}

void FinestraAnteprima::aggiornaPagina(int indice)
{
    const int n = m_vista->numeroPagine();
    m_numero->setText(QString::number(indice + 1));
    m_prima->setEnabled(indice > 0);
    m_precedente->setEnabled(indice > 0);
    m_successiva->setEnabled(indice + 1 < n);
    m_ultima->setEnabled(indice + 1 < n);
}

void FinestraAnteprima::aggiornaZoom(double zoom)
{
    m_zoom->setEditText(testoZoom(zoom));
}
