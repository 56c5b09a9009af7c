#include "app/dialoghifile.h"

#include <QFileDialog>

QString scegliFile(QWidget *proprietario, const RichiestaFile &richiesta)
{
    QFileDialog dialogo(proprietario, richiesta.titolo, richiesta.cartella);
    dialogo.setObjectName(QStringLiteral("dlgFile"));
    dialogo.setNameFilters(richiesta.filtri);
    if (richiesta.modo == RichiestaFile::Salva) {
        dialogo.setAcceptMode(QFileDialog::AcceptSave);
        dialogo.setFileMode(QFileDialog::AnyFile);
        if (!richiesta.chiediSovrascrittura)
            dialogo.setOption(QFileDialog::DontConfirmOverwrite);
        if (!richiesta.nomeProposto.isEmpty())
            dialogo.selectFile(richiesta.nomeProposto);
    } else {
        dialogo.setAcceptMode(QFileDialog::AcceptOpen);
        dialogo.setFileMode(QFileDialog::ExistingFile);
    }
    if (!richiesta.estensionePredefinita.isEmpty())
        dialogo.setDefaultSuffix(richiesta.estensionePredefinita);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return QString();
    return dialogo.selectedFiles().constFirst();
}
