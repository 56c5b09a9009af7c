#include "storage/schedapagina.h"

#include "storage/testo.h"

#include <cstring>

namespace {

#define VELMORA_CAMPO(nome) { #nome, int(offsetof(TSchedaPagina, nome)), int(sizeof(TSchedaPagina::nome)) - 1 }
const InfoCampo kCampi[kNumeroCampi] = {
    VELMORA_CAMPO(Titolo), VELMORA_CAMPO(Codice), VELMORA_CAMPO(Autore),
    VELMORA_CAMPO(Creazione), VELMORA_CAMPO(Modifica), VELMORA_CAMPO(Tipologia),
    VELMORA_CAMPO(PagNum), VELMORA_CAMPO(RigheNum), VELMORA_CAMPO(Carta),
    VELMORA_CAMPO(Carattere), VELMORA_CAMPO(Lingua), VELMORA_CAMPO(Descrizione),
    VELMORA_CAMPO(Incipit), VELMORA_CAMPO(Parole), VELMORA_CAMPO(Illustrazioni),
    VELMORA_CAMPO(Annotazioni), VELMORA_CAMPO(Formato), VELMORA_CAMPO(Stato),
    VELMORA_CAMPO(Collocazione), VELMORA_CAMPO(Giudizio), VELMORA_CAMPO(Note),
    VELMORA_CAMPO(DaCompletare), VELMORA_CAMPO(File01), VELMORA_CAMPO(File02),
    VELMORA_CAMPO(File03), VELMORA_CAMPO(Desc01), VELMORA_CAMPO(Desc02),
    VELMORA_CAMPO(Desc03),
};
#undef VELMORA_CAMPO

uint8_t *campoIn(TSchedaPagina &scheda, Campo campo)
{
    return reinterpret_cast<uint8_t *>(&scheda) + infoCampo(campo).offset;
}

const uint8_t *campoIn(const TSchedaPagina &scheda, Campo campo)
{
    return reinterpret_cast<const uint8_t *>(&scheda) + infoCampo(campo).offset;
}

} // namespace

const QString kFlagSi = QStringLiteral("S\u00EC");
const QString kFlagNo = QStringLiteral("No");

const InfoCampo &infoCampo(Campo campo)
{
    return kCampi[int(campo)];
}

void TestoInCampo(const QString &testo, uint8_t *campo, int capacita)
{
    // Trimming first, then at most 255 characters, then the capacity: the
    // order matters only for texts longer than any field, but it is the
    // order that the stored files were written with.
    QString t = Testo::trim(testo);
    if (t.size() > 255)
        t.truncate(255);
    QByteArray bytes = Testo::toWindows1252(t);
    if (bytes.size() > capacita)
        bytes.truncate(capacita);
    std::memset(campo, 0, size_t(capacita) + 1);
    campo[0] = uint8_t(bytes.size());
    std::memcpy(campo + 1, bytes.constData(), size_t(bytes.size()));
}

QString CampoInTesto(const uint8_t *campo, int capacita)
{
    const int n = qMin(int(campo[0]), capacita);
    return Testo::trim(Testo::fromWindows1252(reinterpret_cast<const char *>(campo + 1), n));
}

void impostaCampo(TSchedaPagina &scheda, Campo campo, const QString &testo)
{
    TestoInCampo(testo, campoIn(scheda, campo), infoCampo(campo).capacita);
}

QString leggiCampo(const TSchedaPagina &scheda, Campo campo)
{
    return CampoInTesto(campoIn(scheda, campo), infoCampo(campo).capacita);
}

void impostaFlag(TSchedaPagina &scheda, bool daCompletare)
{
    impostaCampo(scheda, Campo::DaCompletare, daCompletare ? kFlagSi : kFlagNo);
}

Flag leggiFlag(const TSchedaPagina &scheda)
{
    const QString valore = leggiCampo(scheda, Campo::DaCompletare);
    if (valore == kFlagSi)
        return Flag::Si;
    if (valore == kFlagNo)
        return Flag::No;
    return Flag::Nessuno;
}

TSchedaPagina schedaVuota()
{
    TSchedaPagina scheda;
    std::memset(&scheda, 0, sizeof scheda);
    return scheda;
}
