#include "document/salvataggio.h"

#include "storage/testo.h"

const QString kSchedaModificata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kSchedaInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kDuplicaNonSalvata = QStringLiteral(
    "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata inserita in archivio.");
const QString kDuplicaPronta = QStringLiteral(
    "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
    "Al termine premere Salva per inserire la scheda in archivio.");
const QString kSchedaCambiataAltrove = QStringLiteral(
    "Attenzione: dopo essere stata visualizzata, la scheda corrente è stata modificata in archivio da un "
    "altro programma o da un'altra finestra.\r\n\r\n"
    "Si vuole sovrascriverla con i dati visualizzati?");
const QString kFotoNonSalvata = QStringLiteral(
    "Attenzione: la scheda è stata salvata in archivio, ma il sistema non ha permesso di salvare la foto "
    "della pagina.\n\r\n\rLa foto resta visualizzata: accertarsi di possedere i privilegi di scrittura nella "
    "cartella di installazione del programma e premere di nuovo Salva.");

const std::array<CampoObbligatorio, 4> &campiObbligatori()
{
    static const std::array<CampoObbligatorio, 4> campi{{
        {Campo::Titolo,
         QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il titolo della pagina.")},
        {Campo::Codice, QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il codice "
                                       "univoco attribuito alla pagina.")},
        {Campo::Autore,
         QStringLiteral("Attenzione: per salvare la scheda è necessario indicare l'autore del fumetto.")},
        {Campo::PagNum,
         QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il numero della pagina.")},
    }};
    return campi;
}

const CampoObbligatorio *primoObbligatorioMancante(const std::array<QString, kCampiDescrittivi> &testi)
{
    for (const CampoObbligatorio &c : campiObbligatori()) {
        if (Testo::trim(testi[size_t(c.campo)]).isEmpty())
            return &c;
    }
    return nullptr;
}
