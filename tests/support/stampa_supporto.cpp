#include "support/stampa_supporto.h"

#include "support/supporto.h"

#include <QPrinter>

RispostaStampa::RispostaStampa()
{
    contestoDiProva().impostaRispostaStampa([this](QPrinter &stampante) {
        m_richieste.append({stampante.docName(), stampante.outputFileName()});
        if (m_risposte.isEmpty())
            return false;
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(m_risposte.dequeue());
        return true;
    });
}

RispostaStampa::~RispostaStampa()
{
    contestoDiProva().impostaRispostaStampa({});
}
