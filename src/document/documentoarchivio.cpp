#include "document/documentoarchivio.h"

#include "storage/archiviopagine.h"
#include "storage/fotopagina.h"
#include "storage/testo.h"

#include <utility>

namespace {

// The document's only way to its file. Reading never asks for write access:
// an archive the user may only read must still show its records. The file
// is closed when the work returns, and by the archive's destructor when it
// throws.
template <typename Lavoro> auto conArchivio(const QString &percorso, TArchivioPagine::Accesso accesso, Lavoro &&lavoro)
{
    TArchivioPagine archivio;
    archivio.ApriArchivio(percorso, accesso);
    auto risultato = lavoro(archivio);
    archivio.ChiudiArchivio();
    return risultato;
}

template <typename Lavoro> auto inLettura(const QString &percorso, Lavoro &&lavoro)
{
    return conArchivio(percorso, TArchivioPagine::Accesso::Lettura, std::forward<Lavoro>(lavoro));
}

template <typename Lavoro> auto inScrittura(const QString &percorso, Lavoro &&lavoro)
{
    return conArchivio(percorso, TArchivioPagine::Accesso::LetturaScrittura, std::forward<Lavoro>(lavoro));
}

ValoriAllegati allegatiTrim(const ValoriAllegati &valori)
{
    ValoriAllegati v;
    for (size_t k = 0; k < 3; ++k) {
        v.nomi[k] = Testo::trim(valori.nomi[k]);
        v.descrizioni[k] = Testo::trim(valori.descrizioni[k]);
    }
    return v;
}

} // namespace

TSchedaPagina componiScheda(const ValoriScheda &valori)
{
    TSchedaPagina scheda = schedaVuota();
    for (int k = 0; k < kCampiDescrittivi; ++k)
        impostaCampo(scheda, Campo(k), valori.testi[size_t(k)]);
    impostaFlag(scheda, valori.daCompletare);
    for (int k = 0; k < 3; ++k) {
        impostaCampo(scheda, Campo(int(Campo::File01) + k), valori.allegati.nomi[size_t(k)]);
        impostaCampo(scheda, Campo(int(Campo::Desc01) + k), valori.allegati.descrizioni[size_t(k)]);
    }
    return scheda;
}

DocumentoArchivio::DocumentoArchivio(const QString &cartellaProgramma, QObject *parent)
    : QObject(parent)
    , m_cartella(cartellaProgramma)
{
}

void DocumentoArchivio::apri(const QString &percorso, const QString &nome)
{
    m_percorso = Testo::trim(percorso);
    m_nome = Testo::trim(nome);
    emit archivioCambiato();
    pulisci();
}

QString DocumentoArchivio::percorsoFoto() const
{
    return percorsoFotoPagina(m_cartella, m_nome, m_posizione ? QString::number(*m_posizione) : QString());
}

void DocumentoArchivio::impostaPosizione(std::optional<int> posizione)
{
    const bool cambia = posizione != m_posizione;
    m_posizione = posizione;
    if (cambia)
        emit posizioneCambiata();
}

void DocumentoArchivio::impostaValoriSchermo(const ValoriScheda &valori)
{
    const bool prima = modificata();
    m_schermo = valori;
    if (modificata() != prima)
        emit modificataCambiata(!prima);
}

void DocumentoArchivio::impostaAllegati(const ValoriAllegati &allegati)
{
    ValoriScheda v = m_schermo;
    v.allegati = allegatiTrim(allegati);
    impostaValoriSchermo(v);
}

void DocumentoArchivio::impostaArchiviati(const ValoriScheda &valori)
{
    const bool prima = modificata();
    m_schermo = valori;
    m_archiviati = valori;
    if (prima)
        emit modificataCambiata(false);
}

void DocumentoArchivio::mostraScheda(const TSchedaPagina &scheda, int posizione)
{
    ValoriScheda v;
    for (int k = 0; k < kCampiDescrittivi; ++k)
        v.testi[size_t(k)] = leggiCampo(scheda, Campo(k));
    const Flag flag = leggiFlag(scheda);
    v.daCompletare = flag == Flag::Nessuno ? m_schermo.daCompletare : flag == Flag::Si;
    for (int k = 0; k < 3; ++k) {
        v.allegati.nomi[size_t(k)] = leggiCampo(scheda, Campo(int(Campo::File01) + k));
        v.allegati.descrizioni[size_t(k)] = leggiCampo(scheda, Campo(int(Campo::Desc01) + k));
    }
    impostaArchiviati(v);
    m_schedaArchiviata = scheda;
    m_trovataAltrove.reset();
    impostaPosizione(posizione);
    emit schedaMostrata();
}

DocumentoArchivio::Esito DocumentoArchivio::naviga(Navigazione verso)
{
    struct Letta {
        PassoNavigazione passo;
        TSchedaPagina scheda;
    };
    Letta letta;
    try {
        const QString testoPosizione = m_posizione ? QString::number(*m_posizione) : QString();
        letta = inLettura(m_percorso, [&](TArchivioPagine &archivio) {
            Letta l{passoNavigazione(verso, testoPosizione, archivio.ContaSchede()), TSchedaPagina{}};
            if (l.passo.tipo == PassoNavigazione::Mostra)
                l.scheda = archivio.LeggiScheda(l.passo.posizione);
            return l;
        });
    } catch (const ErroreArchivio &) {
        return Esito::ErroreAccesso;
    }
    if (letta.passo.svuotaPosizione) {
        m_schedaArchiviata.reset();
        impostaPosizione(std::nullopt);
    }
    switch (letta.passo.tipo) {
    case PassoNavigazione::Mostra:
        mostraScheda(letta.scheda, letta.passo.posizione);
        return Esito::Mostrata;
    case PassoNavigazione::ArchivioVuoto:
        return Esito::ArchivioVuoto;
    case PassoNavigazione::Nessuno:
        break;
    }
    return Esito::Nessuno;
}

DocumentoArchivio::Esito DocumentoArchivio::mostraPosizione(int posizione)
{
    TSchedaPagina scheda;
    try {
        scheda = leggiScheda(posizione);
    } catch (const ErroreArchivio &) {
        return Esito::ErroreAccesso;
    }
    mostraScheda(scheda, posizione);
    return Esito::Mostrata;
}

void DocumentoArchivio::pulisci()
{
    impostaArchiviati(ValoriScheda{});
    m_schedaArchiviata.reset();
    m_trovataAltrove.reset();
    impostaPosizione(std::nullopt);
    emit schedaPulita();
}

bool DocumentoArchivio::duplica()
{
    if (nuova())
        return false;
    ValoriScheda v = m_schermo;
    v.allegati = ValoriAllegati{};
    // The copy is measured from the record it was made of: what was typed
    // before duplicating stays an edit.
    ValoriScheda riferimento = m_archiviati;
    riferimento.allegati = ValoriAllegati{};
    const bool prima = modificata();
    m_schermo = v;
    m_archiviati = riferimento;
    m_schedaArchiviata.reset();
    m_trovataAltrove.reset();
    impostaPosizione(std::nullopt);
    if (modificata() != prima)
        emit modificataCambiata(!prima);
    emit schedaDuplicata();
    return true;
}

int DocumentoArchivio::contaSchede() const
{
    return inLettura(m_percorso, [](TArchivioPagine &archivio) { return archivio.ContaSchede(); });
}

TSchedaPagina DocumentoArchivio::leggiScheda(int posizione) const
{
    return inLettura(m_percorso, [posizione](TArchivioPagine &archivio) { return archivio.LeggiScheda(posizione); });
}

PercorsoSchede DocumentoArchivio::schede() const
{
    return [percorso = m_percorso](const VisitaScheda &visita) {
        inLettura(percorso, [&visita](TArchivioPagine &archivio) {
            archivio.PerOgniScheda(visita);
            return true;
        });
    };
}

DocumentoArchivio::Esito DocumentoArchivio::salva()
{
    return scrivi(m_schedaArchiviata);
}

DocumentoArchivio::Esito DocumentoArchivio::sovrascriviCambiata()
{
    if (!m_trovataAltrove)
        return salva();
    return scrivi(m_trovataAltrove);
}

DocumentoArchivio::Esito DocumentoArchivio::scrivi(const std::optional<TSchedaPagina> &attesa)
{
    const TSchedaPagina scheda = componiScheda(m_schermo);
    const bool nuovaScheda = nuova();
    struct Scritta {
        int posizione;
        std::optional<TSchedaPagina> trovata;
    };
    Scritta scritta{0, std::nullopt};
    try {
        scritta = inScrittura(m_percorso, [&](TArchivioPagine &archivio) {
            Scritta s{m_posizione.value_or(0), std::nullopt};
            TSchedaPagina trovata;
            if (nuovaScheda)
                s.posizione = archivio.AggiungiScheda(scheda);
            else if (!attesa)
                archivio.ScriviScheda(s.posizione, scheda);
            else if (!archivio.SostituisciScheda(s.posizione, *attesa, scheda, &trovata))
                s.trovata = trovata;
            return s;
        });
    } catch (const ErroreBloccoArchivio &) {
        return Esito::BloccoRifiutato;
    } catch (const ErroreArchivio &) {
        return Esito::ErroreAccesso;
    }
    if (scritta.trovata) {
        // The file is closed again: the question that follows must leave the
        // other program free to save, and what it writes is checked again.
        m_trovataAltrove = scritta.trovata;
        return Esito::CambiataAltrove;
    }
    // From here on the screen stands for the stored record: a further save
    // overwrites it instead of appending again.
    m_schedaArchiviata = scheda;
    m_trovataAltrove.reset();
    impostaArchiviati(m_schermo);
    impostaPosizione(scritta.posizione);
    emit schedaSalvata(scritta.posizione, nuovaScheda);
    return nuovaScheda ? Esito::Aggiunta : Esito::Sovrascritta;
}
