#include "app/finestre.h"

#include "app/finestra.h"

#include <QCoreApplication>

namespace {

std::function<void()> &terminazione()
{
    static std::function<void()> t;
    return t;
}

FinestrePermanenti &permanenti()
{
    static FinestrePermanenti p{};
    return p;
}

} // namespace

void impostaPermanenti(const FinestrePermanenti &finestre)
{
    permanenti() = finestre;
}

void mostraFinestra(Permanente quale)
{
    if (FinestraPermanente *finestra = permanenti()[size_t(quale)])
        finestra->mostra();
}

void terminaProgramma()
{
    if (terminazione())
        terminazione()();
    else
        QCoreApplication::quit();
}

void impostaTerminazione(std::function<void()> termina)
{
    terminazione() = std::move(termina);
}
