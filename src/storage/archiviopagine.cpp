#include "storage/archiviopagine.h"

#include <QFileInfo>

ErroreArchivio::ErroreArchivio(const QString &dettaglio)
    : std::runtime_error(dettaglio.toStdString())
{
}

const QString kMessaggioAccessoArchivio = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
const QString kMessaggioArchivioVuoto = QStringLiteral("L'archivio non contiene nessuna scheda.");

TArchivioPagine::~TArchivioPagine()
{
    if (m_file.isOpen())
        m_file.close();
}

void TArchivioPagine::ApriArchivio(const QString &percorso)
{
    ChiudiArchivio();
    m_file.setFileName(percorso);
    // Anything standing at the path (a locked or read-only file, a folder)
    // is an access failure: creating over it could empty a user's archive.
    const bool esiste = QFileInfo::exists(percorso) || QFileInfo(percorso).isSymLink();
    const QIODevice::OpenMode modo = esiste
        ? QIODevice::ReadWrite | QIODevice::ExistingOnly
        : QIODevice::ReadWrite | QIODevice::NewOnly;
    if (!m_file.open(modo)) {
        const QString motivo = m_file.errorString();
        m_file.unsetError();
        throw ErroreArchivio(QStringLiteral("%1: %2").arg(percorso, motivo));
    }
}

void TArchivioPagine::richiediAperto() const
{
    if (!m_file.isOpen())
        throw ErroreArchivio(QStringLiteral("archive not open"));
}

int TArchivioPagine::ContaSchede() const
{
    richiediAperto();
    return int(m_file.size() / kDimensioneScheda);
}

void TArchivioPagine::posiziona(int posizione)
{
    if (posizione < 1 || posizione > ContaSchede())
        throw ErroreArchivio(QStringLiteral("position %1 out of range").arg(posizione));
    if (!m_file.seek((posizione - 1) * kDimensioneScheda))
        throw ErroreArchivio(m_file.errorString());
}

TSchedaPagina TArchivioPagine::LeggiScheda(int posizione)
{
    posiziona(posizione);
    TSchedaPagina scheda;
    if (m_file.read(reinterpret_cast<char *>(&scheda), kDimensioneScheda) != kDimensioneScheda)
        throw ErroreArchivio(QStringLiteral("short read at position %1").arg(posizione));
    return scheda;
}

void TArchivioPagine::ScriviScheda(int posizione, const TSchedaPagina &scheda)
{
    posiziona(posizione);
    if (m_file.write(reinterpret_cast<const char *>(&scheda), kDimensioneScheda) != kDimensioneScheda
        || !m_file.flush())
        throw ErroreArchivio(QStringLiteral("write failed at position %1: %2")
                                 .arg(posizione).arg(m_file.errorString()));
}

int TArchivioPagine::AggiungiScheda(const TSchedaPagina &scheda)
{
    const int conteggio = ContaSchede();
    if (!m_file.seek(conteggio * kDimensioneScheda)
        || m_file.write(reinterpret_cast<const char *>(&scheda), kDimensioneScheda) != kDimensioneScheda
        || !m_file.flush())
        throw ErroreArchivio(QStringLiteral("append failed: %1").arg(m_file.errorString()));
    return conteggio + 1;
}

void TArchivioPagine::ChiudiArchivio()
{
    if (!m_file.isOpen())
        return;
    // QFile::close() reports nothing; flushing first is how a failed final
    // write becomes visible.
    const bool scritto = m_file.flush();
    m_file.close();
    if (!scritto)
        throw ErroreArchivio(QStringLiteral("close failed"));
}

void TArchivioPagine::PerOgniScheda(const VisitaScheda &visita)
{
    const int conteggio = ContaSchede();
    if (conteggio == 0)
        return;
    if (!m_file.seek(0))
        throw ErroreArchivio(m_file.errorString());
    // One read per block of records keeps a 100,000-record walk to a few
    // hundred system calls, and the block small enough to stay in cache.
    constexpr int kBlocco = 256;
    QVector<TSchedaPagina> blocco(kBlocco);
    for (int i = 0; i < conteggio; i += kBlocco) {
        const int quante = qMin(kBlocco, conteggio - i);
        const qint64 byte = qint64(quante) * kDimensioneScheda;
        if (m_file.read(reinterpret_cast<char *>(blocco.data()), byte) != byte)
            throw ErroreArchivio(QStringLiteral("short read"));
        for (int k = 0; k < quante; ++k)
            visita(i + k + 1, blocco.at(k));
    }
}

QVector<TSchedaPagina> TArchivioPagine::LeggiTutte()
{
    QVector<TSchedaPagina> schede;
    schede.reserve(ContaSchede());
    PerOgniScheda([&schede](int, const TSchedaPagina &s) { schede.append(s); });
    return schede;
}

PercorsoSchede percorsoDi(const QVector<TSchedaPagina> &schede)
{
    return [schede](const VisitaScheda &visita) {
        for (int i = 0; i < schede.size(); ++i)
            visita(i + 1, schede.at(i));
    };
}
