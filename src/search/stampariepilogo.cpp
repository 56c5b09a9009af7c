#include "search/stampariepilogo.h"

#include "app/stampareport.h"
#include "editor/editorpagine.h"
#include "search/finestrariepilogo.h"
#include "search/modellorighe.h"
#include "search/reportriepilogo.h"

#include <QDateTime>

#include <stdexcept>

void StampaRiepilogo(FinestraRiepilogo &finestra, const QString &titolo)
{
    const EditorPagine *editor = finestra.editor();
    Report &report = finestra.frxReport();
    riempiReportRiepilogo(report, titolo, finestra.modello()->righe().testi(), QDateTime::currentDateTime(),
                          editor ? editor->nomeArchivio() : QString());
    report.prepara();

    const QString nome = editor && !editor->nomeArchivio().isEmpty() ? titolo + QStringLiteral(" ") + editor->nomeArchivio()
                                                                    : titolo;
    QString motivo;
    if (stampaReport(&finestra, report, nome, &motivo) == EsitoStampa::Fallita)
        throw std::runtime_error(motivo.isEmpty() ? std::string("La stampante non ha accettato la stampa.")
                                                  : messaggioStampaFallita(motivo).toStdString());
}
