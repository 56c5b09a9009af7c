#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QPainter;

// Every length of a report is in units of 1/96 inch; definitions are written
// in millimetres and converted once.
constexpr double kUnitaPerMm = 96.0 / 25.4;
constexpr double mm(double millimetri) { return millimetri * kUnitaPerMm; }

struct CarattereReport {
    QString famiglia = QStringLiteral("Arial");
    double punti = 10.0;
    bool grassetto = false;
    QColor colore = Qt::black;
};

enum class AllineamentoOrizzontale { Sinistra, Centro, Destra };
enum class AllineamentoVerticale { Alto, Centro, Basso };

// A named object at a place measured from the top-left corner of what holds
// it: its band, or the printable area of its page.
class OggettoReport
{
public:
    OggettoReport(QString nome, const QRectF &area) : m_nome(std::move(nome)), m_area(area) {}
    virtual ~OggettoReport() = default;
    OggettoReport(const OggettoReport &) = delete;
    OggettoReport &operator=(const OggettoReport &) = delete;

    const QString &nome() const { return m_nome; }
    const QRectF &area() const { return m_area; }
    double altezza() const { return m_area.height(); }
    void impostaAltezza(double altezza) { m_area.setHeight(altezza < 0 ? 0 : altezza); }

    // Paints the object with the painter in units, origin at its holder's
    // corner. Only the part between the holder's heights da and a is on the
    // page; objects that can, skip what lies outside it.
    virtual void disegna(QPainter &pittore, double da, double a) const = 0;

private:
    QString m_nome;
    QRectF m_area;
};

// Text printed literally, one line under the other, never wrapped and cut
// at the box's edges.
class CasellaTesto : public OggettoReport
{
public:
    struct Aspetto {
        CarattereReport carattere;
        AllineamentoOrizzontale orizzontale = AllineamentoOrizzontale::Sinistra;
        AllineamentoVerticale verticale = AllineamentoVerticale::Alto;
        QColor riempimento;     // invalid: no fill
        double passoRiga = 0;   // distance between lines; 0: the font's own
    };

    CasellaTesto(QString nome, const QRectF &area, Aspetto aspetto, const QString &testo = QString());

    // A text with line breaks (LF, CR LF or CR) holds several lines.
    void impostaTesto(const QString &testo);
    QString testo() const { return m_righe.join(QLatin1Char('\n')); }
    void svuotaRighe() { m_righe.clear(); }
    void aggiungiRiga(const QString &riga) { m_righe.append(riga); }
    void aggiungiRighe(const QStringList &righe) { m_righe.append(righe); }
    const QStringList &righe() const { return m_righe; }
    const Aspetto &aspetto() const { return m_aspetto; }
    // The line pitch this box prints with; lines are cut between multiples of
    // it when a band splits over pages.
    double passoRiga(const QPainter *pittore = nullptr) const;

    void disegna(QPainter &pittore, double da, double a) const override;

private:
    Aspetto m_aspetto;
    QStringList m_righe;
};

class Rettangolo : public OggettoReport
{
public:
    Rettangolo(QString nome, const QRectF &area, const QColor &riempimento, const QColor &contorno,
               double spessore = 1.0);
    void disegna(QPainter &pittore, double da, double a) const override;

private:
    QColor m_riempimento;   // invalid: no fill
    QColor m_contorno;      // invalid: no outline
    double m_spessore;
};

// A picture scaled to fit the box keeping its proportions, centred, on an
// opaque fill.
class CasellaImmagine : public OggettoReport
{
public:
    CasellaImmagine(QString nome, const QRectF &area, const QColor &riempimento = Qt::white);

    // Keeps a copy no finer than the printers need (300 dots per inch over
    // the box), so that a huge scan costs its size only once. A null picture
    // leaves the fill alone. False when the picture could not be kept (no
    // memory for the scaled copy): the box then shows the fill only.
    bool impostaImmagine(const QImage &immagine);
    const QImage &immagine() const { return m_immagine; }
    // Where the picture stands, in the box's holder's units.
    QRectF areaImmagine() const;

    void disegna(QPainter &pittore, double da, double a) const override;

private:
    QColor m_riempimento;
    QImage m_immagine;
};

enum class TipoBanda { TitoloReport, DatiPrincipali, PiedeDati };

// A band of a banded page: as wide as the printable area, its objects
// placed from its top-left corner. The master data band prints once and may
// split over pages between the lines of its text boxes.
class Banda : public OggettoReport
{
public:
    Banda(QString nome, TipoBanda tipo, double larghezza, double altezza);

    TipoBanda tipo() const { return m_tipo; }
    template <class T>
    T *aggiungi(std::unique_ptr<T> oggetto)
    {
        T *p = oggetto.get();
        m_oggetti.push_back(std::move(oggetto));
        return p;
    }
    const std::vector<std::unique_ptr<OggettoReport>> &oggetti() const { return m_oggetti; }

    // A band may be cut at its end and between the lines of its text boxes.
    // The highest such height up to limite (da when there is none), and the
    // first one past da.
    double taglioMassimo(double da, double limite) const;
    double taglioMinimo(double da) const;

    void disegna(QPainter &pittore, double da, double a) const override;

private:
    TipoBanda m_tipo;
    std::vector<std::unique_ptr<OggettoReport>> m_oggetti;
};

// A rectangle given in millimetres, in units.
inline QRectF areaMm(double sinistra, double alto, double larghezza, double altezza)
{
    return QRectF(mm(sinistra), mm(alto), mm(larghezza), mm(altezza));
}
