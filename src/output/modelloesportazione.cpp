#include "output/modelloesportazione.h"

#include "storage/archiviopagine.h"
#include "storage/testo.h"

namespace {

// Rows read from the archive at once, and blocks kept: a screenful of rows
// lies in one or two blocks, and a scroll back finds its rows still there.
constexpr int kRigheBlocco = 256;
constexpr int kBlocchiTenuti = 4;

Campo campoDiColonna(int colonna)
{
    return Campo(colonna - 1);
}

QByteArrayView bytesCampo(const TSchedaPagina &scheda, int colonna)
{
    const InfoCampo &info = infoCampo(campoDiColonna(colonna));
    const auto *campo = reinterpret_cast<const char *>(&scheda) + info.offset;
    const int lunghezza = qMin(int(static_cast<unsigned char>(campo[0])), info.capacita);
    return QByteArrayView(campo + 1, lunghezza);
}

} // namespace

ModelloEsportazione::ModelloEsportazione(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ModelloEsportazione::carica(const QString &percorsoArchivio)
{
    beginResetModel();
    m_archivio = percorsoArchivio;
    m_righe = 0;
    m_illeggibile = false;
    m_digitate.clear();
    m_blocchi.clear();
    try {
        TArchivioPagine archivio;
        archivio.ApriArchivio(percorsoArchivio, TArchivioPagine::Accesso::Lettura);
        m_righe = archivio.ContaSchede();
        archivio.ChiudiArchivio();
    } catch (const ErroreArchivio &) {
        // The grid keeps what was found before the failure, and an export
        // of it would stand for an archive it never read.
        m_illeggibile = true;
    }
    endResetModel();
}

int ModelloEsportazione::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_righe;
}

int ModelloEsportazione::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColonneGriglia;
}

const ModelloEsportazione::Blocco &ModelloEsportazione::blocco(int primaRiga) const
{
    for (int i = 0; i < m_blocchi.size(); ++i) {
        if (m_blocchi.at(i).primaRiga == primaRiga) {
            if (i > 0)
                m_blocchi.move(i, 0);
            return m_blocchi.at(0);
        }
    }
    if (m_blocchi.size() >= kBlocchiTenuti)
        m_blocchi.removeLast();
    Blocco nuovo;
    nuovo.primaRiga = primaRiga;
    const int quante = qMin(kRigheBlocco, m_righe - primaRiga);
    nuovo.schede.reserve(quante);
    // Read within this call and closed again, as every archive user does;
    // rows past a failed read show empty cells.
    try {
        TArchivioPagine archivio;
        archivio.ApriArchivio(m_archivio, TArchivioPagine::Accesso::Lettura);
        for (int k = 0; k < quante; ++k)
            nuovo.schede.append(archivio.LeggiScheda(primaRiga + k + 1));
        archivio.ChiudiArchivio();
    } catch (const ErroreArchivio &) {
    }
    m_blocchi.prepend(std::move(nuovo));
    return m_blocchi.at(0);
}

const TSchedaPagina *ModelloEsportazione::scheda(int riga) const
{
    const Blocco &b = blocco(riga - riga % kRigheBlocco);
    const int k = riga - b.primaRiga;
    return k < b.schede.size() ? &b.schede.at(k) : nullptr;
}

QString ModelloEsportazione::testo(int riga, int colonna) const
{
    if (riga < 0 || riga >= m_righe || colonna < 0 || colonna >= kColonneGriglia)
        return QString();
    const auto digitate = m_digitate.find(riga);
    if (digitate != m_digitate.end()) {
        const auto cella = digitate->second.find(colonna);
        if (cella != digitate->second.end())
            return cella->second;
    }
    if (colonna == 0)
        return QString::number(riga + 1);
    const TSchedaPagina *s = scheda(riga);
    return s ? leggiCampo(*s, campoDiColonna(colonna)) : QString();
}

QVariant ModelloEsportazione::data(const QModelIndex &indice, int ruolo) const
{
    if (!indice.isValid() || (ruolo != Qt::DisplayRole && ruolo != Qt::EditRole))
        return QVariant();
    return testo(indice.row(), indice.column());
}

bool ModelloEsportazione::setData(const QModelIndex &indice, const QVariant &valore, int ruolo)
{
    if (!indice.isValid() || ruolo != Qt::EditRole || !(flags(indice) & Qt::ItemIsEditable))
        return false;
    m_digitate[indice.row()][indice.column()] = valore.toString();
    emit dataChanged(indice, indice, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags ModelloEsportazione::flags(const QModelIndex &indice) const
{
    if (!indice.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (colonneEsportazione()[size_t(indice.column())].modificabile)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant ModelloEsportazione::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const
{
    if (orientamento != Qt::Horizontal || ruolo != Qt::DisplayRole || sezione < 0 || sezione >= kColonneGriglia)
        return QAbstractTableModel::headerData(sezione, orientamento, ruolo);
    return colonneEsportazione()[size_t(sezione)].intestazione;
}

void ModelloEsportazione::perOgniRiga(const std::function<void(const CelleRiga &)> &visita) const
{
    auto digitate = m_digitate.cbegin();
    std::array<QByteArray, kColonneFile> codificate;
    // Typed cells take the place of the stored bytes in their row.
    auto emetti = [&](int riga, const TSchedaPagina *s) {
        CelleRiga celle;
        for (int c = 1; c < kColonneGriglia; ++c)
            celle[size_t(c - 1)] = s ? bytesCampo(*s, c) : QByteArrayView();
        while (digitate != m_digitate.cend() && digitate->first < riga)
            ++digitate;
        if (digitate != m_digitate.cend() && digitate->first == riga) {
            for (const auto &[colonna, testo] : digitate->second) {
                if (colonna < 1)
                    continue;
                QByteArray &b = codificate[size_t(colonna - 1)];
                b = Testo::toWindows1252(testo);
                celle[size_t(colonna - 1)] = b;
            }
        }
        visita(celle);
    };

    if (m_illeggibile)
        throw ErroreArchivio(QStringLiteral("%1: could not be read when the grid was filled").arg(m_archivio));
    int riga = 0;
    // Opened also for an empty grid: an archive that cannot be read now is
    // a failed export, never a table without rows.
    TArchivioPagine archivio;
    archivio.ApriArchivio(m_archivio, TArchivioPagine::Accesso::Lettura);
    if (m_righe > 0) {
        archivio.PerOgniScheda([&](int posizione, const TSchedaPagina &s) {
            if (posizione <= m_righe)
                emetti(riga++, &s);
        });
    }
    archivio.ChiudiArchivio();
    // Rows counted when the grid was filled but gone from the file since
    // show empty cells, and are written so.
    while (riga < m_righe)
        emetti(riga++, nullptr);
}

void esportaGriglia(const ModelloEsportazione &modello, const QString &percorsoFile,
                    const std::function<bool(int)> &avanzamento, const ChiamateDisco &chiamate)
{
    scriviEsportazione(
        percorsoFile,
        [&](const std::function<void(const CelleRiga &)> &riga) {
            int fatte = 0;
            modello.perOgniRiga([&](const CelleRiga &celle) {
                riga(celle);
                if (avanzamento && !avanzamento(++fatte))
                    throw EsportazioneAnnullata();
            });
        },
        chiamate);
}
