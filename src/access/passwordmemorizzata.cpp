#include "access/passwordmemorizzata.h"

#include "access/crypt.h"
#include "access/fileini.h"
#include "storage/testo.h"

namespace {
const QString kSezione = QStringLiteral("Accesso");
const QString kVoce = QStringLiteral("Valore");
} // namespace

QString percorsoArchivioPassword(const QString &cartellaProgramma)
{
    return cartellaProgramma + kFileArchivioPassword;
}

QString formaMemorizzata(const QString &digitata)
{
    return Testo::trim(Testo::upperAscii(digitata));
}

EsitoNuovaPassword verificaNuovaPassword(const QString &password)
{
    if (password.isEmpty())
        return EsitoNuovaPassword::Vuota;
    // The cipher keeps one byte a character: anything beyond Latin-1 would
    // be stored as another character and never match again.
    for (QChar c : password) {
        if (c.unicode() > 0xFF)
            return EsitoNuovaPassword::CaratteriNonAmmessi;
    }
    // Longer ones are stored whole but read back cut short.
    if (password.size() > kLunghezzaMassimaPassword)
        return EsitoNuovaPassword::TroppoLunga;
    return EsitoNuovaPassword::Valida;
}

QString leggiPasswordMemorizzata(const QString &percorso)
{
    return Testo::trim(Decripta(FileIni::leggiValore(percorso, kSezione, kVoce, kCifreLette)));
}

void scriviPasswordMemorizzata(const QString &percorso, const QString &password, const ChiamateDisco &chiamate)
{
    if (verificaNuovaPassword(password) != EsitoNuovaPassword::Valida)
        throw PasswordNonMemorizzabile("password that cannot be stored as it is");
    FileIni::scriviValore(percorso, kSezione, kVoce, Cripta(password), kPermessiArchivioPassword, chiamate);
}
