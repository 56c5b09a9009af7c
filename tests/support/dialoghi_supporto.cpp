#include "support/dialoghi_supporto.h"

#include "editor/frmallegacartella.h"
#include "editor/frmzoom.h"
#include "home/frmguida.h"
#include "home/frminfo.h"
#include "home/frmsplash.h"
#include "output/frmanteprimapagina.h"
#include "output/frmexpdocumenti.h"
#include "output/frmslideshow_documenti.h"
#include "output/frmstampapagina.h"
#include "search/frmriepdacompletare.h"
#include "search/frmtrovapagine.h"

#include "support/supporto.h"

#include <functional>
#include <utility>
#include <vector>

namespace {

using Crea = std::function<QWidget *(QWidget *)>;

const std::vector<std::pair<QString, Crea>> &dialoghi()
{
    static const std::vector<std::pair<QString, Crea>> d{
        {QStringLiteral("frmGuida"), [](QWidget *p) { return new TfrmGuida(contestoDiProva(), p); }},
        {QStringLiteral("frmInfo"), [](QWidget *p) { return new TfrmInfo(p); }},
        {QStringLiteral("frmSplash"), [](QWidget *p) { return new TfrmSplash(p); }},
        {QStringLiteral("frmZoom"), [](QWidget *p) { return new TfrmZoom(p); }},
        {QStringLiteral("frmAllegaCartella"), [](QWidget *p) { return new TfrmAllegaCartella(contestoDiProva(), p); }},
        {QStringLiteral("frmSlideshow_Documenti"),
         [](QWidget *p) { return new TfrmSlideshow_Documenti(contestoDiProva(), p); }},
        {QStringLiteral("frmRiepDaCompletare"),
         [](QWidget *p) { return new TfrmRiepDaCompletare(contestoDiProva(), p); }},
        {QStringLiteral("frmExpDocumenti"), [](QWidget *p) { return new TfrmExpDocumenti(contestoDiProva(), p); }},
        {QStringLiteral("frmTrovaPagine"), [](QWidget *p) { return new TfrmTrovaPagine(contestoDiProva(), p); }},
        {QStringLiteral("frmAnteprimaPagina"),
         [](QWidget *p) { return new TfrmAnteprimaPagina(contestoDiProva(), p); }},
        {QStringLiteral("frmStampaPagina"), [](QWidget *p) { return new TfrmStampaPagina(contestoDiProva(), p); }},
    };
    return d;
}

} // namespace

const QStringList &nomiDialoghi()
{
    static const QStringList nomi = [] {
        QStringList n;
        for (const auto &d : dialoghi())
            n.append(d.first);
        return n;
    }();
    return nomi;
}

QWidget *creaDialogo(const QString &nome, QWidget *proprietario)
{
    for (const auto &d : dialoghi()) {
        if (d.first == nome)
            return d.second(proprietario);
    }
    return nullptr;
}
