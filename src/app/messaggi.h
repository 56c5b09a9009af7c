#pragma once

#include <QString>

#include <functional>

// The one message box of the program. Notices (warning, error, information)
// carry OK + Cancel and their answer is ignored; confirmations carry
// Yes + No; the plain form has no icon, no title and OK alone.
//
// The windows reach it through their context (app/contesto.h), which has
// the usual combinations of kind and buttons and where a test puts its
// stand-in.
enum class TipoMessaggio { Avviso, Errore, Informazione, Conferma, Semplice };
enum class PulsantiMessaggio { Ok, OkAnnulla, SiNo };

// Standard message-box results.
enum RisultatoMessaggio : int { mrOk = 1, mrAnnulla = 2, mrSi = 6, mrNo = 7 };

// The real box, with the user's answer.
int MostraMessaggio(const QString &testo, TipoMessaggio tipo, PulsantiMessaggio pulsanti);

// What a message box was asked to show; handed to a test's responder.
struct RichiestaMessaggio {
    QString testo;
    TipoMessaggio tipo;
    PulsantiMessaggio pulsanti;
};

// A stand-in that answers message boxes without showing them (tests):
// it returns the result the user would have given.
using RispondiMessaggio = std::function<int(const RichiestaMessaggio &)>;

// The text as a message box label shows it: the stored texts separate
// paragraphs with LF CR, CR LF or both, which a label would not break on.
QString testoVisibile(const QString &testo);
