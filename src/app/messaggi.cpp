#include "app/messaggi.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

struct Aspetto {
    QMessageBox::Icon icona;
    const char *titolo;
};

Aspetto aspetto(TipoMessaggio tipo)
{
    switch (tipo) {
    case TipoMessaggio::Avviso: return {QMessageBox::Warning, "Warning"};
    case TipoMessaggio::Errore: return {QMessageBox::Critical, "Error"};
    case TipoMessaggio::Informazione: return {QMessageBox::Information, "Information"};
    case TipoMessaggio::Conferma: return {QMessageBox::Question, "Confirm"};
    case TipoMessaggio::Semplice: break;
    }
    return {QMessageBox::NoIcon, ""};
}

int mostraReale(const RichiestaMessaggio &r)
{
    const Aspetto a = aspetto(r.tipo);
    QMessageBox box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MostraMessaggio"));
    box.setIcon(a.icona);
    box.setWindowTitle(QString::fromLatin1(a.titolo));
    box.setText(testoVisibile(r.testo));
    box.setTextFormat(Qt::PlainText);
    switch (r.pulsanti) {
    case PulsantiMessaggio::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case PulsantiMessaggio::OkAnnulla:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case PulsantiMessaggio::SiNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok: return mrOk;
    case QMessageBox::Yes: return mrSi;
    case QMessageBox::No: return mrNo;
    default: return mrAnnulla;
    }
}

} // namespace

QString testoVisibile(const QString &testo)
{
    QString t = testo;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

int MostraMessaggio(const QString &testo, TipoMessaggio tipo, PulsantiMessaggio pulsanti)
{
    return mostraReale(RichiestaMessaggio{testo, tipo, pulsanti});
}
