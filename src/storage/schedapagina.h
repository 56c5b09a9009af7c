#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

// One page record ("scheda") exactly as it lies in an archive file: 28
// length-prefixed Windows-1252 strings, no padding, 3990 bytes. Each member is
// a field of capacity c stored in c + 1 bytes (length byte, then characters).
struct TSchedaPagina {
    uint8_t Titolo[121];
    uint8_t Codice[21];
    uint8_t Autore[51];
    uint8_t Creazione[31];
    uint8_t Modifica[31];
    uint8_t Tipologia[51];
    uint8_t PagNum[21];
    uint8_t RigheNum[21];
    uint8_t Carta[51];
    uint8_t Carattere[51];
    uint8_t Lingua[51];
    uint8_t Descrizione[251];
    uint8_t Incipit[251];
    uint8_t Parole[251];
    uint8_t Illustrazioni[251];
    uint8_t Annotazioni[251];
    uint8_t Formato[51];
    uint8_t Stato[51];
    uint8_t Collocazione[121];
    uint8_t Giudizio[251];
    uint8_t Note[251];
    uint8_t DaCompletare[3];
    uint8_t File01[251];
    uint8_t File02[251];
    uint8_t File03[251];
    uint8_t Desc01[251];
    uint8_t Desc02[251];
    uint8_t Desc03[251];
};

static_assert(sizeof(TSchedaPagina) == 3990, "a page record is 3990 bytes on disk");
static_assert(offsetof(TSchedaPagina, Codice) == 121);
static_assert(offsetof(TSchedaPagina, Autore) == 142);
static_assert(offsetof(TSchedaPagina, Creazione) == 193);
static_assert(offsetof(TSchedaPagina, Modifica) == 224);
static_assert(offsetof(TSchedaPagina, Tipologia) == 255);
static_assert(offsetof(TSchedaPagina, PagNum) == 306);
static_assert(offsetof(TSchedaPagina, RigheNum) == 327);
static_assert(offsetof(TSchedaPagina, Carta) == 348);
static_assert(offsetof(TSchedaPagina, Carattere) == 399);
static_assert(offsetof(TSchedaPagina, Lingua) == 450);
static_assert(offsetof(TSchedaPagina, Descrizione) == 501);
static_assert(offsetof(TSchedaPagina, Incipit) == 752);
static_assert(offsetof(TSchedaPagina, Parole) == 1003);
static_assert(offsetof(TSchedaPagina, Illustrazioni) == 1254);
static_assert(offsetof(TSchedaPagina, Annotazioni) == 1505);
static_assert(offsetof(TSchedaPagina, Formato) == 1756);
static_assert(offsetof(TSchedaPagina, Stato) == 1807);
static_assert(offsetof(TSchedaPagina, Collocazione) == 1858);
static_assert(offsetof(TSchedaPagina, Giudizio) == 1979);
static_assert(offsetof(TSchedaPagina, Note) == 2230);
static_assert(offsetof(TSchedaPagina, DaCompletare) == 2481);
static_assert(offsetof(TSchedaPagina, File01) == 2484);
static_assert(offsetof(TSchedaPagina, File02) == 2735);
static_assert(offsetof(TSchedaPagina, File03) == 2986);
static_assert(offsetof(TSchedaPagina, Desc01) == 3237);
static_assert(offsetof(TSchedaPagina, Desc02) == 3488);
static_assert(offsetof(TSchedaPagina, Desc03) == 3739);

// The fields in record order, for code that walks them all.
enum class Campo : int {
    Titolo, Codice, Autore, Creazione, Modifica, Tipologia, PagNum, RigheNum,
    Carta, Carattere, Lingua, Descrizione, Incipit, Parole, Illustrazioni,
    Annotazioni, Formato, Stato, Collocazione, Giudizio, Note, DaCompletare,
    File01, File02, File03, Desc01, Desc02, Desc03,
};
constexpr int kNumeroCampi = 28;
constexpr int kCampiDescrittivi = 21; // Titolo .. Note: the editor's text fields

struct InfoCampo {
    const char *nome;  // as in the record layout: "Titolo", "Codice", ...
    int offset;        // of the length byte, from the start of the record
    int capacita;      // characters; the field takes capacita + 1 bytes
};
const InfoCampo &infoCampo(Campo campo);

// Writes text into a field of the given capacity: trimmed, converted to
// Windows-1252 ('?' for what it cannot hold), cut to the capacity; the bytes
// past the length are zeroed.
void TestoInCampo(const QString &testo, uint8_t *campo, int capacita);

// Reads a field back as trimmed text. A length byte above the capacity is
// read as the capacity, so nothing beyond the field is ever taken.
QString CampoInTesto(const uint8_t *campo, int capacita);

// The to-be-completed flag: exactly "Sì" or "No" when written.
enum class Flag { Si, No, Nessuno };
extern const QString kFlagSi; // "Sì"
extern const QString kFlagNo; // "No"

// Field-by-name access over the raw layout; the free functions above do the
// converting.
void impostaCampo(TSchedaPagina &scheda, Campo campo, const QString &testo);
QString leggiCampo(const TSchedaPagina &scheda, Campo campo);
void impostaFlag(TSchedaPagina &scheda, bool daCompletare);
Flag leggiFlag(const TSchedaPagina &scheda);

// An all-zero record: every field empty, the flag neither value.
TSchedaPagina schedaVuota();
